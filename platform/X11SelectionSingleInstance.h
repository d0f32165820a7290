#pragma once

#include "platform/SingleInstance.h"

#include <cstdint>

struct xcb_connection_t;

// "Already running" as a property of the X screen: the copy that owns the selection
// _QUORVIN_S<screen> runs. The server decides who owns it, whatever name the display was
// reached by, and drops it the moment the owner's connection closes, a killed copy's too.
class X11SelectionSingleInstance : public SingleInstance
{
public:
    X11SelectionSingleInstance(xcb_connection_t *connection, int screen);
    ~X11SelectionSingleInstance() override;
    bool tryAcquire() override;

private:
    xcb_connection_t *m_connection;
    int m_screen;
    std::uint32_t m_owner = 0;
};
