#include "ui/source_file_dialog.h"

#include <QFileInfo>
#include <QFileSystemModel>
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
    // Chosen again from the list of filters, after Qt has applied it its way.
    connect(this, &QFileDialog::filterSelected, this, &SourceFileDialog::keepTypedPatternWhole);
}

void SourceFileDialog::accept()
{
    // Qt hides its own dialog while the desktop's chooser shows, and that one
    // has checked the name itself and gone by now. Returning here would leave
    // an unseen modal dialog.
    if (testAttribute(Qt::WA_DontShowOnScreen)) {
        QFileDialog::accept();
        return;
    }
    const QStringList files = selectedFiles(); // with ~ expanded and the suffix added
    if (files.size() != 1) {
        QFileDialog::accept();
        return;
    }
    const QFileInfo chosen(files.constFirst());
    if (!chosen.isDir() && !chosen.absoluteDir().exists()) {
        QMessageBox::warning(this, windowTitle(),
                             tr("The folder %1 does not exist.\nCheck the name and try again.")
                                 .arg(QDir::toNativeSeparators(chosen.absolutePath())));
        return;
    }
    // Whether the name is a pattern is read as typed, before a suffix was
    // added. A file may really carry * or ? in its name: only a name that
    // names nothing is a pattern.
    const auto *nameBox = findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
    const QString typedName = nameBox ? QFileInfo(nameBox->text()).fileName() : QString();
    if (!chosen.exists() && (typedName.contains(u'*') || typedName.contains(u'?'))) {
        filterBy(chosen.absoluteDir(), typedName);
        return;
    }
    QFileDialog::accept();
}

void SourceFileDialog::filterBy(const QDir &folder, const QString &pattern)
{
    if (folder != directory())
        setDirectory(folder);
    // The file types stay one choice away.
    m_typedPattern = pattern;
    setNameFilters({m_fileTypes, pattern});
    const QString shownAs = pattern.simplified(); // as the list of filters shows it
    selectNameFilter(shownAs);
    keepTypedPatternWhole(shownAs);
}

void SourceFileDialog::keepTypedPatternWhole(const QString &selectedFilter)
{
    if (m_typedPattern.isEmpty() || selectedFilter != m_typedPattern.simplified())
        return;
    // The list's model filters by wildcards, in which only * and ? are meant
    // here: a [ stands for itself.
    if (auto *files = findChild<QFileSystemModel *>())
        files->setNameFilters({QString(m_typedPattern).replace(u'[', QStringLiteral("[[]"))});
}

} // namespace quorvane
