#include "platform/X11Connection.h"

#include <QGuiApplication>

#include <X11/Xlib.h>

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
