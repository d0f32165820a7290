#pragma once

#include <functional>
#include <memory>

class QSocketNotifier;

// SIGTERM, SIGINT and SIGHUP (kill, Ctrl+C, the session ending) end the program the way a close
// does, so that what a close hands over at the end still is. The handler only writes the signal
// into a socket, the one thing it may safely do; the event loop reads it there. A second signal
// of the same kind ends the program at once, as if nothing were installed.
class QuitSignals
{
public:
    explicit QuitSignals(std::function<void()> onSignal);
    ~QuitSignals();
    QuitSignals(const QuitSignals &) = delete;
    QuitSignals &operator=(const QuitSignals &) = delete;

private:
    void readSignal();

    std::function<void()> m_onSignal;
    std::unique_ptr<QSocketNotifier> m_notifier;
};
