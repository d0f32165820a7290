#include "BenchX.h"

#include "platform/XcbReplyPtr.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <ctime>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace BenchX {

double nowMs()
{
    timespec ts {};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &env)
{
    std::vector<char *> args;
    for (const auto &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        for (const auto &e : env)
            putenv(const_cast<char *>(e.c_str()));
        execvp(args[0], args.data());
        _exit(127);
    }
    return pid;
}

double stop(pid_t pid)
{
    kill(pid, SIGTERM);
    rusage usage {};
    int status = 0;
    for (int i = 0; i < 100; ++i) {
        const pid_t r = wait4(pid, &status, WNOHANG, &usage);
        if (r == pid)
            return usage.ru_maxrss / 1024.0;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    wait4(pid, &status, 0, &usage);
    return usage.ru_maxrss / 1024.0;
}

WindowWatch::WindowWatch(xcb_connection_t *c)
    : m_c(c)
    , m_root(xcb_setup_roots_iterator(xcb_get_setup(c)).data->root)
{
    const xcb_query_extension_reply_t *ext = xcb_get_extension_data(c, &xcb_damage_id);
    if (ext && ext->present) {
        m_damageEvent = ext->first_event;
        xcbReply(xcb_damage_query_version_reply, c, xcb_damage_query_version(c, 1, 1));
    }
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, m_root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
}

WindowWatch::~WindowWatch()
{
    start();
}

void WindowWatch::start()
{
    for (const auto &[w, d] : m_watched) {
        if (d)
            xcb_damage_destroy(m_c, d);
    }
    m_watched.clear();
    m_client = 0;
    m_mappedAt = m_paintedAt = -1;
    // Whatever is still queued belongs to an earlier run.
    while (XcbReplyPtr<xcb_generic_event_t>(xcb_poll_for_event(m_c))) { }
    xcb_flush(m_c);
}

bool WindowWatch::wait(bool paint, double timeoutMs)
{
    const double end = nowMs() + timeoutMs;
    pollfd fd { xcb_get_file_descriptor(m_c), POLLIN, 0 };
    while (m_mappedAt < 0 || (paint && m_paintedAt < 0)) {
        xcb_flush(m_c);
        while (const XcbReplyPtr<xcb_generic_event_t> e { xcb_poll_for_event(m_c) })
            handle(e.get());
        if (m_mappedAt >= 0 && (!paint || m_paintedAt >= 0))
            break;
        const double left = end - nowMs();
        if (left <= 0)
            return false;
        if (poll(&fd, 1, static_cast<int>(left) + 1) < 0 && errno != EINTR)
            return false;
    }
    return true;
}

void WindowWatch::handle(xcb_generic_event_t *e)
{
    const double t = nowMs();
    const std::uint8_t type = e->response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
        auto *ev = reinterpret_cast<xcb_create_notify_event_t *>(e);
        if (ev->parent != m_root || ev->override_redirect)
            return;
        const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_c, ev->window, XCB_CW_EVENT_MASK, &mask);
        xcb_damage_damage_t d = 0;
        if (m_damageEvent) {
            d = xcb_generate_id(m_c);
            xcb_damage_create(m_c, d, ev->window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        }
        m_watched.emplace_back(ev->window, d);
        xcb_flush(m_c);
    } else if (type == XCB_REPARENT_NOTIFY) {
        auto *ev = reinterpret_cast<xcb_reparent_notify_event_t *>(e);
        if (!m_client && ev->parent != m_root) {
            for (const auto &[w, d] : m_watched) {
                if (w == ev->window)
                    m_client = w;
            }
            // On a busy machine the window may have been mapped before this client's event
            // selection reached the server; its MapNotify is then lost, so ask once.
            if (m_client) {
                const XcbReplyPtr<xcb_get_window_attributes_reply_t> a(
                    xcb_get_window_attributes_reply(
                        m_c, xcb_get_window_attributes(m_c, m_client), nullptr));
                if (a && a->map_state != XCB_MAP_STATE_UNMAPPED && m_mappedAt < 0)
                    m_mappedAt = nowMs();
            }
        }
    } else if (type == XCB_MAP_NOTIFY) {
        auto *ev = reinterpret_cast<xcb_map_notify_event_t *>(e);
        if (m_client && ev->window == m_client && m_mappedAt < 0)
            m_mappedAt = t;
    } else if (m_damageEvent && type == m_damageEvent + XCB_DAMAGE_NOTIFY) {
        auto *ev = reinterpret_cast<xcb_damage_notify_event_t *>(e);
        for (const auto &[w, d] : m_watched) {
            if (d == ev->damage) {
                // Drawing into a window that is not yet shown is no paint the user sees.
                if (w == m_client && m_mappedAt >= 0 && m_paintedAt < 0)
                    m_paintedAt = t;
                xcb_damage_subtract(m_c, d, XCB_NONE, XCB_NONE);
            }
        }
    }
}

} // namespace BenchX
