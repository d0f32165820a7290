#include "platform/X11SelectionSingleInstance.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>

namespace {

xcb_atom_t internAtom(xcb_connection_t *c, const std::string &name)
{
    xcb_intern_atom_reply_t *reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(name.size()), name.c_str()), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

xcb_window_t ownerOf(xcb_connection_t *c, xcb_atom_t selection)
{
    xcb_get_selection_owner_reply_t *reply
        = xcb_get_selection_owner_reply(c, xcb_get_selection_owner(c, selection), nullptr);
    const xcb_window_t owner = reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
    std::free(reply);
    return owner;
}

xcb_window_t rootOf(xcb_connection_t *c, int screen)
{
    auto it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem > 0; ++i, xcb_screen_next(&it)) {
        if (i == screen)
            return it.data->root;
    }
    return XCB_WINDOW_NONE;
}

} // namespace

X11SelectionSingleInstance::X11SelectionSingleInstance(xcb_connection_t *connection, int screen)
    : m_connection(connection)
    , m_screen(screen)
{ }

X11SelectionSingleInstance::~X11SelectionSingleInstance()
{
    if (m_owner && !xcb_connection_has_error(m_connection)) {
        xcb_destroy_window(m_connection, m_owner);
        xcb_flush(m_connection);
    }
}

bool X11SelectionSingleInstance::tryAcquire()
{
    if (m_owner)
        return true;
    if (!m_connection || xcb_connection_has_error(m_connection))
        return false;
    const xcb_window_t root = rootOf(m_connection, m_screen);
    const xcb_atom_t selection = internAtom(m_connection, "_QUORVIN_S" + std::to_string(m_screen));
    if (!root || !selection)
        return false;

    // Looking and taking must be one step, or two copies started together could both see no
    // owner and both take it; the server grab holds off every other client meanwhile.
    xcb_grab_server(m_connection);
    bool acquired = false;
    if (ownerOf(m_connection, selection) == XCB_WINDOW_NONE) {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, 0, window, root, -1, -1, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(m_connection, window, selection, XCB_CURRENT_TIME);
        acquired = ownerOf(m_connection, selection) == window;
        if (acquired)
            m_owner = window;
        else
            xcb_destroy_window(m_connection, window);
    }
    xcb_ungrab_server(m_connection);
    xcb_flush(m_connection);
    return acquired;
}
