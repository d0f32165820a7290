#include "platform/X11HoldKeyboard.h"

#include "platform/X11Connection.h"
#include "platform/XcbReplyPtr.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace {

int keyOf(xcb_keysym_t sym)
{
    using Key = HoldKeyboard::Key;
    switch (sym) {
    case 0xff51: // Left
    case 0xff96: // KP_Left
        return int(Key::Left);
    case 0xff52:
    case 0xff97:
        return int(Key::Up);
    case 0xff53:
    case 0xff98:
        return int(Key::Right);
    case 0xff54:
    case 0xff99:
        return int(Key::Down);
    case 0xff1b:
        return int(Key::Escape);
    }
    return -1;
}

} // namespace

X11HoldKeyboard::X11HoldKeyboard(std::string displayName)
    : m_displayName(std::move(displayName))
{ }

X11HoldKeyboard::~X11HoldKeyboard()
{
    release();
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool X11HoldKeyboard::connected()
{
    if (m_root || m_tried)
        return m_root != 0;
    m_tried = true;
    if (const xcb_screen_t *s = x11OpenScreen(m_displayName, &m_connection))
        m_root = s->root;
    return m_root != 0;
}

void X11HoldKeyboard::lookUpKeys()
{
    // Asked at every grab: the layout may have changed since the last hold.
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    m_firstCode = setup->min_keycode;
    const int count = setup->max_keycode - setup->min_keycode + 1;
    m_keys.assign(std::size_t(count), -1);
    const XcbReplyPtr<xcb_get_keyboard_mapping_reply_t> reply(xcb_get_keyboard_mapping_reply(
        m_connection,
        xcb_get_keyboard_mapping(m_connection, setup->min_keycode, std::uint8_t(count)), nullptr));
    if (!reply || reply->keysyms_per_keycode == 0)
        return;
    const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply.get());
    const int length = xcb_get_keyboard_mapping_keysyms_length(reply.get());
    for (int code = 0; code < count; ++code) {
        const int at = code * reply->keysyms_per_keycode;
        if (at < length)
            m_keys[std::size_t(code)] = keyOf(syms[at]);
    }
}

bool X11HoldKeyboard::grab()
{
    if (m_grabbed)
        return true;
    if (!connected())
        return false;
    lookUpKeys();
    const XcbReplyPtr<xcb_grab_keyboard_reply_t> reply(xcb_grab_keyboard_reply(m_connection,
        xcb_grab_keyboard(
            m_connection, 0, m_root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
        nullptr));
    m_grabbed = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    return m_grabbed;
}

void X11HoldKeyboard::release()
{
    if (!m_grabbed)
        return;
    xcb_ungrab_keyboard(m_connection, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
    m_grabbed = false;
    // Keys that came in before the grab went are not the next hold's.
    while (XcbReplyPtr<xcb_generic_event_t>(xcb_poll_for_event(m_connection))) { }
}

std::vector<HoldKeyboard::Press> X11HoldKeyboard::presses()
{
    std::vector<Press> out;
    if (!m_connection)
        return out;
    while (const XcbReplyPtr<xcb_generic_event_t> event { xcb_poll_for_event(m_connection) }) {
        if ((event->response_type & 0x7f) == XCB_KEY_PRESS) {
            const auto *press = reinterpret_cast<xcb_key_press_event_t *>(event.get());
            const std::size_t code = std::size_t(press->detail - m_firstCode);
            const int key = code < m_keys.size() ? m_keys[code] : -1;
            if (key >= 0)
                out.push_back({ Key(key), (press->state & XCB_MOD_MASK_SHIFT) != 0 });
        }
    }
    return out;
}

void X11HoldKeyboard::movePointer(QPoint by)
{
    if (!connected())
        return;
    xcb_warp_pointer(
        m_connection, XCB_NONE, XCB_NONE, 0, 0, 0, 0, std::int16_t(by.x()), std::int16_t(by.y()));
    xcb_flush(m_connection);
}

void X11HoldKeyboard::endLostPress(std::uintptr_t window, Qt::MouseButtons down)
{
    if (!connected() || !window)
        return;
    // A release as the server would have sent it, far outside the window so that it clicks
    // nothing; sent to a window without an event mask, it goes to the window's own client.
    constexpr std::pair<Qt::MouseButton, int> buttons[]
        = { { Qt::LeftButton, 1 }, { Qt::MiddleButton, 2 }, { Qt::RightButton, 3 },
              { Qt::BackButton, 8 }, { Qt::ForwardButton, 9 } };
    for (const auto &[button, detail] : buttons) {
        if (!(down & button))
            continue;
        xcb_button_release_event_t release {};
        release.response_type = XCB_BUTTON_RELEASE;
        release.detail = std::uint8_t(detail);
        release.time = XCB_CURRENT_TIME;
        release.root = m_root;
        release.event = std::uint32_t(window);
        release.root_x = release.root_y = release.event_x = release.event_y = -10000;
        release.state = std::uint16_t(XCB_BUTTON_MASK_1 << (detail <= 5 ? detail - 1 : 0));
        if (detail > 5)
            release.state = 0;
        release.same_screen = 1;
        xcb_send_event(m_connection, 0, std::uint32_t(window), XCB_EVENT_MASK_NO_EVENT,
            reinterpret_cast<const char *>(&release));
    }
    xcb_flush(m_connection);
}
