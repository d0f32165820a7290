// Real presses and drags on the palette, with the pointer held inside the pressed surface as the
// screen shows it, at every scale; dragged beyond a corner, the corner's colour.
#include "TestWindow.h"
#include "X11CursorImage.h"
#include "X11TestSupport.h"
#include "platform/XcbReplyPtr.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QCursor>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

using namespace X11TestSupport;

namespace {

// The drawing area of a surface as the screen shows it, in root pixels.
QRect drawingArea(const PictureBox *surface)
{
    return nativeRect(surface, surface->contentsRect());
}

// The root pixel that shows a pixel of the drawing.
QPoint onDrawing(const PictureBox *surface, QPoint pixel)
{
    return nativeOf(
        surface, surface->contentsRect().topLeft() + QPointF(pixel) + QPointF(0.5, 0.5));
}

QSize rootSize()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_get_geometry_reply_t *g = xcb_get_geometry_reply(c, xcb_get_geometry(c, root), nullptr);
    const QSize size = g ? QSize(g->width, g->height) : QSize();
    std::free(g);
    xcb_disconnect(c);
    return size;
}

// Whether another client could take the pointer now, that is, nobody holds it grabbed.
bool pointerIsFree()
{
    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const XcbReplyPtr<xcb_grab_pointer_reply_t> reply(xcb_grab_pointer_reply(c,
        xcb_grab_pointer(c, 0, root, 0, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC, XCB_NONE,
            XCB_NONE, XCB_CURRENT_TIME),
        nullptr));
    const bool free = reply && reply->status == XCB_GRAB_STATUS_SUCCESS;
    xcb_disconnect(c); // ends the probe's own grab
    return free;
}

} // namespace

class tst_PalettePickerX11 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QUORVIN_SKIP_WITHOUT_X11(); }
    void init();
    void cleanup();
    void dragStaysInsideThePressedSurface_data();
    void dragStaysInsideThePressedSurface();
    void releaseOfAnyButtonFreesThePointer_data();
    void releaseOfAnyButtonFreesThePointer();
    void pointersComeBackAfterALostGrab();
    void smallerScreenEndsTheConfinement();

private:
    std::unique_ptr<frmQuorvin> m_window;
    QList<int> m_held;
    QSize m_rootBefore; // set while a case has resized the root
};

void tst_PalettePickerX11::init()
{
    m_window = TestWindow::started(PlatformServices::create());
    QVERIFY(m_window);
}

void tst_PalettePickerX11::cleanup()
{
    // A case that failed half-way must not leave a button down or the pointer confined.
    for (int button : std::as_const(m_held))
        release(button);
    m_held.clear();
    if (m_rootBefore.isValid()) {
        // The shrink switched the monitor off; the next tests need the screen as it was.
        run(QStringLiteral("xrandr"),
            { QStringLiteral("--fb"),
                QStringLiteral("%1x%2").arg(m_rootBefore.width()).arg(m_rootBefore.height()) });
        run(QStringLiteral("xrandr"), { QStringLiteral("--auto") });
        m_rootBefore = QSize();
    }
    m_window.reset();
}

void tst_PalettePickerX11::dragStaysInsideThePressedSurface_data()
{
    QTest::addColumn<int>("surface");
    QTest::addColumn<QPoint>("pressAt");
    QTest::addColumn<QString>("pressColor");
    QTest::addColumn<QPoint>("dragBy"); // far beyond the surface, in root pixels
    QTest::addColumn<QString>("edgeColor");
    QTest::newRow("field, out to the lower right")
        << 0 << QPoint(100, 51) << "51,155,204" << QPoint(900, 900) << "255,0,0";
    QTest::newRow("field, out to the upper left")
        << 0 << QPoint(100, 50) << "50,155,205" << QPoint(-900, -900) << "0,255,255";
    QTest::newRow("field, out to the upper right")
        << 0 << QPoint(100, 50) << "50,155,205" << QPoint(900, -900) << "0,0,255";
    QTest::newRow("field, out to the lower left")
        << 0 << QPoint(100, 50) << "50,155,205" << QPoint(-900, 900) << "255,255,0";
    QTest::newRow("field, down onto the grey ramp")
        << 0 << QPoint(100, 200) << "200,155,55" << QPoint(0, 300) << "255,155,0";
    QTest::newRow("grey ramp, out to the upper left")
        << 1 << QPoint(77, 10) << "77,77,77" << QPoint(-900, -900) << "0,0,0";
    QTest::newRow("grey ramp, out to the right")
        << 1 << QPoint(77, 10) << "77,77,77" << QPoint(900, 0) << "255,255,255";
}

void tst_PalettePickerX11::dragStaysInsideThePressedSurface()
{
    QFETCH(int, surface);
    QFETCH(QPoint, pressAt);
    QFETCH(QString, pressColor);
    QFETCH(QPoint, dragBy);
    QFETCH(QString, edgeColor);
    PictureBox *pressed = m_window->ui.picColor[surface];
    const QRect area = drawingArea(pressed);
    // What the screen shows at a root pixel, in the same form.
    const auto shown = [](QPoint at) {
        const QRgb c = screenPixel(at);
        return QStringLiteral("%1,%2,%3").arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c));
    };
    const auto channels = [this] {
        return QStringLiteral("%1,%2,%3")
            .arg(m_window->ui.HScroll1[0]->value())
            .arg(m_window->ui.HScroll1[1]->value())
            .arg(m_window->ui.HScroll1[2]->value());
    };

    const QPoint start = onDrawing(pressed, pressAt);
    moveTo(start);
    press(1);
    m_held.append(1);
    QCOMPARE(shown(start), pressColor);
    QTRY_COMPARE(channels(), pressColor);

    for (int step = 1; step <= 4; ++step)
        moveTo(start + dragBy * step / 4);
    const QPoint held = pointerNow();
    QVERIFY2(area.contains(held),
        qPrintable(QStringLiteral("pointer escaped to %1,%2").arg(held.x()).arg(held.y())));
    // Stopped on the corner's pixel as the screen shows it, which is the colour taken.
    QCOMPARE(shown(held), edgeColor);
    QTRY_COMPARE(channels(), edgeColor);

    release(1);
    m_held.clear();
    QTRY_VERIFY(!m_window->colorModul.PaletteDragActive);
    // The screen's corner lies outside the window, where no confined pointer could go.
    const QPoint outside(5, 5);
    moveTo(outside);
    QCOMPARE(pointerNow(), outside);
}

