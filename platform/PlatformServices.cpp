#include "platform/PlatformServices.h"

#include "platform/LockFileSingleInstance.h"
#include "platform/NullServices.h"
#include "platform/QtClipboard.h"
#include "platform/QtWindowOrder.h"
#include "platform/X11Connection.h"
#include "platform/X11PointerConfiner.h"
#include "platform/X11ScreenReader.h"

#include <QGuiApplication>

PlatformServices PlatformServices::create()
{
    xcb_connection_t *connection = x11Connection();
    if (!connection)
        return null();

    PlatformServices services;
    const QString lockPath
        = LockFileSingleInstance::lockPathForDisplay(qEnvironmentVariable("DISPLAY"));
    if (lockPath.isEmpty())
        services.singleInstance = std::make_unique<NullSingleInstance>();
    else
        services.singleInstance = std::make_unique<LockFileSingleInstance>(lockPath);
    services.clipboard = std::make_unique<QtClipboard>();
    services.windowOrder = std::make_unique<QtWindowOrder>();
    services.pointerConfiner = std::make_unique<X11PointerConfiner>(connection);
    services.screenReader = std::make_unique<X11ScreenReader>(qgetenv("DISPLAY").constData());
    return services;
}

PlatformServices PlatformServices::null()
{
    PlatformServices services;
    services.singleInstance = std::make_unique<NullSingleInstance>();
    services.clipboard = std::make_unique<NullClipboard>();
    services.windowOrder = std::make_unique<NullWindowOrder>();
    services.pointerConfiner = std::make_unique<NullPointerConfiner>();
    services.screenReader = std::make_unique<NullScreenReader>();
    return services;
}
