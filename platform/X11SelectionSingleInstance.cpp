#include "platform/X11SelectionSingleInstance.h"

#include "platform/X11Connection.h"

#include <xcb/xcb.h>

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

SingleInstance::Answer X11SelectionSingleInstance::tryAcquire()
{
    if (m_owner)
        return Answer::OnlyCopy;
    if (!m_connection || xcb_connection_has_error(m_connection))
        return Answer::CouldNotTell;
    const xcb_screen_t *screen = x11Screen(m_connection, m_screen);
    const xcb_window_t root = screen ? screen->root : xcb_window_t(XCB_WINDOW_NONE);
    const xcb_atom_t selection = x11Atom(m_connection, "_QUORVIN_RUNNING", false);
    if (!root || !selection)
        return Answer::CouldNotTell;

    // Looking and taking must be one step, or two copies started together could both see no
    // owner and both take it; the server grab holds off every other client meanwhile.
    xcb_grab_server(m_connection);
    Answer answer = Answer::AnotherCopyRuns;
    if (x11SelectionOwner(m_connection, selection) == XCB_WINDOW_NONE) {
        const xcb_window_t window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, 0, window, root, -1, -1, 1, 1, 0,
            XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        xcb_set_selection_owner(m_connection, window, selection, XCB_CURRENT_TIME);
        if (x11SelectionOwner(m_connection, selection) == window) {
            m_owner = window;
            answer = Answer::OnlyCopy;
        } else {
            xcb_destroy_window(m_connection, window);
            answer = Answer::CouldNotTell;
        }
    }
    xcb_ungrab_server(m_connection);
    xcb_flush(m_connection);
    // A connection that broke meanwhile answered nothing: its replies read as "no owner".
    if (xcb_connection_has_error(m_connection))
        return Answer::CouldNotTell;
    return answer;
}
