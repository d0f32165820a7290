#include "platform/QuitSignals.h"

#include <QSocketNotifier>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int quitSignals[] = { SIGTERM, SIGINT, SIGHUP };

// [0] is read by the event loop, [1] written by the handler.
int g_channel[2] = { -1, -1 };

void onQuitSignal(int signal)
{
    const int saved = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_channel[1], &byte, 1);
    errno = saved;
}

} // namespace

QuitSignals::QuitSignals(std::function<void()> onSignal)
    : m_onSignal(std::move(onSignal))
{
    if (g_channel[0] >= 0
        || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, g_channel) != 0)
        return;
    m_notifier = std::make_unique<QSocketNotifier>(g_channel[0], QSocketNotifier::Read);
    QObject::connect(
        m_notifier.get(), &QSocketNotifier::activated, m_notifier.get(), [this] { readSignal(); });
    struct sigaction action
    { };
    action.sa_handler = onQuitSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART | SA_RESETHAND;
    for (const int s : quitSignals)
        ::sigaction(s, &action, nullptr);
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    for (const int s : quitSignals)
        std::signal(s, SIG_DFL);
    m_notifier.reset();
    for (int &fd : g_channel) {
        ::close(fd);
        fd = -1;
    }
}

void QuitSignals::readSignal()
{
    char bytes[16];
    bool any = false;
    while (::read(g_channel[0], bytes, sizeof bytes) > 0)
        any = true;
    if (any && m_onSignal)
        m_onSignal();
}
