#include "platform/X11Display.h"

#include "platform/X11Connection.h"
#include "platform/X11Visual.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

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
    xcb_connection_t *connection = hold.keep(xcb_connect(displayName, &screenNumber));
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
