#include "platform/X11Display.h"

#include "platform/X11Connection.h"
#include "platform/X11Visual.h"

#include <xcb/xcb.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <thread>

namespace {

// A server answers its connection set-up within milliseconds, a remote one within a second or
// so; one that has accepted and says nothing would hold the start for good.
constexpr auto setupTimeout = std::chrono::seconds(5);

struct Attempt
{
    std::mutex mutex;
    std::condition_variable answered;
    xcb_connection_t *connection = nullptr;
    int screen = 0;
    bool done = false;
    bool abandoned = false;
};

// xcb_connect() waits for the server's set-up reply without a time limit; it runs on a thread of
// its own, which is left behind, blocked, where the server never answers. Should it answer after
// all, the thread lets go of the connection itself.
bool connectWithin(const char *displayName, xcb_connection_t **connection, int *screen)
{
    auto attempt = std::make_shared<Attempt>();
    const std::string name = displayName ? displayName : "";
    std::thread([attempt, name, given = displayName != nullptr] {
        int n = 0;
        xcb_connection_t *c = xcb_connect(given ? name.c_str() : nullptr, &n);
        const std::lock_guard lock(attempt->mutex);
        if (attempt->abandoned) {
            xcb_disconnect(c);
            return;
        }
        attempt->connection = c;
        attempt->screen = n;
        attempt->done = true;
        attempt->answered.notify_one();
    }).detach();
    std::unique_lock lock(attempt->mutex);
    if (!attempt->answered.wait_for(lock, setupTimeout, [&] { return attempt->done; })) {
        attempt->abandoned = true;
        return false;
    }
    *connection = attempt->connection;
    *screen = attempt->screen;
    return true;
}

} // namespace

const char *x11DisplayArgument(int argc, char **argv)
{
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "-display") == 0 || std::strcmp(argv[i], "--display") == 0)
            return argv[i + 1];
    }
    return nullptr;
}

void X11DisplayHold::Disconnect::operator()(xcb_connection_t *c) const
{
    xcb_disconnect(c);
}

xcb_connection_t *X11DisplayHold::keep(xcb_connection_t *connection)
{
    m_connection.reset(connection);
    return connection;
}

void X11DisplayHold::release()
{
    m_connection.reset();
}

std::string x11DisplayFault(const char *displayName, X11DisplayHold &hold)
{
    const char *env = std::getenv("DISPLAY");
    const std::string name = displayName ? displayName : (env && *env ? env : "unset");
    int screenNumber = 0;
    xcb_connection_t *connection = nullptr;
    if (!connectWithin(displayName, &connection, &screenNumber))
        return "the X display " + name + " did not answer within "
            + std::to_string(setupTimeout.count()) + " s; start it from a desktop session.";
    hold.keep(connection);
    const int error = connection ? xcb_connection_has_error(connection) : XCB_CONN_ERROR;
    if (error && error != XCB_CONN_CLOSED_INVALID_SCREEN)
        return "cannot reach an X display (DISPLAY=" + name + "); start it from a desktop session.";
    const xcb_screen_t *screen = error ? nullptr : x11Screen(connection, screenNumber);
    if (!screen)
        return "the X display " + name + " names screen " + std::to_string(screenNumber)
            + ", which the server does not have.";

    // Colour-map screens hold palette indices, not colours: nothing could be read or shown right.
    const xcb_visualtype_t *visual = x11Visual(connection, screen->root_visual);
    if (!visual || visual->_class != XCB_VISUAL_CLASS_TRUE_COLOR)
        return "screen " + std::to_string(screenNumber) + " of the X display " + name
            + " has no true colours (depth " + std::to_string(screen->root_depth)
            + "); start the X server with a 24-bit screen.";
    return {};
}
