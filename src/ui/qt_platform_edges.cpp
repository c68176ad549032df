#include "ui/qt_platform_edges.h"

#include "ui/file_browser_launch.h"
#include "ui/source_file_dialog.h"

#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>

namespace quorvane {

namespace {

// A key held down repeats. The press that opened a box must not answer it
// through its repeats (Enter would take the default Yes at once): a box is
// answered only by a fresh press or a click.
class KeyRepeatsIgnored final : public QObject
{
public:
    explicit KeyRepeatsIgnored(QWidget *box)
    {
        box->installEventFilter(this);
        for (QWidget *control : box->findChildren<QWidget *>())
            control->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const bool key = event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease;
        return (key && static_cast<QKeyEvent *>(event)->isAutoRepeat()) || QObject::eventFilter(watched, event);
    }
};

} // namespace

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
    const KeyRepeatsIgnored freshKeysOnly(&box);
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
