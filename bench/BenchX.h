// Shared by the X-driven benchmark launchers: child processes, clocks, medians, and following a
// new top-level window through X events (never by polling).
#pragma once

#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <vector>

namespace BenchX {

double nowMs();
double median(std::vector<double> v);

// argv[0] is the program; extra environment entries are NAME=value.
pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &env = {});
// Ends the child (SIGTERM, then SIGKILL after a second) and returns its peak RSS in MB.
double stop(pid_t pid);

// Follows windows created on the root after start(): the first one a window manager reparents
// is the program's top-level. Times are taken when the event arrives.
class WindowWatch
{
public:
    explicit WindowWatch(xcb_connection_t *c);
    ~WindowWatch();
    void start();
    // Waits until the top-level is mapped (and, with paint, first drawn into); false on timeout.
    bool wait(bool paint, double timeoutMs);
    xcb_window_t window() const { return m_client; }
    double mappedAt() const { return m_mappedAt; }
    double paintedAt() const { return m_paintedAt; }

private:
    void handle(xcb_generic_event_t *e);

    xcb_connection_t *m_c;
    xcb_window_t m_root;
    std::uint8_t m_damageEvent = 0;
    std::vector<std::pair<xcb_window_t, xcb_damage_damage_t>> m_watched;
    xcb_window_t m_client = 0;
    double m_mappedAt = -1;
    double m_paintedAt = -1;
};

} // namespace BenchX
