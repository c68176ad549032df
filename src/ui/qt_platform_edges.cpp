#include "ui/qt_platform_edges.h"

#include "ui/source_file_dialog.h"

#include <QDesktopServices>
#include <QDir>
#include <QMessageBox>
#include <QUrl>

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
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace quorvane
