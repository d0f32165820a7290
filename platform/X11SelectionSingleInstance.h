#pragma once

#include "platform/SingleInstance.h"

#include <cstdint>

struct xcb_connection_t;

// "Already running" as a property of the X display, whichever of its screens a copy was started
// on (":0" and ":0.1" are one desktop): the copy that owns the selection _QUORVIN_RUNNING runs.
// The server decides who owns it, whatever name the display was reached by, and drops it the
// moment the owner's connection closes, a killed copy's too.
class X11SelectionSingleInstance : public SingleInstance
{
public:
    // The guard's window is made on the given screen's root; the selection is the display's.
    X11SelectionSingleInstance(xcb_connection_t *connection, int screen);
    ~X11SelectionSingleInstance() override;
    Answer tryAcquire() override;

private:
    xcb_connection_t *m_connection;
    int m_screen;
    std::uint32_t m_owner = 0;
};
