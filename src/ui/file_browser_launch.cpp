#include "ui/file_browser_launch.h"

#include <QUrl>

#ifdef Q_OS_WIN
#include <QDesktopServices>
#else
#include <QProcess>

#include <memory>
#endif

namespace quorvane {

#ifdef Q_OS_WIN

bool launchFileBrowser(const QString &folder)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

#else

namespace {

// xdg-open tells within moments whether it found a way to open the folder,
// and then ends; some ways keep it running for as long as the browser it
// started. One still running after this long has started a browser.
constexpr int settleMilliseconds = 1500;

} // namespace

bool launchFileBrowser(const QString &folder)
{
    // QDesktopServices starts xdg-open detached and so never learns that it
    // found no file browser; started here, its exit status says so.
    auto launcher = std::make_unique<QProcess>();
    launcher->setProcessChannelMode(QProcess::ForwardedChannels);
    launcher->setStandardInputFile(QProcess::nullDevice());
    launcher->start(QStringLiteral("xdg-open"), {QString::fromLatin1(QUrl::fromLocalFile(folder).toEncoded())});
    if (!launcher->waitForStarted(settleMilliseconds))
        return false;
    if (launcher->waitForFinished(settleMilliseconds))
        return launcher->exitStatus() == QProcess::NormalExit && launcher->exitCode() == 0;
    // Left to end on its own: the process object goes when the launcher does,
    // reaping it, and is never destroyed while it runs, which would kill it
    // (and with it, for some launchers, the browser).
    QProcess *running = launcher.release();
    QObject::connect(running, &QProcess::finished, running, &QObject::deleteLater);
    return true;
}

#endif

} // namespace quorvane