void tst_PalettePickerX11::releaseOfAnyButtonFreesThePointer_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");
    QTest::newRow("right released first, left outside") << 3 << 1;
    QTest::newRow("left released first, right outside") << 1 << 3;
}

void tst_PalettePickerX11::releaseOfAnyButtonFreesThePointer()
{
    QFETCH(int, first);
    QFETCH(int, second);
    const QRect area = drawingArea(m_window->ui.picColor[0]);
    moveTo(area.center());
    press(1);
    press(3);
    m_held = { 1, 3 };
    release(first);
    m_held = { second };
    QTRY_VERIFY(!m_window->colorModul.PaletteDragActive);
    const QPoint outside(5, 5);
    moveTo(outside);
    QCOMPARE(pointerNow(), outside);

    // The last release, far from the window, must still leave its pointers as they were.
    release(second);
    m_held.clear();
    moveTo(nativeOf(m_window.get(), QPointF(20.5, 5.5)));
    settle(200);
    QCOMPARE(X11CursorImage::current().hotSpot, QPoint(0, 10)); // the arrow, not the pipette
    QVERIFY2(pointerIsFree(), "the pointer is still grabbed");
}

// Minimised during a drag, the window loses the grab and never sees the release: after the
// restore each part of it must show its own pointer again, not the pipette everywhere.
void tst_PalettePickerX11::pointersComeBackAfterALostGrab()
{
    PictureBox *field = m_window->ui.picColor[0];
    moveTo(onDrawing(field, QPoint(100, 50)));
    press(1);
    m_held = { 1 };
    QTRY_VERIFY(m_window->colorModul.PaletteDragActive);
    const QString id = QString::number(m_window->winId());
    const QPoint origin = nativeOf(m_window.get(), QPointF(0, 0));
    QCOMPARE(run(QStringLiteral("xdotool"), { QStringLiteral("windowminimize"), id }).exitCode, 0);
    QTRY_VERIFY(!m_window->colorModul.PaletteDragActive);
    release(1);
    m_held.clear();
    // The window manager has done with the minimise before it restores.
    QTRY_VERIFY(m_window->isMinimized());
    waitForWindowManager();

    // Restored as a click on its task bar entry does.
    QCOMPARE(run(QStringLiteral("xdotool"),
                 { QStringLiteral("windowmap"), QStringLiteral("--sync"), id })
                 .exitCode,
        0);
    run(QStringLiteral("xdotool"), { QStringLiteral("windowactivate"), id });
    // The window manager animates the restore: the window is back once it stands where it stood.
    QTRY_VERIFY(m_window->isActiveWindow());
    QTRY_COMPARE_WITH_TIMEOUT(nativeOf(m_window.get(), QPointF(0, 0)), origin, 5000);
    struct Place
    {
        QWidget *widget;
        QPointF at;
        QPoint hotSpot;
    };
    for (const Place &place : { Place { m_window.get(), QPointF(20.5, 5.5), QPoint(0, 10) },
             Place { field, QPointF(101.5, 51.5), QPoint(0, 31) },
             Place { m_window.get(), QPointF(20.5, 5.5), QPoint(0, 10) } }) {
        moveTo(nativeOf(place.widget, place.at));
        // Qt sets the pointer of the control it finds under the pointer as the events arrive.
        QTRY_COMPARE(X11CursorImage::current().hotSpot, place.hotSpot);
    }
    QVERIFY2(pointerIsFree(), "the pointer is still grabbed");
}

// The root shrinks under a drag until the pressed surface lies partly off it: the pointer must
// not stay held in a rectangle the screen no longer shows.
void tst_PalettePickerX11::smallerScreenEndsTheConfinement()
{
    PictureBox *field = m_window->ui.picColor[0];
    const QRect area = drawingArea(field);
    moveTo(onDrawing(field, QPoint(100, 50)));
    press(1);
    m_held = { 1 };
    QTRY_VERIFY(m_window->colorModul.PaletteDragActive);
    const QPoint outside(5, 5);
    moveTo(outside);
    QVERIFY2(area.contains(pointerNow()), "the drag did not confine the pointer");

    m_rootBefore = rootSize();
    const QSize smaller(area.center().x(), m_rootBefore.height());
    run(QStringLiteral("xrandr"),
        { QStringLiteral("--fb"),
            QStringLiteral("%1x%2").arg(smaller.width()).arg(smaller.height()) });
    QTRY_COMPARE(rootSize(), smaller);
    QTRY_VERIFY_WITH_TIMEOUT(
        [&] {
            moveTo(outside);
            return pointerNow() == outside;
        }(),
        5000);
    release(1);
    m_held.clear();
    QTRY_VERIFY(pointerIsFree());
}

QTEST_MAIN(tst_PalettePickerX11)
#include "tst_palettepicker_x11.moc"
