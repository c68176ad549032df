#include "ui/source_file_dialog.h"

#include <QFileInfo>
#include <QMessageBox>

namespace quorvane {

SourceFileDialog::SourceFileDialog(QWidget *parent, const SourceFileRequest &request)
    : QFileDialog(parent, request.title, request.startFolder, request.nameFilter)
{
    setObjectName(QStringLiteral("CommonDialog"));
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(request.defaultSuffix);
    // The check of the folder in accept() needs Qt's own dialog; a native one
    // would close without asking it.
    setOption(QFileDialog::DontUseNativeDialog);
}

void SourceFileDialog::accept()
{
    const QStringList files = selectedFiles();
    if (files.size() == 1) {
        const QFileInfo chosen(files.constFirst());
        if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
            QMessageBox::warning(this, windowTitle(),
                                 tr("The folder %1 does not exist.\nCheck the name and try again.")
                                     .arg(QDir::toNativeSeparators(chosen.absolutePath())));
            return;
        }
    }
    QFileDialog::accept();
}

} // namespace quorvane
