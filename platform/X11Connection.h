#pragma once

struct xcb_connection_t;

// The program's X connection, or null where it does not run on xcb (no GUI application,
// another platform such as native Wayland): callers then fall back to doing nothing.
xcb_connection_t *x11Connection();
