#pragma once

#include <string>

struct xcb_connection_t;

// The program's X connection, or null where it does not run on xcb (no GUI application,
// another platform such as native Wayland): callers then fall back to doing nothing.
xcb_connection_t *x11Connection();

// The screen that connection was opened for (":0.1" is screen 1), 0 where it is unknown.
int x11DefaultScreen();

// The display name that connection was opened with, whether it came from DISPLAY or from the
// command line; empty where it is unknown.
std::string x11DisplayName();
