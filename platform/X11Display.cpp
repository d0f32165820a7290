#include "platform/X11Display.h"

#include <xcb/xcb.h>

bool x11DisplayReachable(const char *displayName)
{
    xcb_connection_t *connection = xcb_connect(displayName, nullptr);
    const bool ok = connection && xcb_connection_has_error(connection) == 0;
    if (connection)
        xcb_disconnect(connection);
    return ok;
}
