#include "X11TestSupport.h"

#include "platform/X11Connection.h"
#include "platform/XcbReplyPtr.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>
#include <QTimer>
#include <QWidget>

#include <xcb/xcb.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace X11TestSupport {

Result run(const QString &program, const QStringList &args, int timeoutMs)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::SeparateChannels);
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, &QEventLoop::quit);
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    process.start(program, args);
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    Result r;
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(2000);
        return r;
    }
    r.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    r.out = process.readAllStandardOutput();
    return r;
}

bool available(QString *why)
{
    // qGuiApp is a plain cast, so it is not null in a test without a GUI.
    const bool gui = qobject_cast<QGuiApplication *>(QCoreApplication::instance());
    if (qEnvironmentVariableIsEmpty("DISPLAY")
        || (gui && QGuiApplication::platformName() != QLatin1String("xcb"))) {
        *why = QStringLiteral("no DISPLAY: run through scripts/test.sh");
        return false;
    }
    for (const char *tool : { "xdotool", "xclip", "xprop" }) {
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
            *why = QStringLiteral("%1 is not installed").arg(QLatin1String(tool));
            return false;
        }
    }
    return true;
}

void settle(int ms)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

void moveTo(QPoint global)
{
    run(QStringLiteral("xdotool"),
        { QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y()) });
    settle(50);
}

namespace {

