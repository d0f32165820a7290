#include "platform/X11ScreenReader.h"

#include "platform/X11Buttons.h"
#include "platform/X11Connection.h"
#include "platform/X11Visual.h"
#include "platform/XcbReplyPtr.h"

#include <xcb/xcb.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <memory>

namespace {

// One channel scaled to 0..255, whatever its width in the pixel.
int channel(std::uint32_t pixel, std::uint32_t mask)
{
    const int shift = std::countr_zero(mask);
    const std::uint32_t max = mask >> shift;
    const std::uint32_t value = (pixel & mask) >> shift;
    const int bits = std::bit_width(max);
    if (bits >= 8)
        return static_cast<int>(value >> (bits - 8));
    return static_cast<int>((value * 255 + max / 2) / max);
}

} // namespace

X11ScreenReader::X11ScreenReader(const char *displayName)
    : m_ownConnection(true)
    , m_displayName(displayName ? displayName : "")
{ }

X11ScreenReader::~X11ScreenReader()
{
    if (m_ownConnection && m_connection)
        xcb_disconnect(m_connection);
}

bool X11ScreenReader::connected()
{
    if (m_root || !m_ownConnection || m_connection)
        return m_root != 0;
    // Opened once: a display that cannot be reached now is not retried on every tick.
    if (const xcb_screen_t *s = x11OpenScreen(m_displayName, &m_connection))
        m_root = s->root;
    return m_root != 0;
}

bool X11ScreenReader::pointerPosition(QPoint *root, bool *buttonHeld)
{
    if (!connected())
        return false;
    const auto reply
        = xcbReply(xcb_query_pointer_reply, m_connection, xcb_query_pointer(m_connection, m_root));
    if (!reply)
        return false;
    // On a server with several screens the pointer may be on another root; its coordinates
    // belong to that one, so the pixel is read there.
    m_root = reply->root;
    *root = QPoint(reply->root_x, reply->root_y);
    // The core mask knows buttons 1 to 5 only; a side button needs the longer question.
    *buttonHeld = x11CoreButtonHeld(reply->mask) || x11AnyButtonHeld(m_connection, m_root);
    return true;
}

ColorValue X11ScreenReader::pixelAt(QPoint root)
{
    constexpr int maxCoordinate = std::numeric_limits<std::int16_t>::max();
    if (!connected() || root.x() < 0 || root.y() < 0 || root.x() > maxCoordinate
        || root.y() > maxCoordinate)
        return -1;
    // Outside the root (after a resize, say) the server answers BadMatch: an ordinary miss.
    const auto reply = xcbReply(xcb_get_image_reply, m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
            static_cast<std::int16_t>(root.x()), static_cast<std::int16_t>(root.y()), 1, 1, ~0u));
    if (!reply)
        return -1;
    if ((reply->visual != m_formatVisual || reply->depth != m_formatDepth)
        && !lookUpFormat(reply->visual, reply->depth))
        return -1;
    return decode(m_format, xcb_get_image_data(reply.get()),
        static_cast<std::size_t>(xcb_get_image_data_length(reply.get())));
}

bool X11ScreenReader::readBlock(QPoint centre, int radius, ScreenBlock *block)
{
    if (!connected() || radius < 0)
        return false;
    const int side = 2 * radius + 1;
    const QRect area = QRect(centre - QPoint(radius, radius), QSize(side, side)) & rootArea();
    if (!area.contains(centre))
        return false;
    const auto reply = xcbReply(xcb_get_image_reply, m_connection,
        xcb_get_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_root,
            static_cast<std::int16_t>(area.x()), static_cast<std::int16_t>(area.y()),
            static_cast<std::uint16_t>(area.width()), static_cast<std::uint16_t>(area.height()),
            ~0u));
    if (!reply) {
        // The root may have shrunk since its size was asked: ask again before the next read.
        m_sizedRoot = 0;
        return false;
    }
    if ((reply->visual != m_formatVisual || reply->depth != m_formatDepth)
        && !lookUpFormat(reply->visual, reply->depth))
        return false;
    const std::uint8_t *data = xcb_get_image_data(reply.get());
    const auto size = static_cast<std::size_t>(xcb_get_image_data_length(reply.get()));
    const int bytes = m_format.bitsPerPixel / 8;
    const int pad = std::max(8, m_format.scanlinePad);
    const auto stride = static_cast<std::size_t>(
        (area.width() * m_format.bitsPerPixel + pad - 1) / pad * pad / 8);
    block->centre = centre;
    block->radius = radius;
    block->pixels.assign(static_cast<std::size_t>(side * side), -1);
    for (int y = 0; y < area.height(); ++y) {
        const std::size_t row = stride * static_cast<std::size_t>(y);
        const auto out = static_cast<std::size_t>(
            (area.y() - centre.y() + radius + y) * side + area.x() - centre.x() + radius);
        for (int x = 0; x < area.width(); ++x) {
            const std::size_t at = row + static_cast<std::size_t>(x * bytes);
            if (at >= size)
                break;
            block->pixels[out + static_cast<std::size_t>(x)]
                = decode(m_format, data + at, size - at);
        }
    }
    return block->centreColor() >= 0;
}

QRect X11ScreenReader::rootArea()
{
    if (m_sizedRoot == m_root)
        return m_rootArea;
    const auto reply
        = xcbReply(xcb_get_geometry_reply, m_connection, xcb_get_geometry(m_connection, m_root));
    m_rootArea = reply ? QRect(0, 0, reply->width, reply->height) : QRect();
    m_sizedRoot = reply ? m_root : 0;
    return m_rootArea;
}

bool X11ScreenReader::lookUpFormat(std::uint32_t visual, std::uint8_t depth)
{
    m_formatVisual = 0;
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    PixelFormat format;
    format.msbFirst = setup->image_byte_order == XCB_IMAGE_ORDER_MSB_FIRST;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0; xcb_format_next(&f)) {
        if (f.data->depth == depth) {
            format.bitsPerPixel = f.data->bits_per_pixel;
            format.scanlinePad = f.data->scanline_pad;
        }
    }
    const xcb_visualtype_t *found = x11Visual(m_connection, visual);
    // Other classes hold colour-map indices, not colours.
    if (!found || found->_class != XCB_VISUAL_CLASS_TRUE_COLOR || format.bitsPerPixel == 0)
        return false;
    format.redMask = found->red_mask;
    format.greenMask = found->green_mask;
    format.blueMask = found->blue_mask;
    m_format = format;
    m_formatVisual = visual;
    m_formatDepth = depth;
    return true;
}

ColorValue X11ScreenReader::decode(
    const PixelFormat &format, const std::uint8_t *data, std::size_t size)
{
    const int bytes = format.bitsPerPixel / 8;
    if (format.bitsPerPixel % 8 != 0 || bytes < 1 || bytes > 4
        || size < static_cast<std::size_t>(bytes) || !format.redMask || !format.greenMask
        || !format.blueMask)
        return -1;
    std::uint32_t pixel = 0;
    for (int i = 0; i < bytes; ++i) {
        const int shift = 8 * (format.msbFirst ? bytes - 1 - i : i);
        pixel |= std::uint32_t(data[i]) << shift;
    }
    return rgbValue(channel(pixel, format.redMask), channel(pixel, format.greenMask),
        channel(pixel, format.blueMask));
}
