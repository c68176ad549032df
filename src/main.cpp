#include "ui/main_window.h"
#include "ui/qt_platform_edges.h"

#ifndef Q_OS_WIN
#include "ui/qt_start_for_desktop.h"
#include "ui/termination_signals.h"
#endif

#include <QApplication>

namespace {

// The program from start to the end of its event loop; everything it made is
// torn down, and the folder saved, when this returns.
int runWindow(int &argc, char **argv)
{
#ifndef Q_OS_WIN
    const QList<quorvane::EnvironmentSetting> forQtStart = quorvane::qtStartSettingsForThisDesktop();
    for (const quorvane::EnvironmentSetting &setting : forQtStart)
        qputenv(setting.name.constData(), setting.value);
#endif
    QApplication app(argc, argv);
#ifndef Q_OS_WIN
    // Meant for this program's Qt only: the file browser it starts chooses
    // its own.
    for (const quorvane::EnvironmentSetting &setting : forQtStart)
        qunsetenv(setting.name.constData());
#endif
    // Lets a Wayland shell match the window to the installed desktop entry,
    // so that it shows the entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVANE_APP_ID));
    quorvane::QtPlatformEdges edges;
    quorvane::Form1 window(edges);
#ifndef Q_OS_WIN
    const quorvane::QuitOnTerminationSignals quitOnSignals;
#endif
    window.show();
    return QApplication::exec();
}

} // namespace

int main(int argc, char *argv[])
{
    const int status = runWindow(argc, argv);
#ifndef Q_OS_WIN
    quorvane::endByReceivedSignal();
#endif
    return status;
}
