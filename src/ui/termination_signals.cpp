#include "ui/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>

#include <sys/socket.h>
#include <unistd.h>

#ifdef __SANITIZE_ADDRESS__
#include <sanitizer/lsan_interface.h>
#endif

namespace quorvane {

namespace {

constexpr std::array<int, 3> handledSignals{SIGTERM, SIGHUP, SIGINT};

// Set up before any handler is installed, and only read by the handler.
// [0] is written by the handler, [1] read by the event loop.
std::array<int, 2> wakeSockets{-1, -1};
// Which of handledSignals the handler was installed for: one the program was
// started to ignore (nohup) stays ignored.
std::array<bool, handledSignals.size()> installed{};

// The first signal taken, 0 before; written by the handler, which may run on
// any thread.
std::atomic<int> received{0};
static_assert(std::atomic<int>::is_always_lock_free, "the handler may only use lock-free atomics");

void setDefaultAction(int signal)
{
    struct sigaction action = {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
}

// Only async-signal-safe calls: an atomic exchange, write(), and for a
// second SIGINT sigaction() and raise().
void onSignal(int signal)
{
    const int savedErrno = errno; // the interrupted code may be about to read it
    int none = 0;
    if (received.compare_exchange_strong(none, signal)) {
        const char byte = 1;
        [[maybe_unused]] const ssize_t written = ::write(wakeSockets[0], &byte, 1);
    } else if (signal == SIGINT) {
        // A person pressing Ctrl+C again insists: the program ends as soon as
        // this handler returns, saved or not.
        setDefaultAction(signal);
        ::raise(signal);
    }
    // A later SIGTERM or SIGHUP is absorbed: a session that ends sends both
    // at once, and either would otherwise end the program before the folder
    // is saved. SIGKILL remains the hard stop.
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
    // While the handler runs, the other two wait: the first one is taken whole.
    for (const int signal : handledSignals)
        sigaddset(&action.sa_mask, signal);
    action.sa_flags = SA_RESTART;
    static_assert(std::tuple_size_v<decltype(m_before)> == handledSignals.size());
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        struct sigaction &before = m_before.at(i);
        installed.at(i) = ::sigaction(handledSignals.at(i), nullptr, &before) == 0 && before.sa_handler != SIG_IGN;
    }
    for (std::size_t i = 0; i < handledSignals.size(); ++i) {
        if (installed.at(i))
            ::sigaction(handledSignals.at(i), &action, nullptr);
    }
}

QuitOnTerminationSignals::~QuitOnTerminationSignals()
{
    if (!m_notifier)
        return;
    // Once a signal was taken, later ones stay absorbed until
    // endByReceivedSignal() ends the process by the first.
    if (received.load() == 0) {
        for (std::size_t i = 0; i < handledSignals.size(); ++i) {
            if (installed.at(i))
                ::sigaction(handledSignals.at(i), &m_before.at(i), nullptr);
        }
    }
    // The sockets stay open: a handler already running on another thread may
    // still write, and a closed number could by then name another file.
}

void QuitOnTerminationSignals::quit()
{
    std::array<char, 64> drained{};
    while (::read(wakeSockets[1], drained.data(), drained.size()) > 0) { }
    QCoreApplication::quit();
}

void endByReceivedSignal()
{
    const int signal = received.load();
    if (signal == 0)
        return;
#ifdef __SANITIZE_ADDRESS__
    // A process ended by a signal never reaches the leak check at exit.
    __lsan_do_leak_check();
#endif
    setDefaultAction(signal);
    sigset_t pending = {};
    sigemptyset(&pending);
    sigaddset(&pending, signal);
    ::pthread_sigmask(SIG_UNBLOCK, &pending, nullptr);
    ::raise(signal);
    // Not reached: the default action of each handled signal ends the process.
    std::_Exit(128 + signal);
}

} // namespace quorvane
