#pragma once

#include <QObject>

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

    QSocketNotifier *m_notifier = nullptr;
};

} // namespace quorvane
