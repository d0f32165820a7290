#pragma once

#include <cstdint>
#include <string>

struct xcb_connection_t;
struct xcb_screen_t;

// The program's X connection, or null where it does not run on xcb (no GUI application,
// another platform such as native Wayland): callers then fall back to doing nothing.
xcb_connection_t *x11Connection();

// The screen that connection was opened for (":0.1" is screen 1), 0 where it is unknown.
int x11DefaultScreen();

// The display name that connection was opened with, whether it came from DISPLAY or from the
// command line; empty where it is unknown.
std::string x11DisplayName();

// Screen number n of a connection's server, or null where the server has no such screen.
xcb_screen_t *x11Screen(xcb_connection_t *connection, int n);

// Opens a connection of the caller's own to a display (empty: DISPLAY) and gives the screen the
// name asks for, null where the connection failed or has no such screen. The connection is the
// caller's to close either way.
xcb_screen_t *x11OpenScreen(const std::string &displayName, xcb_connection_t **connection);

// An atom by name; none where onlyIfExists is set and no client has made it yet.
std::uint32_t x11Atom(xcb_connection_t *connection, const std::string &name, bool onlyIfExists);
// The window that owns a selection, none where no client does.
std::uint32_t x11SelectionOwner(xcb_connection_t *connection, std::uint32_t selection);
