#include "platform/X11LoupeWindow.h"

#include "platform/X11Connection.h"
#include "platform/XcbReplyPtr.h"

#include <QImage>
#include <QSysInfo>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

X11LoupeWindow::X11LoupeWindow(std::string displayName)
    : m_displayName(std::move(displayName))
{ }

X11LoupeWindow::~X11LoupeWindow()
{
    if (m_connection)
        xcb_disconnect(m_connection);
}

bool X11LoupeWindow::created()
{
    if (m_window || m_tried)
        return m_window != 0;
    m_tried = true;
    const xcb_screen_t *screen = x11OpenScreen(m_displayName, &m_connection);
    if (!screen)
        return false;
    m_root = screen->root;
    m_depth = screen->root_depth;
    // Only the usual true-colour root is drawn; elsewhere the hold goes on without a loupe.
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    int bitsPerPixel = 0;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem > 0; xcb_format_next(&f)) {
        if (f.data->depth == m_depth)
            bitsPerPixel = f.data->bits_per_pixel;
    }
    for (auto d = xcb_screen_allowed_depths_iterator(screen); d.rem > 0; xcb_depth_next(&d)) {
        for (auto v = xcb_depth_visuals_iterator(d.data); v.rem > 0; xcb_visualtype_next(&v)) {
            if (v.data->visual_id == screen->root_visual)
                m_plainRgb32 = v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR
                    && v.data->red_mask == 0xff0000 && v.data->green_mask == 0xff00
                    && v.data->blue_mask == 0xff;
        }
    }
    const bool littleEndian = QSysInfo::ByteOrder == QSysInfo::LittleEndian;
    m_plainRgb32 = m_plainRgb32 && bitsPerPixel == 32
        && (setup->image_byte_order == XCB_IMAGE_ORDER_LSB_FIRST) == littleEndian;
    if (!m_plainRgb32)
        return false;
    m_window = xcb_generate_id(m_connection);
    // No background: a move or a map leaves the content alone, and an expose is answered with
    // the picture it last had.
    const std::uint32_t values[] = { XCB_BACK_PIXMAP_NONE, 1, XCB_EVENT_MASK_EXPOSURE };
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, m_root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
        XCB_CW_BACK_PIXMAP | XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
    m_gc = xcb_generate_id(m_connection);
    xcb_create_gc(m_connection, m_gc, m_window, 0, nullptr);
    const char name[] = "quorvin-loupe";
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, XCB_ATOM_WM_NAME,
        XCB_ATOM_STRING, 8, sizeof name - 1, name);
    const std::uint32_t type = x11Atom(m_connection, "_NET_WM_WINDOW_TYPE_TOOLTIP", false);
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window,
        x11Atom(m_connection, "_NET_WM_WINDOW_TYPE", false), XCB_ATOM_ATOM, 32, 1, &type);
    return true;
}

bool X11LoupeWindow::place(const QRect &root)
{
    if (!created() || root.isEmpty())
        return false;
    if (exposed())
        put(m_image);
    if (root != m_area || !m_mapped) {
        // Raised each time: whatever was mapped since, this program's topmost window included,
        // stays under it.
        const std::uint32_t values[] = { static_cast<std::uint32_t>(root.x()),
            static_cast<std::uint32_t>(root.y()), static_cast<std::uint32_t>(root.width()),
            static_cast<std::uint32_t>(root.height()), XCB_STACK_MODE_ABOVE };
        xcb_configure_window(m_connection, m_window,
            XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y | XCB_CONFIG_WINDOW_WIDTH
                | XCB_CONFIG_WINDOW_HEIGHT | XCB_CONFIG_WINDOW_STACK_MODE,
            values);
        m_area = root;
    }
    if (!m_mapped) {
        xcb_map_window(m_connection, m_window);
        m_mapped = true;
    }
    xcb_flush(m_connection);
    return true;
}

void X11LoupeWindow::paint(const QImage &source)
{
    if (!m_window)
        return;
    m_image = source.format() == QImage::Format_RGB32
        ? source
        : source.convertToFormat(QImage::Format_RGB32);
    put(m_image);
}

void X11LoupeWindow::put(const QImage &image)
{
    if (image.isNull())
        return;
    const int width = std::min(image.width(), m_area.width());
    const int height = std::min(image.height(), m_area.height());
    if (width <= 0 || height <= 0)
        return;
    // A request has a size limit; a large loupe goes in bands of rows.
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 4;
    const std::size_t limit = std::size_t(xcb_get_maximum_request_length(m_connection)) * 4 - 64;
    const int rowsPerBand = std::max<int>(1, static_cast<int>(limit / rowBytes));
    std::vector<std::uint8_t> band;
    for (int y = 0; y < height; y += rowsPerBand) {
        const int rows = std::min(rowsPerBand, height - y);
        const std::uint8_t *data = image.constScanLine(y);
        if (std::size_t(image.bytesPerLine()) != rowBytes) {
            band.resize(rowBytes * static_cast<std::size_t>(rows));
            for (int r = 0; r < rows; ++r)
                std::memcpy(band.data() + rowBytes * static_cast<std::size_t>(r),
                    image.constScanLine(y + r), rowBytes);
            data = band.data();
        }
        xcb_put_image(m_connection, XCB_IMAGE_FORMAT_Z_PIXMAP, m_window, m_gc,
            static_cast<std::uint16_t>(width), static_cast<std::uint16_t>(rows), 0,
            static_cast<std::int16_t>(y), 0, m_depth,
            static_cast<std::uint32_t>(rowBytes * static_cast<std::size_t>(rows)), data);
    }
    xcb_flush(m_connection);
}

void X11LoupeWindow::hide()
{
    if (!m_mapped)
        return;
    xcb_unmap_window(m_connection, m_window);
    xcb_flush(m_connection);
    m_mapped = false;
}

bool X11LoupeWindow::exposed()
{
    // Errors of requests that failed come here too; they are not kept.
    bool any = false;
    while (const XcbReplyPtr<xcb_generic_event_t> event { xcb_poll_for_event(m_connection) })
        any = any || (event->response_type & 0x7f) == XCB_EXPOSE;
    return any;
}
