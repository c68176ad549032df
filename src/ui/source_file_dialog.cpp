#include "ui/source_file_dialog.h"

#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>

namespace quorvane {

SourceFileDialog::SourceFileDialog(QWidget *parent, const SourceFileRequest &request)
    : QFileDialog(parent, request.title, request.startFolder, request.nameFilter)
    , m_fileTypes(request.nameFilter)
{
    setObjectName(QStringLiteral("CommonDialog"));
    setAcceptMode(QFileDialog::AcceptOpen);
    setFileMode(QFileDialog::AnyFile);
    setDefaultSuffix(request.defaultSuffix);
    // A source is only read: nothing to confirm.
    setOption(QFileDialog::DontConfirmOverwrite);
#ifndef Q_OS_WIN
    // Qt's own dialog where the platform's would not check the folder.
    setOption(QFileDialog::DontUseNativeDialog);
#endif
}

void SourceFileDialog::accept()
{
    // The platform's own dialog has checked the name and gone by now: the
    // choice stands, and returning here would leave an unseen modal dialog.
    if (testAttribute(Qt::WA_DontShowOnScreen)) {
        QFileDialog::accept();
        return;
    }
    // The name box as typed: selectedFiles() has the default suffix added.
    const auto *nameBox = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const QString typed = nameBox ? nameBox->text() : QString();
    const QFileInfo chosen(directory(), typed);
    if (!typed.isEmpty() && !chosen.isDir() && !chosen.absoluteDir().exists()) {
        QMessageBox::warning(this, windowTitle(),
                             tr("The folder %1 does not exist.\nCheck the name and try again.")
                                 .arg(QDir::toNativeSeparators(chosen.absolutePath())));
        return;
    }
    if (chosen.fileName().contains(u'*') || chosen.fileName().contains(u'?')) {
        filterBy(chosen);
        return;
    }
    QFileDialog::accept();
}

void SourceFileDialog::filterBy(const QFileInfo &pattern)
{
    if (QDir(pattern.absolutePath()) != directory())
        setDirectory(pattern.absolutePath());
    // The file types stay one choice away.
    setNameFilters({m_fileTypes, pattern.fileName()});
    selectNameFilter(pattern.fileName());
}

} // namespace quorvane
