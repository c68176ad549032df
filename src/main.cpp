#include "ui/main_window.h"
#include "ui/qt_platform_edges.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    quorvane::QtPlatformEdges edges;
    quorvane::Form1 window(edges);
    window.show();
    return QApplication::exec();
}
