#pragma once

#include <QObject>

#include <array>
#include <csignal>

class QSocketNotifier;

namespace quorvane {

// Turns SIGTERM, SIGHUP and SIGINT (how a desktop session, a closed terminal
// or Ctrl+C end a program) into a quit of the application, so that the program
// ends as it does when the window is closed: the window unloads and the
// process exits with status 0. The handler only writes to a socket; the event
// loop reads it and quits.
class QuitOnTerminationSignals final : public QObject
{
public:
    explicit QuitOnTerminationSignals(QObject *parent = nullptr);
    ~QuitOnTerminationSignals() override;

    QuitOnTerminationSignals(const QuitOnTerminationSignals &) = delete;
    QuitOnTerminationSignals &operator=(const QuitOnTerminationSignals &) = delete;

private:
    void quit();

    static constexpr std::array<int, 3> handledSignals{SIGTERM, SIGHUP, SIGINT};

    QSocketNotifier *m_notifier = nullptr;
    // What each signal did before, in the order they are handled.
    std::array<struct sigaction, handledSignals.size()> m_before{};
};

} // namespace quorvane
