#include "X11CursorImage.h"

#include "platform/X11Connection.h"
#include "platform/XcbReplyPtr.h"

#include <xcb/xcb.h>
#include <xcb/xfixes.h>

X11CursorImage X11CursorImage::current()
{
    X11CursorImage result;
    xcb_connection_t *c = x11Connection();
    if (!c)
        return result;

    // The extension answers nothing until the client has told it which version it speaks.
    const XcbReplyPtr<xcb_xfixes_query_version_reply_t> version(xcb_xfixes_query_version_reply(c,
        xcb_xfixes_query_version(c, XCB_XFIXES_MAJOR_VERSION, XCB_XFIXES_MINOR_VERSION), nullptr));
    if (!version)
        return result;

    const auto reply
        = xcbReply(xcb_xfixes_get_cursor_image_reply, c, xcb_xfixes_get_cursor_image(c));
    if (!reply)
        return result;
    const uint32_t *pixels = xcb_xfixes_get_cursor_image_cursor_image(reply.get());
    QImage image(reply->width, reply->height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < reply->height; ++y) {
        auto *line = reinterpret_cast<uint32_t *>(image.scanLine(y));
        for (int x = 0; x < reply->width; ++x)
            line[x] = pixels[y * reply->width + x];
    }
    result.image = image;
    result.hotSpot = QPoint(reply->xhot, reply->yhot);
    return result;
}
