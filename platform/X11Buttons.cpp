#include "platform/X11Buttons.h"

#include "platform/XcbReplyPtr.h"

#include <xcb/xcb.h>
#include <xcb/xinput.h>

#include <dlfcn.h>

namespace {

// Opened on the first question, which a start never asks and many runs never do: linked, the
// library would take its share of memory in every run.
struct XInput
{
    decltype(&xcb_input_xi_get_client_pointer) getClientPointer = nullptr;
    decltype(&xcb_input_xi_get_client_pointer_reply) getClientPointerReply = nullptr;
    decltype(&xcb_input_xi_query_pointer) queryPointer = nullptr;
    decltype(&xcb_input_xi_query_pointer_reply) queryPointerReply = nullptr;
    decltype(&xcb_input_xi_query_pointer_buttons) buttons = nullptr;
    decltype(&xcb_input_xi_query_pointer_buttons_length) buttonsLength = nullptr;

    bool complete() const
    {
        return getClientPointer && getClientPointerReply && queryPointer && queryPointerReply
            && buttons && buttonsLength;
    }
};

template<class F> void resolve(void *library, const char *name, F &function)
{
    function = reinterpret_cast<F>(dlsym(library, name));
}

const XInput *xinput()
{
    static const XInput loaded = [] {
        XInput x;
        void *library = dlopen("libxcb-xinput.so.0", RTLD_LAZY | RTLD_LOCAL);
        if (!library)
            return x;
        resolve(library, "xcb_input_xi_get_client_pointer", x.getClientPointer);
        resolve(library, "xcb_input_xi_get_client_pointer_reply", x.getClientPointerReply);
        resolve(library, "xcb_input_xi_query_pointer", x.queryPointer);
        resolve(library, "xcb_input_xi_query_pointer_reply", x.queryPointerReply);
        resolve(library, "xcb_input_xi_query_pointer_buttons", x.buttons);
        resolve(library, "xcb_input_xi_query_pointer_buttons_length", x.buttonsLength);
        return x;
    }();
    return loaded.complete() ? &loaded : nullptr;
}

bool coreButtonHeld(xcb_connection_t *c, xcb_window_t root)
{
    const XcbReplyPtr<xcb_query_pointer_reply_t> reply(
        xcb_query_pointer_reply(c, xcb_query_pointer(c, root), nullptr));
    return reply && x11CoreButtonHeld(reply->mask);
}

} // namespace

bool x11CoreButtonHeld(std::uint16_t mask)
{
    constexpr std::uint16_t anyButton = XCB_KEY_BUT_MASK_BUTTON_1 | XCB_KEY_BUT_MASK_BUTTON_2
        | XCB_KEY_BUT_MASK_BUTTON_3 | XCB_KEY_BUT_MASK_BUTTON_4 | XCB_KEY_BUT_MASK_BUTTON_5;
    return (mask & anyButton) != 0;
}

bool x11AnyButtonHeld(xcb_connection_t *c, std::uint32_t root)
{
    const XInput *xi = xinput();
    if (!xi)
        return coreButtonHeld(c, root);
    const auto pointer
        = xcbReply(xi->getClientPointerReply, c, xi->getClientPointer(c, XCB_WINDOW_NONE));
    if (!pointer)
        return coreButtonHeld(c, root);
    const auto reply
        = xcbReply(xi->queryPointerReply, c, xi->queryPointer(c, root, pointer->deviceid));
    if (!reply)
        return coreButtonHeld(c, root);
    // Bit n of the mask is button n; bit 0 stands for no button.
    const uint32_t *mask = xi->buttons(reply.get());
    const int words = xi->buttonsLength(reply.get());
    bool held = false;
    for (int i = 0; i < words && !held; ++i)
        held = (mask[i] & (i == 0 ? ~1u : ~0u)) != 0;
    return held;
}