    xcb_atom_t atom(xcb_connection_t *c, const char *name)
    {
        const XcbReplyPtr<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, uint16_t(std::strlen(name)), name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

} // namespace

void waitForWindowManager()
{
    // A test without a GUI of its own, driving the real program, asks on a connection of its own.
    static xcb_connection_t *const own = x11Connection() ? nullptr : xcb_connect(nullptr, nullptr);
    xcb_connection_t *c = own ? own : x11Connection();
    if (!c || xcb_connection_has_error(c))
        return;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const XcbReplyPtr<xcb_get_property_reply_t> wm(xcb_get_property_reply(c,
        xcb_get_property(
            c, 0, screen->root, atom(c, "_NET_SUPPORTING_WM_CHECK"), XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    const bool managed = wm && wm->value_len > 0;
    if (!managed)
        return;
    const xcb_atom_t request = atom(c, "_NET_REQUEST_FRAME_EXTENTS");
    const xcb_atom_t extents = atom(c, "_NET_FRAME_EXTENTS");
    const xcb_window_t probe = xcb_generate_id(c);
    xcb_create_window(c, XCB_COPY_FROM_PARENT, probe, screen->root, 0, 0, 1, 1, 0,
        XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    xcb_client_message_event_t message {};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = probe;
    message.type = request;
    xcb_send_event(c, 0, screen->root,
        XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
        reinterpret_cast<const char *>(&message));
    xcb_flush(c);
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < 2000) {
        const XcbReplyPtr<xcb_get_property_reply_t> reply(xcb_get_property_reply(
            c, xcb_get_property(c, 0, probe, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
        const bool answered = reply && reply->value_len > 0;
        if (answered)
            break;
        QThread::msleep(5);
    }
    xcb_destroy_window(c, probe);
    xcb_flush(c);
}

void press(int button)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("mousedown"), QString::number(button) });
    waitForWindowManager();
    settle(50);
}

void release(int button)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("mouseup"), QString::number(button) });
    waitForWindowManager();
    settle(50);
}

void click(QPoint global, int button)
{
    moveTo(global);
    press(button);
    release(button);
}

void key(const QString &keysym)
{
    run(QStringLiteral("xdotool"), { QStringLiteral("key"), keysym });
    settle(50);
}

void releaseAllButtons()
{
    // The server ignores the release of a button that is not down.
    QStringList args;
    for (int button : { 1, 2, 3, 8, 9 })
        args << QStringLiteral("mouseup") << QString::number(button);
    run(QStringLiteral("xdotool"), args);
    settle(50);
}

QString windowOfProcess(qint64 pid, int timeoutMs, const QString &display)
{
    QStringList args { QStringLiteral("xdotool"), QStringLiteral("search"),
        QStringLiteral("--onlyvisible"), QStringLiteral("--pid"), QString::number(pid) };
    if (!display.isEmpty())
        args.prepend(QStringLiteral("DISPLAY=") + display);
    QElapsedTimer t;
    t.start();
    do {
        const Result r = run(QStringLiteral("env"), args);
        const QString first = QString::fromUtf8(r.out).trimmed().section(QLatin1Char('\n'), 0, 0);
        if (!first.isEmpty())
            return first;
        settle(200);
    } while (t.elapsed() < timeoutMs);
    return {};
}

bool waitUntilNoWindowIsManaged(int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    QString left;
    do {
        // _NET_CLIENT_LIST(WINDOW): window id # 0x..., 0x...
        left
            = QString::fromUtf8(run(QStringLiteral("xprop"),
                                    { QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST") })
                                    .out)
                  .section(QLatin1Char('#'), 1)
                  .trimmed();
        if (left.isEmpty())
            return true;
        settle(50);
    } while (t.elapsed() < timeoutMs);
    qWarning("the window manager still manages %s", qPrintable(left));
    return false;
}

QPoint centreOf(const QWidget *w)
{
    return nativeOf(w, QRectF(w->rect()).center());
}

namespace {

    xcb_window_t rootWindow(xcb_connection_t *c)
    {
        return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    }

    // Where the top-level window's own origin lies on the root, and its pixels per unit.
    bool windowOrigin(const QWidget *top, QPoint *origin, qreal *ratio)
    {
        xcb_connection_t *c = x11Connection();
        if (!c)
            return false;
        const XcbReplyPtr<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
            c, xcb_translate_coordinates(c, xcb_window_t(top->winId()), rootWindow(c), 0, 0),
            nullptr));
        if (!reply)
            return false;
        *origin = QPoint(reply->dst_x, reply->dst_y);
        *ratio = top->devicePixelRatioF();
        return true;
    }

} // namespace

QPoint nativeOf(const QWidget *w, QPointF local)
{
    const QWidget *top = w->window();
    QPoint origin;
    qreal ratio = 1;
    if (!windowOrigin(top, &origin, &ratio))
        return {};
    const QPointF inTop = w->mapTo(top, local);
    return origin + QPoint(int(std::floor(inTop.x() * ratio)), int(std::floor(inTop.y() * ratio)));
}

QRect nativeRect(const QWidget *w, const QRect &local)
{
    const QWidget *top = w->window();
    QPoint origin;
    qreal ratio = 1;
    if (!windowOrigin(top, &origin, &ratio))
        return {};
    const QRectF r(w->mapTo(top, QPointF(local.topLeft())), QSizeF(local.size()));
    return QRect(
        origin + QPoint(int(std::floor(r.left() * ratio)), int(std::floor(r.top() * ratio))),
        origin
            + QPoint(
                int(std::ceil(r.right() * ratio)) - 1, int(std::ceil(r.bottom() * ratio)) - 1));
}

QRgb screenPixel(QPoint root)
{
    xcb_connection_t *c = x11Connection();
    if (!c)
        return 0;
    const XcbReplyPtr<xcb_get_image_reply_t> reply(xcb_get_image_reply(c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, rootWindow(c), int16_t(root.x()),
            int16_t(root.y()), 1, 1, ~0u),
        nullptr));
    if (!reply)
        return 0;
    // Depth 24 in 32 bits, as the test servers run it.
    QRgb pixel = 0;
    if (xcb_get_image_data_length(reply.get()) >= 4)
        std::memcpy(&pixel, xcb_get_image_data(reply.get()), 4);
    return pixel | 0xff000000u;
}

QPoint pointerNow()
{
    const QByteArray out = run(QStringLiteral("xdotool"),
        { QStringLiteral("getmouselocation"), QStringLiteral("--shell") })
                               .out;
    QPoint p;
    for (const QByteArray &line : out.split('\n')) {
        if (line.startsWith("X="))
            p.setX(line.mid(2).toInt());
        else if (line.startsWith("Y="))
            p.setY(line.mid(2).toInt());
    }
    return p;
}

