#pragma once

#include "platform/HoldKeyboard.h"

#include <cstdint>
#include <string>
#include <vector>

struct xcb_connection_t;

// Grabs the keyboard on the root window through a connection of its own, so that the keys of a
// hold never reach the toolkit's focus widget, and asks that connection for them at each tick.
// The server drops the grab when the connection goes, a killed program included.
class X11HoldKeyboard : public HoldKeyboard
{
public:
    explicit X11HoldKeyboard(std::string displayName);
    ~X11HoldKeyboard() override;
    X11HoldKeyboard(const X11HoldKeyboard &) = delete;
    X11HoldKeyboard &operator=(const X11HoldKeyboard &) = delete;

    bool grab() override;
    void release() override;
    std::vector<Press> presses() override;
    void movePointer(QPoint by) override;
    void endLostPress(std::uintptr_t window, Qt::MouseButtons down) override;

private:
    bool connected();
    void lookUpKeys();

    std::string m_displayName;
    xcb_connection_t *m_connection = nullptr;
    bool m_tried = false;
    std::uint32_t m_root = 0;
    bool m_grabbed = false;
    // Which key each key code stands for, by code; -1 for the keys a hold does not use.
    std::vector<int> m_keys;
    std::uint8_t m_firstCode = 0;
};
