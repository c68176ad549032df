#include "ui/main_window.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // Lets a Wayland shell match the window to the installed desktop entry,
    // so that it shows the entry's name and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral(QUORVANE_APP_ID));
    quorvane::QtPlatformEdges edges;
    quorvane::Form1 window(edges);
    window.show();
    return QApplication::exec();
}
