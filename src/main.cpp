#include "ui/main_window.h"
#include "ui/qt_platform_edges.h"

#ifndef Q_OS_WIN
#include "ui/termination_signals.h"
#endif

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
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
