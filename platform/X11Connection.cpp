#include "platform/X11Connection.h"

#include <QGuiApplication>

xcb_connection_t *x11Connection()
{
    // qGuiApp is a plain cast: it is not null in a program without a GUI application.
    auto *app = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    auto *x11 = app ? app->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}
