#pragma once

// Without a session bus address, the D-Bus library that Qt uses (for accessibility) would
// autolaunch a bus of its own on X11: it starts a daemon that outlives the window and writes
// ~/.dbus/session-bus/. The program promises to write no file, so it does without a bus then.
class SessionBusGuard
{
public:
    // Call before the application object exists.
    static void forbidAutolaunch();
};
