#pragma once

#include <memory>
#include <string>

struct xcb_connection_t;

// The display Qt's xcb platform will open: the value of a "-display" argument, else nullptr
// (then $DISPLAY).
const char *x11DisplayArgument(int argc, char **argv);

// The connection the check made, kept open until Qt has its own: a server whose last client
// leaves resets, and refuses the next connection while it does, which Qt answers by aborting.
class X11DisplayHold
{
public:
    xcb_connection_t *keep(xcb_connection_t *connection);
    void release();

private:
    struct Disconnect
    {
        void operator()(xcb_connection_t *c) const;
    };
    std::unique_ptr<xcb_connection_t, Disconnect> m_connection;
};

// Why the program cannot run on that display, as one line for the user, or an empty text where
// it can. The connection it makes stays in the hold. Checked before Qt starts: Qt aborts without a
// server or on a screen the server does not have, and its widgets crash on a screen without
// true colours. A server that accepts but never answers is given up after a few seconds.
std::string x11DisplayFault(const char *displayName, X11DisplayHold &hold);
