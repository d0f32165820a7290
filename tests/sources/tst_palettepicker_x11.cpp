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

private:
    std::unique_ptr<frmQuorvin> m_window;
    QList<int> m_held;
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

QTEST_MAIN(tst_PalettePickerX11)
#include "tst_palettepicker_x11.moc"
