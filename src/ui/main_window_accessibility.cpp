// What a screen reader says about each control. Captions and field contents
// stay the accessible names; descriptions add what a caption alone leaves
// open, such as which of the two Clear buttons has the focus.

#include "ui/main_window.h"
#include "ui/value_field.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace quorvane {

void Form1::describeControls()
{
    for (QAbstractButton *option : EpromSize->buttons())
        option->setAccessibleDescription(QStringLiteral("Device type %1").arg(option->text()));
    for (QAbstractButton *option : Batch->buttons())
        option->setAccessibleDescription(QStringLiteral("%1 devices").arg(option->text()));

    // While a field is empty, its caption label stands in for its name.
    Label1->setBuddy(Label_SourcePath);
    Label3->setBuddy(Label_SourceFile);
    Label_SourcePath->setAccessibleDescription(QStringLiteral("Source folder"));
    Label_SourceFile->setAccessibleDescription(QStringLiteral("Source file"));
    Command_SelectSourceFile->setAccessibleDescription(QStringLiteral("Choose the EPROM image to split"));
    Command_ClearSourceFile->setAccessibleDescription(QStringLiteral("Clear the source file"));

    Text_TargetFileName->setAccessibleName(QStringLiteral("Target base name"));
    Text_TargetFileName->setAccessibleDescription(Label2->text());
    Command1->setAccessibleDescription(QStringLiteral("Clear the target base name"));

    Command_Run->setAccessibleDescription(QStringLiteral("Split the source file into the target files"));
    Command_Exit->setAccessibleDescription(QStringLiteral("Close Quorvane"));
}

} // namespace quorvane
