#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace quorvane {

// Turns SIGTERM, SIGHUP and SIGINT (how a desktop session, a closed terminal
// or Ctrl+C end a program) into a quit of the application, so that the window
// unloads as it does when it is closed; once everything is torn down,
// endByReceivedSignal() ends the process by that same signal, so that whoever
// started it sees it was interrupted (a shell stops a loop only then). The
// handler only writes to a socket; the event loop reads it and quits. Only
// the first signal is taken this way. A session that ends sends SIGTERM and
// SIGHUP at once, so later SIGTERMs and SIGHUPs are absorbed until the
// process ends; a second SIGINT (Ctrl+C pressed again) ends it at once.
class QuitOnTerminationSignals final : public QObject
{
public:
    explicit QuitOnTerminationSignals(QObject *parent = nullptr);
    ~QuitOnTerminationSignals() override;

    QuitOnTerminationSignals(const QuitOnTerminationSignals &) = delete;
    QuitOnTerminationSignals &operator=(const QuitOnTerminationSignals &) = delete;

private:
    void quit();

    QSocketNotifier *m_notifier = nullptr;
    // What each signal did before, in the order they are handled.
    std::array<struct sigaction, 3> m_before{};
};

// When a termination signal asked the program to end, ends the process by it,
// with the signal's default action; otherwise returns.
void endByReceivedSignal();

} // namespace quorvane
