#include "ui/qt_platform_edges.h"

#include "ui/file_browser_launch.h"
#include "ui/fresh_keys.h"
#include "ui/source_file_dialog.h"

#include <QDir>
#include <QMessageBox>

namespace quorvane {

std::optional<QString> QtPlatformEdges::chooseSourceFile(QWidget *parent, const SourceFileRequest &request)
{
    SourceFileDialog dialog(parent, request);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().size() != 1)
        return std::nullopt;
    return QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
}

MessageAnswer QtPlatformEdges::showMessage(QWidget *parent, const Message &message)
{
    const bool asks = message.buttons == MessageButtons::YesNo;
    QMessageBox box(QMessageBox::NoIcon, message.title, message.text,
                    asks ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
    box.setTextFormat(Qt::PlainText);
    if (asks)
        box.setDefaultButton(QMessageBox::Yes);
    // The press that opened the box must not answer it by repeating (Enter
    // would take the default Yes at once): only a fresh press or a click does.
    FreshKeysOnly freshKeys;
    freshKeys.guard(&box);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    default:
        return MessageAnswer::Ok;
    }
}

bool QtPlatformEdges::openFolder(const QString &folder)
{
    return launchFileBrowser(folder);
}

} // namespace quorvane
