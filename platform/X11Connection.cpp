#include "platform/X11Connection.h"

#include "platform/XcbReplyPtr.h"

#include <QGuiApplication>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

namespace {

QNativeInterface::QX11Application *x11App()
{
    // qGuiApp is a plain cast: it is not null in a program without a GUI application.
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    return app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
}

} // namespace

xcb_connection_t *x11Connection()
{
    auto *x11 = x11App();
    return x11 ? x11->connection() : nullptr;
}

int x11DefaultScreen()
{
    // Qt opens its connection through Xlib, which knows the screen the display name chose.
    auto *x11 = x11App();
    Display *display = x11 ? x11->display() : nullptr;
    return display ? XDefaultScreen(display) : 0;
}

std::string x11DisplayName()
{
    auto *x11 = x11App();
    Display *display = x11 ? x11->display() : nullptr;
    const char *name = display ? XDisplayString(display) : nullptr;
    return name ? name : std::string();
}

xcb_screen_t *x11Screen(xcb_connection_t *connection, int n)
{
    if (!connection || n < 0 || xcb_connection_has_error(connection))
        return nullptr;
    auto it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (; it.rem > 0 && n > 0; --n)
        xcb_screen_next(&it);
    return it.rem > 0 ? it.data : nullptr;
}

xcb_screen_t *x11OpenScreen(const std::string &displayName, xcb_connection_t **connection)
{
    int screen = 0;
    *connection = xcb_connect(displayName.empty() ? nullptr : displayName.c_str(), &screen);
    return x11Screen(*connection, screen);
}

std::uint32_t x11Atom(xcb_connection_t *connection, const std::string &name, bool onlyIfExists)
{
    const XcbReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(connection,
        xcb_intern_atom(
            connection, onlyIfExists, static_cast<std::uint16_t>(name.size()), name.c_str()),
        nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

std::uint32_t x11SelectionOwner(xcb_connection_t *connection, std::uint32_t selection)
{
    const XcbReplyPtr<xcb_get_selection_owner_reply_t> reply(xcb_get_selection_owner_reply(
        connection, xcb_get_selection_owner(connection, selection), nullptr));
    return reply ? reply->owner : xcb_window_t(XCB_WINDOW_NONE);
}
