#pragma once

// Whether an X server answers at the given display name (nullptr: $DISPLAY). Checked before
// Qt starts, because Qt aborts the process when its xcb platform finds no server.
bool x11DisplayReachable(const char *displayName);
