#include "platform/X11PointerConfiner.h"

#include "platform/X11Buttons.h"
#include "platform/XcbReplyPtr.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <xcb/xcb.h>

X11PointerConfiner::X11PointerConfiner(xcb_connection_t *connection)
    : m_connection(connection)
{ }

X11PointerConfiner::~X11PointerConfiner()
{
    ungrab();
}

bool X11PointerConfiner::confine(QWidget *widget)
{
    ungrab();
    QWidget *top = widget->window();
    QWindow *handle = top->windowHandle();
    if (!handle)
        return false;
    const auto topWindow = static_cast<xcb_window_t>(handle->winId());

    // Native pixels of the drawing area, relative to the top-level window.
    const qreal ratio = handle->devicePixelRatio();
    const QRect inner = widget->contentsRect();
    const QPoint origin = widget->mapTo(top, inner.topLeft());
    const auto x = static_cast<int16_t>(qRound(origin.x() * ratio));
    const auto y = static_cast<int16_t>(qRound(origin.y() * ratio));
    const auto width = static_cast<uint16_t>(qMax(1, qRound(inner.width() * ratio)));
    const auto height = static_cast<uint16_t>(qMax(1, qRound(inner.height() * ratio)));

    m_confineWindow = xcb_generate_id(m_connection);
    // No event mask: input over it goes on to the top-level window, where Qt expects it.
    xcb_create_window(m_connection, 0, m_confineWindow, topWindow, x, y, width, height, 0,
        XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_map_window(m_connection, m_confineWindow);
    // The server refuses a core grab while the press's implicit XI2 grab is in force; a core
    // ungrab ends that implicit grab of this client.
    xcb_ungrab_pointer(m_connection, XCB_CURRENT_TIME);
    m_grabWindow = topWindow;
    const bool ok = grab(m_confineWindow);
    if (!ok)
        ungrab();
    else
        followScreens();
    return ok;
}

// A screen that shrinks or goes during a drag can leave the confining rectangle off the root,
// where the pointer would be held out of sight until the release.
void X11PointerConfiner::followScreens()
{
    const auto check = [this] {
        if (m_confineWindow && !confinementOnScreen())
            release();
    };
    const auto watch = [this, check](QScreen *screen) {
        m_screenWatch.append(QObject::connect(screen, &QScreen::geometryChanged, check));
        // The only word of a root that shrinks while its monitor's mode stays.
        m_screenWatch.append(QObject::connect(screen, &QScreen::virtualGeometryChanged, check));
    };
    for (QScreen *screen : QGuiApplication::screens())
        watch(screen);
    m_screenWatch.append(QObject::connect(qGuiApp, &QGuiApplication::screenRemoved, check));
    m_screenWatch.append(QObject::connect(qGuiApp, &QGuiApplication::screenAdded, watch));
}

void X11PointerConfiner::stopFollowingScreens()
{
    for (const QMetaObject::Connection &c : std::as_const(m_screenWatch))
        QObject::disconnect(c);
    m_screenWatch.clear();
}

bool X11PointerConfiner::confinementOnScreen() const
{
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const auto rootSize
        = xcbReply(xcb_get_geometry_reply, m_connection, xcb_get_geometry(m_connection, root));
    const auto size = xcbReply(
        xcb_get_geometry_reply, m_connection, xcb_get_geometry(m_connection, m_confineWindow));
    const auto at = xcbReply(xcb_translate_coordinates_reply, m_connection,
        xcb_translate_coordinates(m_connection, m_confineWindow, root, 0, 0));
    const bool inside = rootSize && size && at && at->dst_x >= 0 && at->dst_y >= 0
        && at->dst_x + size->width <= rootSize->width
        && at->dst_y + size->height <= rootSize->height;
    return inside;
}

bool X11PointerConfiner::grab(std::uint32_t confineTo)
{
    const uint16_t events = XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_BUTTON_RELEASE
        | XCB_EVENT_MASK_POINTER_MOTION;
    const auto reply = xcbReply(xcb_grab_pointer_reply, m_connection,
        xcb_grab_pointer(m_connection, 1, m_grabWindow, events, XCB_GRAB_MODE_ASYNC,
            XCB_GRAB_MODE_ASYNC, confineTo, XCB_NONE, XCB_CURRENT_TIME));
    return reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
}

void X11PointerConfiner::release()
{
    if (!m_grabWindow)
        return;
    // Our grab replaced the press's implicit one, which would have lasted until the last
    // button went up. While another button is down, keep a free grab, so that its release
    // still reaches the window wherever it happens; otherwise Qt would go on thinking it held
    // and keep the palette's pointer over the whole window.
    stopFollowingScreens();
    if (x11AnyButtonHeld(m_connection, m_grabWindow) && grab(XCB_NONE)) {
        if (m_confineWindow)
            xcb_destroy_window(m_connection, m_confineWindow);
        m_confineWindow = 0;
        xcb_flush(m_connection);
        return;
    }
    ungrab();
}

void X11PointerConfiner::ungrab()
{
    stopFollowingScreens();
    if (m_grabWindow)
        xcb_ungrab_pointer(m_connection, XCB_CURRENT_TIME);
    if (m_confineWindow)
        xcb_destroy_window(m_connection, m_confineWindow);
    m_grabWindow = 0;
    m_confineWindow = 0;
    xcb_flush(m_connection);
}
