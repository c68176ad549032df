// The window's way of choosing the source image.

#include "engine/base_name.h"
#include "engine/folder_path.h"
#include "ui/main_window.h"
#include "ui/platform_edges.h"
#include "ui/value_field.h"

#include <QFileInfo>
#include <QLineEdit>

namespace quorvane {

namespace {

SourceFileRequest sourceFileRequest(const QString &startFolder)
{
    return {QStringLiteral("Select Master File"), startFolder, QStringLiteral("Binary Files (*.bin)"),
            QStringLiteral("bin")};
}

} // namespace

void Form1::BrowseSourceFile()
{
    // A remembered folder may be gone (or empty after Clear); the dialog then
    // starts in the fallback folder. SourcePath itself only changes when a
    // file is confirmed, so it always agrees with what the labels show and
    // the split reads.
    const QString startFolder
        = !m_job.SourcePath.isEmpty() && QFileInfo(m_job.SourcePath).isDir() ? m_job.SourcePath : fallbackFolder();
    const std::optional<QString> chosen = m_edges.chooseSourceFile(this, sourceFileRequest(startFolder));
    if (!chosen)
        return;

    m_job.SourcePath = folderOfFile(*chosen);
    m_job.SourceFile = QFileInfo(*chosen).fileName();
    followSaveRule();
    Label_SourcePath->setCaption(m_job.SourcePath);
    Label_SourceFile->setCaption(m_job.SourceFile);

    const std::optional<QString> proposal = proposedBaseName(m_job.SourceFile);
    if (!proposal)
        return;
    Text_TargetFileName->setText(*proposal);
    Text_TargetFileName->setFocus(Qt::OtherFocusReason);
    Text_TargetFileName->setCursorPosition(static_cast<int>(Text_TargetFileName->text().size()));
}

} // namespace quorvane
