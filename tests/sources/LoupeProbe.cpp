#include "LoupeProbe.h"

#include "X11TestSupport.h"
#include "core/LoupeGeometry.h"
#include "platform/X11Connection.h"

#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace X11TestSupport;

namespace LoupeProbe {

double deviceRatio()
{
    return QGuiApplication::primaryScreen()->devicePixelRatio();
}

LoupeSeen loupeSeen()
{
    const Result r = run(QStringLiteral("xwininfo"), { "-name", "quorvin-loupe" });
    LoupeSeen seen;
    if (r.exitCode != 0)
        return seen;
    const QString out = QString::fromLocal8Bit(r.out);
    const auto number = [&out](const char *label) {
        const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(label)));
        return re.match(out).captured(1).toInt();
    };
    seen.exists = true;
    seen.viewable = out.contains(QLatin1String("IsViewable"));
    seen.area = QRect(number("Absolute upper-left X"), number("Absolute upper-left Y"),
        number("Width"), number("Height"));
    return seen;
}

QRect screenArea()
{
    return QRect(QPoint(0, 0), QGuiApplication::primaryScreen()->virtualSize() * deviceRatio());
}

QImage screenImage(const QRect &area)
{
    xcb_connection_t *c = x11Connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_get_image_reply_t *reply = xcb_get_image_reply(c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, int16_t(area.x()), int16_t(area.y()),
            uint16_t(area.width()), uint16_t(area.height()), ~0u),
        nullptr);
    QImage image;
    // Depth 24 in 32 bits, as the test servers run it.
    if (reply && xcb_get_image_data_length(reply) >= area.width() * area.height() * 4)
        image = QImage(xcb_get_image_data(reply), area.width(), area.height(), QImage::Format_RGB32)
                    .copy();
    std::free(reply);
    return image;
}

QString loupeMismatch(const QRect &loupe, QPoint pointer, int pixels)
{
    const LoupeGeometry::Layout l = LoupeGeometry::layout(pixels, deviceRatio());
    if (loupe.size() != QSize(l.width, l.height))
        return QStringLiteral("loupe is %1x%2").arg(loupe.width()).arg(loupe.height());
    const int half = pixels / 2;
    const QRect block = QRect(pointer - QPoint(half, half), QSize(pixels, pixels)) & screenArea();
    const QImage shown = screenImage(loupe);
    const QImage screen = screenImage(block);
    if (shown.isNull() || screen.isNull())
        return QStringLiteral("screen not read");
    const auto inCell = [&l, half](int i) {
        return i < half ? 0 : i > half ? l.cell - 1 : l.cell / 2;
    };
    for (int j = 0; j < pixels; ++j) {
        for (int i = 0; i < pixels; ++i) {
            const QPoint root = pointer + QPoint(i - half, j - half);
            if (!block.contains(root))
                continue;
            const QRgb want = screen.pixel(root - block.topLeft()) & 0xffffff;
            const QRgb got
                = shown.pixel(l.gridX + i * l.cell + inCell(i), l.gridY + j * l.cell + inCell(j))
                & 0xffffff;
            if (want != got)
                return QStringLiteral("cell %1,%2 shows %3, the screen %4")
                    .arg(i)
                    .arg(j)
                    .arg(got, 6, 16, QChar('0'))
                    .arg(want, 6, 16, QChar('0'));
        }
    }
    return {};
}

bool othersCanGrab(bool pointer, bool keyboard)
{
    int screen = 0;
    xcb_connection_t *c = xcb_connect(nullptr, &screen);
    if (xcb_connection_has_error(c)) {
        xcb_disconnect(c);
        return false;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    bool ok = true;
    if (pointer) {
        xcb_grab_pointer_reply_t *r = xcb_grab_pointer_reply(c,
            xcb_grab_pointer(c, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE,
                XCB_NONE, XCB_CURRENT_TIME),
            nullptr);
        ok = r && r->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(r);
        xcb_ungrab_pointer(c, XCB_CURRENT_TIME);
    }
    if (keyboard) {
        xcb_grab_keyboard_reply_t *r = xcb_grab_keyboard_reply(c,
            xcb_grab_keyboard(
                c, 0, root, XCB_CURRENT_TIME, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC),
            nullptr);
        ok = ok && r && r->status == XCB_GRAB_STATUS_SUCCESS;
        std::free(r);
        xcb_ungrab_keyboard(c, XCB_CURRENT_TIME);
    }
    xcb_flush(c);
    xcb_disconnect(c);
    return ok;
}

} // namespace LoupeProbe
