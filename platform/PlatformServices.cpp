#include "platform/PlatformServices.h"

#include "platform/DBusColorPortal.h"
#include "platform/NullServices.h"
#include "platform/QtWindowOrder.h"
#include "platform/WaylandScreenReader.h"
#include "platform/WaylandSession.h"
#include "platform/X11Clipboard.h"
#include "platform/X11Connection.h"
#include "platform/X11HoldKeyboard.h"
#include "platform/X11LoupeWindow.h"
#include "platform/X11PointerConfiner.h"
#include "platform/X11ScreenReader.h"
#include "platform/X11SelectionSingleInstance.h"

#include <QGuiApplication>

PlatformServices PlatformServices::create()
{
    xcb_connection_t *connection = x11Connection();
    const bool wayland = WaylandSession::declared() || WaylandSession::isXWayland(connection);
    if (!connection) {
        PlatformServices services = null();
        // Without the X server's pointer there is nothing to follow, so no screen copies.
        if (wayland)
            chooseWaylandEyedropper(services, nullptr, std::make_unique<DBusColorPortal>());
        return services;
    }

    PlatformServices services;
    services.singleInstance
        = std::make_unique<X11SelectionSingleInstance>(connection, x11DefaultScreen());
    services.clipboard = std::make_unique<X11Clipboard>();
    services.windowOrder = std::make_unique<QtWindowOrder>();
    services.pointerConfiner = std::make_unique<X11PointerConfiner>(connection);
    // XWayland shows no other program's pixels to a root read: they would all come out black.
    if (wayland) {
        chooseWaylandEyedropper(services,
            std::make_unique<WaylandScreenReader>(x11DisplayName().c_str()),
            std::make_unique<DBusColorPortal>());
        // The loupe reads the X root, which shows no Wayland window; the hold goes without it.
        services.loupeWindow = std::make_unique<NullLoupeWindow>();
        services.holdKeyboard = std::make_unique<NullHoldKeyboard>();
    } else {
        services.loupeWindow = std::make_unique<X11LoupeWindow>(x11DisplayName());
        services.holdKeyboard = std::make_unique<X11HoldKeyboard>(x11DisplayName());
        services.screenReader = std::make_unique<X11ScreenReader>(x11DisplayName().c_str());
        services.colorPortal = std::make_unique<NullColorPortal>();
    }
    return services;
}

void PlatformServices::chooseWaylandEyedropper(PlatformServices &services,
    std::unique_ptr<ScreenReader> screenCopy, std::unique_ptr<ColorPortal> portal)
{
    services.screenReader = std::make_unique<NullScreenReader>();
    services.colorPortal = std::make_unique<NullColorPortal>();
    if (screenCopy && screenCopy->canRead()) {
        services.screenReader = std::move(screenCopy);
        services.eyedropper = Eyedropper::Screen;
    } else if (portal && portal->offersPick()) {
        services.colorPortal = std::move(portal);
        services.eyedropper = Eyedropper::Portal;
    } else {
        services.eyedropper = Eyedropper::None;
    }
}

PlatformServices PlatformServices::null()
{
    PlatformServices services;
    services.singleInstance = std::make_unique<NullSingleInstance>();
    services.clipboard = std::make_unique<NullClipboard>();
    services.windowOrder = std::make_unique<NullWindowOrder>();
    services.pointerConfiner = std::make_unique<NullPointerConfiner>();
    services.screenReader = std::make_unique<NullScreenReader>();
    services.colorPortal = std::make_unique<NullColorPortal>();
    services.loupeWindow = std::make_unique<NullLoupeWindow>();
    services.holdKeyboard = std::make_unique<NullHoldKeyboard>();
    return services;
}
