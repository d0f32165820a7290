#include "platform/X11Buttons.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <cstdlib>

namespace {

bool coreButtonHeld(xcb_connection_t *c, xcb_window_t root)
{
    xcb_query_pointer_reply_t *reply
        = xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr);
    constexpr uint16_t anyButton = XCB_KEY_BUT_MASK_BUTTON_1 | XCB_KEY_BUT_MASK_BUTTON_2
        | XCB_KEY_BUT_MASK_BUTTON_3 | XCB_KEY_BUT_MASK_BUTTON_4 | XCB_KEY_BUT_MASK_BUTTON_5;
    const bool held = reply && (reply->mask & anyButton);
    std::free(reply);
    return held;
}

} // namespace

bool x11AnyButtonHeld(xcb_connection_t *c, std::uint32_t root)
{
    xcb_generic_error_t *error = nullptr;
    xcb_input_xi_get_client_pointer_reply_t *pointer = xcb_input_xi_get_client_pointer_reply(
        c, xcb_input_xi_get_client_pointer(c, XCB_WINDOW_NONE), &error);
    std::free(error);
    error = nullptr;
    xcb_input_xi_query_pointer_reply_t *reply = pointer
        ? xcb_input_xi_query_pointer_reply(
            c, xcb_input_xi_query_pointer(c, root, pointer->deviceid), &error)
        : nullptr;
    std::free(error);
    std::free(pointer);
    if (!reply)
        return coreButtonHeld(c, root);
    // Bit n of the mask is button n; bit 0 stands for no button.
    const uint32_t *mask = xcb_input_xi_query_pointer_buttons(reply);
    const int words = xcb_input_xi_query_pointer_buttons_length(reply);
    bool held = false;
    for (int i = 0; i < words && !held; ++i)
        held = (mask[i] & (i == 0 ? ~1u : ~0u)) != 0;
    std::free(reply);
    return held;
}
