#pragma once

struct xcb_connection_t;

// A Wayland desktop lets no program read other programs' pixels, confine the pointer or order
// windows unless it runs as an X client under XWayland; there the colour comes from the portal.
namespace WaylandSession {

// Whether the environment names a Wayland session (XDG_SESSION_TYPE, WAYLAND_DISPLAY).
bool declared();
// Whether the X server behind the connection is XWayland.
bool isXWayland(xcb_connection_t *connection);
// Sets Qt's platform to xcb in a Wayland session where the user chose none (QT_QPA_PLATFORM,
// -platform). Must run before the application object exists.
void preferX11(int argc, char **argv);

} // namespace WaylandSession
