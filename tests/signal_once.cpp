// The program's way of taking termination signals, for a test that watches
// how it ends:  signal_once MARK SIGNAL...
// Raises each SIGNAL in turn (each is taken before raise() returns, so their
// order is fixed), runs the event loop the first one asks to quit, creates
// the file MARK as the window's unload would save, and ends by that signal.

#include "ui/termination_signals.h"

#include <QCoreApplication>
#include <QFile>

#include <csignal>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    {
        QCoreApplication app(argc, argv);
        const quorvane::QuitOnTerminationSignals quitOnSignals;
        for (int i = 2; i < argc; ++i)
            std::raise(std::atoi(argv[i]));
        QCoreApplication::exec();
        QFile mark(QFile::decodeName(argv[1]));
        if (!mark.open(QIODevice::WriteOnly))
            return 3;
    }
    quorvane::endByReceivedSignal();
    return 0;
}
