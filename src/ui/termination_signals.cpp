#include "ui/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <cerrno>
#include <csignal>

#include <sys/socket.h>
#include <unistd.h>

namespace quorvane {

namespace {

// [0] is written by the handler, [1] read by the event loop.
std::array<int, 2> wakeSockets{-1, -1};

void onSignal(int)
{
    const int savedErrno = errno; // the interrupted code may be about to read it
    const char byte = 1;
    // A full socket already holds a wake-up: losing this one loses nothing.
    [[maybe_unused]] const ssize_t written = ::write(wakeSockets[0], &byte, 1);
    errno = savedErrno;
}

} // namespace

QuitOnTerminationSignals::QuitOnTerminationSignals(QObject *parent)
    : QObject(parent)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, wakeSockets.data()) != 0) {
        qWarning("cannot watch for termination signals: no socket pair");
        wakeSockets = {-1, -1};
        return;
    }
    m_notifier = new QSocketNotifier(wakeSockets[1], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &QuitOnTerminationSignals::quit);

    struct sigaction action = {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        // A signal the program was started to ignore (nohup) stays ignored.
        struct sigaction &before = m_before.at(i);
        if (::sigaction(handledSignals.at(i), nullptr, &before) == 0 && before.sa_handler != SIG_IGN)
            ::sigaction(handledSignals.at(i), &action, nullptr);
    }
}

QuitOnTerminationSignals::~QuitOnTerminationSignals()
{
    if (!m_notifier)
        return;
    for (std::size_t i = 0; i < handledSignals.size(); ++i)
        ::sigaction(handledSignals.at(i), &m_before.at(i), nullptr);
    // The sockets stay open: a handler already running on another thread may
    // still write, and a closed number could by then name another file.
}

void QuitOnTerminationSignals::quit()
{
    std::array<char, 64> drained{};
    while (::read(wakeSockets[1], drained.data(), drained.size()) > 0) { }
    QCoreApplication::quit();
}

} // namespace quorvane