QList<QRect> monitors()
{
    const QString info = QString::fromLocal8Bit(
        run(QStringLiteral("xdpyinfo"), { QStringLiteral("-ext"), QStringLiteral("XINERAMA") })
            .out);
    QList<QRect> heads;
    const QRegularExpression head(QStringLiteral("head #\\d+: (\\d+)x(\\d+) @ (\\d+),(\\d+)"));
    for (auto it = head.globalMatch(info); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        heads.append(QRect(m.captured(3).toInt(), m.captured(4).toInt(), m.captured(1).toInt(),
            m.captured(2).toInt()));
    }
    if (heads.isEmpty()) {
        const QRegularExpressionMatch m
            = QRegularExpression(QStringLiteral("dimensions: +(\\d+)x(\\d+) pixels")).match(info);
        if (m.hasMatch())
            heads.append(QRect(0, 0, m.captured(1).toInt(), m.captured(2).toInt()));
    }
    return heads;
}

bool paintRoot(QRgb background, const QList<RootFill> &fills)
{
    xcb_connection_t *c = x11Connection();
    if (!c)
        return false;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    if (screen->root_depth != 24)
        return false;
    const xcb_pixmap_t pixmap = xcb_generate_id(c);
    xcb_create_pixmap(c, screen->root_depth, pixmap, screen->root, screen->width_in_pixels,
        screen->height_in_pixels);
    const xcb_gcontext_t gc = xcb_generate_id(c);
    xcb_create_gc(c, gc, pixmap, 0, nullptr);
    const auto fill = [&](const QRect &r, QRgb color) {
        const uint32_t pixel = color & 0xffffff;
        xcb_change_gc(c, gc, XCB_GC_FOREGROUND, &pixel);
        const xcb_rectangle_t rect { int16_t(r.x()), int16_t(r.y()), uint16_t(r.width()),
            uint16_t(r.height()) };
        xcb_poly_fill_rectangle(c, pixmap, gc, 1, &rect);
    };
    fill(QRect(0, 0, screen->width_in_pixels, screen->height_in_pixels), background);
    for (const RootFill &f : fills)
        fill(f.area, f.color);
    xcb_change_window_attributes(c, screen->root, XCB_CW_BACK_PIXMAP, &pixmap);
    xcb_clear_area(c, 0, screen->root, 0, 0, 0, 0);
    xcb_free_gc(c, gc);
    xcb_free_pixmap(c, pixmap);
    xcb_flush(c);
    settle(100);
    return true;
}

QByteArray clipboardText()
{
    return run(QStringLiteral("timeout"),
        { QStringLiteral("5"), QStringLiteral("xclip"), QStringLiteral("-o"),
            QStringLiteral("-selection"), QStringLiteral("clipboard") })
        .out;
}

void seedClipboard(const QByteArray &text)
{
    // xclip -i stays in the background as the owner until someone else takes the selection;
    // it must not inherit our output, or ctest waits for that pipe until the test times out.
    // The text goes in as an argument of its own, so no quote in it can break the command.
    QProcess::startDetached(QStringLiteral("sh"),
        { QStringLiteral("-c"),
            QStringLiteral("printf %s \"$1\" | xclip -i -selection clipboard "
                           ">/dev/null 2>&1"),
            QStringLiteral("sh"), QString::fromUtf8(text) });
    settle(300);
}

QString activeWindow()
{
    return QString::fromUtf8(
        run(QStringLiteral("xdotool"), { QStringLiteral("getactivewindow") }).out)
        .trimmed();
}

QPoint clientOrigin(const QString &window)
{
    const QString info
        = QString::fromUtf8(run(QStringLiteral("xwininfo"), { QStringLiteral("-id"), window }).out);
    const auto number = [&](const char *label) {
        const QRegularExpression re(QStringLiteral("%1:\\s+(-?\\d+)").arg(QLatin1String(label)));
        return re.match(info).captured(1).toInt();
    };
    return QPoint(number("Absolute upper-left X"), number("Absolute upper-left Y"));
}

} // namespace X11TestSupport
