#include "platform/WaylandSession.h"

#include "platform/XcbReplyPtr.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QScreen>
#include <QtGlobal>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace WaylandSession {

bool declared()
{
    return qgetenv("XDG_SESSION_TYPE") == "wayland"
        || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
}

bool isXWayland(xcb_connection_t *connection)
{
    if (!connection || xcb_connection_has_error(connection))
        return false;
    static constexpr char name[] = "XWAYLAND";
    const XcbReplyPtr<xcb_query_extension_reply_t> reply(xcb_query_extension_reply(
        connection, xcb_query_extension(connection, sizeof name - 1, name), nullptr));
    if (reply && reply->present)
        return true;
    // Older XWayland has no extension of its own but names its outputs after itself.
    const QList<QScreen *> screens = QGuiApplication::screens();
    return std::any_of(screens.begin(), screens.end(),
        [](const QScreen *s) { return s->name().startsWith(QLatin1String("XWAYLAND")); });
}

void preferX11(int argc, char **argv)
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !declared())
        return;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0
            || std::strncmp(argv[i], "-platform=", 10) == 0)
            return;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
}

} // namespace WaylandSession
