// The eyedropper on a real X server with real input: the pixels the screen shows, in this window
// and outside it, on every monitor and at every scale, the pipette shown for the whole hold, and
// the loupe with its wheel, arrow keys and Escape.
#include "LoupeProbe.h"
#include "TestWindow.h"
#include "X11TestSupport.h"

#include "X11CursorImage.h"
#include "app/frmQuorvin.h"
#include "core/LoupeGeometry.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace LoupeProbe;
using namespace X11TestSupport;

namespace {

QList<int> sliders(const frmQuorvin &w)
{
    return { w.ui.HScroll1[0]->value(), w.ui.HScroll1[1]->value(), w.ui.HScroll1[2]->value() };
}

} // namespace

class tst_EyedropperX11 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase() { run(QStringLiteral("xsetroot"), { "-def" }); }
    void cleanup();
    void windowIsCentredOnThePrimaryMonitor();
    void holdSamplesTheScreen_data();
    void holdSamplesTheScreen();
    void linesOnEveryMonitorArePickedExactly_data();
    void linesOnEveryMonitorArePickedExactly();
    void loupeFramesThePixelTaken_data();
    void loupeFramesThePixelTaken();
    void arrowKeysStepByNativePixels_data();
    void arrowKeysStepByNativePixels();
    void escapePutsBackThePressColor();
    void wheelZoomsTheLoupe_data();
    void wheelZoomsTheLoupe();
    void holdEndLeavesNothingBehind_data();
    void holdEndLeavesNothingBehind();

private:
    // Presses on the eyedropper, goes to a root pixel and waits until the sliders took it.
    bool holdAt(QPoint at);
    std::unique_ptr<frmQuorvin> m_window;
};

namespace {

const QRgb background = qRgb(0x12, 0x34, 0x56);
const QRgb upright = qRgb(250, 10, 50);
const QRgb across = qRgb(10, 250, 100);

// Near each monitor's top-left corner, clear of the centred window: a vertical and a
// horizontal one-pixel line, each with the background on both sides.
QPoint uprightAt(const QRect &m)
{
    return m.topLeft() + QPoint(40, 20);
}
QPoint acrossAt(const QRect &m)
{
    return m.topLeft() + QPoint(60, 60);
}

QList<int> channels(QRgb c)
{
    return { qRed(c), qGreen(c), qBlue(c) };
}

// One-pixel grids of distinct colours for the loupe: one clear of everything, and one in each
// of two opposite corners of the primary monitor.
constexpr int gridSide = 40;
// The top-left one stays clear of the point the plain hold reads the background at.
constexpr int cornerSide = 8;
QPoint gridAt(const QRect &m)
{
    return m.topLeft() + QPoint(120, 200);
}
QRgb gridColor(int x, int y)
{
    return qRgb(
        6 * (x % 40) + 5, 6 * (y % 40) + 3, 40 + 80 * ((x / 40 + y / 40) % 3) + (x + y) % 2);
}
QList<RootFill> grid(const QRect &area)
{
    QList<RootFill> fills;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x)
            fills.append({ QRect(x, y, 1, 1), gridColor(x, y) });
    }
    return fills;
}

} // namespace

void tst_EyedropperX11::initTestCase()
{
    QUORVIN_SKIP_WITHOUT_X11();
    QList<RootFill> lines;
    for (const QRect &m : monitors()) {
        lines.append({ QRect(uprightAt(m), QSize(1, 80)), upright });
        lines.append({ QRect(acrossAt(m), QSize(80, 1)), across });
    }
    QVERIFY(!lines.isEmpty());
    const QRect primary = monitors().value(0);
    lines += grid(QRect(gridAt(primary), QSize(gridSide, gridSide)));
    lines += grid(QRect(primary.topLeft(), QSize(cornerSide, cornerSide)));
    lines += grid(QRect(primary.bottomRight() - QPoint(cornerSide - 1, cornerSide - 1),
        QSize(cornerSide, cornerSide)));
    QVERIFY(paintRoot(background, lines));
    m_window = TestWindow::started(PlatformServices::create());
    QVERIFY(m_window);
}

// A failed hold must not leave its button down for the tests after it.
void tst_EyedropperX11::cleanup()
{
    releaseAllButtons();
}

void tst_EyedropperX11::windowIsCentredOnThePrimaryMonitor()
{
    const QRect primary = monitors().value(0);
    const frmQuorvin &w = *m_window;
    const QRect client = nativeRect(&w, w.rect());
    QVERIFY2(primary.contains(client),
        qPrintable(QStringLiteral("window at %1,%2 %3x%4")
                       .arg(client.x())
                       .arg(client.y())
                       .arg(client.width())
                       .arg(client.height())));
    // The frame is the window manager's; a few pixels either way are its part.
    QVERIFY2(qAbs(client.center().x() - primary.center().x()) <= 12,
        qPrintable(QStringLiteral("centre %1, monitor centre %2")
                       .arg(client.center().x())
                       .arg(primary.center().x())));
}

void tst_EyedropperX11::holdSamplesTheScreen_data()
{
    QTest::addColumn<int>("button");
    QTest::newRow("left") << 1;
    QTest::newRow("right") << 3;
    // Side buttons: the core pointer state does not know them.
    QTest::newRow("back (8)") << 8;
    QTest::newRow("forward (9)") << 9;
}

void tst_EyedropperX11::holdSamplesTheScreen()
{
    QFETCH(int, button);
    frmQuorvin &w = *m_window;
    for (ChannelScrollBar *s : w.ui.HScroll1)
        s->setValue(0);
    PictureBox *field = w.ui.picColor[0];
    const QPoint onField = nativeOf(field, field->contentsRect().topLeft() + QPointF(100.5, 50.5));
    const QPoint onRoot = monitors().value(0).topLeft() + QPoint(10, 10);

    moveTo(centreOf(w.ui.picScreenColor));
    press(button);
    QTRY_VERIFY(w.ui.tmrScreenColor->isActive());
    moveTo(onField);
    QTRY_COMPARE(sliders(w), QList<int>({ 50, 155, 205 }));
    // The field's own pipette gives way to the hold's.
    QCOMPARE(X11CursorImage::current().hotSpot, QPoint(4, 27));

    moveTo(onRoot);
    QTRY_COMPARE(sliders(w), channels(background));
    QCOMPARE(X11CursorImage::current().hotSpot, QPoint(4, 27));

    release(button);
    QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
    QVERIFY(!QGuiApplication::overrideCursor());
    moveTo(onField);
    settle(200);
    QCOMPARE(sliders(w), channels(background));
}

void tst_EyedropperX11::linesOnEveryMonitorArePickedExactly_data()
{
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QList<int>>("expected");
    const QList<QRect> all = monitors();
    for (int i = 0; i < all.size(); ++i) {
        const QPoint v = uprightAt(all[i]) + QPoint(0, 40);
        const QPoint h = acrossAt(all[i]) + QPoint(40, 0);
        const auto row = [i](const char *what) -> QTestData & {
            return QTest::newRow(
                qPrintable(QStringLiteral("monitor %1, %2").arg(i + 1).arg(QLatin1String(what))));
        };
        row("vertical line") << v << channels(upright);
        row("left of it") << v - QPoint(1, 0) << channels(background);
        row("right of it") << v + QPoint(1, 0) << channels(background);
        row("horizontal line") << h << channels(across);
        row("above it") << h - QPoint(0, 1) << channels(background);
        row("below it") << h + QPoint(0, 1) << channels(background);
    }
}

void tst_EyedropperX11::linesOnEveryMonitorArePickedExactly()
{
    QFETCH(QPoint, at);
    QFETCH(QList<int>, expected);
    frmQuorvin &w = *m_window;
    // A colour none of the rows expects, so that a stale reading cannot pass.
    w.ui.HScroll1[0]->setValue(1);
    w.ui.HScroll1[1]->setValue(2);
    w.ui.HScroll1[2]->setValue(3);
    moveTo(centreOf(w.ui.picScreenColor));
    press(1);
    QTRY_VERIFY(w.ui.tmrScreenColor->isActive());
    moveTo(at);
    QCOMPARE(pointerNow(), at);
    QTRY_COMPARE(sliders(w), expected);
    release(1);
    QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
}

bool tst_EyedropperX11::holdAt(QPoint at)
{
    frmQuorvin &w = *m_window;
    moveTo(centreOf(w.ui.picScreenColor));
    press(1);
    if (!QTest::qWaitFor([&] { return w.ui.tmrScreenColor->isActive(); }))
        return false;
    moveTo(at);
    return QTest::qWaitFor([&] {
        return pointerNow() == at && sliders(w) == channels(screenPixel(at))
            && loupeSeen().viewable;
    });
}

void tst_EyedropperX11::loupeFramesThePixelTaken_data()
{
    QTest::addColumn<QPoint>("at");
    const QRect primary = monitors().value(0);
    QTest::newRow("clear of everything") << gridAt(primary) + QPoint(gridSide / 2, gridSide / 2);
    QTest::newRow("beside a line") << uprightAt(primary) + QPoint(1, 30);
    QTest::newRow("top-left corner") << primary.topLeft() + QPoint(2, 1);
    QTest::newRow("bottom-right corner") << primary.bottomRight() - QPoint(1, 2);
}

// The framed cell and every other cell show the screen under the pointer, the framed one the
// colour the sliders took; the loupe covers neither the pointer's image nor its own block.
void tst_EyedropperX11::loupeFramesThePixelTaken()
{
    QFETCH(QPoint, at);
    frmQuorvin &w = *m_window;
    w.ui.HScroll1[0]->setValue(1);
    QVERIFY(holdAt(at));
    const LoupeSeen seen = loupeSeen();
    QVERIFY(seen.viewable);
    const LoupeGeometry::Layout l
        = LoupeGeometry::layout(LoupeGeometry::DefaultPixels, deviceRatio());
    const LoupeGeometry::Box c = l.centreCell();
    const QPoint framed = seen.area.topLeft() + QPoint(c.x + c.width / 2, c.y + c.height / 2);
    QCOMPARE(channels(screenPixel(framed)), sliders(w));
    QCOMPARE(channels(screenPixel(framed)), channels(screenPixel(at)));
    const QString mismatch = loupeMismatch(seen.area, at, LoupeGeometry::DefaultPixels);
    QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));

    const int half = LoupeGeometry::DefaultPixels / 2;
    const QRect block(at - QPoint(half, half), QSize(2 * half + 1, 2 * half + 1));
    const X11CursorImage cursor = X11CursorImage::current();
    QVERIFY(!cursor.image.isNull());
    const QRect pointer(at - cursor.hotSpot, cursor.image.size());
    QVERIFY2(!seen.area.intersects(block), "the loupe covers its block");
    QVERIFY2(!seen.area.intersects(pointer), "the loupe covers the pointer");
    QVERIFY2(screenArea().contains(seen.area), "the loupe leaves the screen");
    release(1);
    QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
}

void tst_EyedropperX11::arrowKeysStepByNativePixels_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QPoint>("step");
    QTest::newRow("right") << "Right" << QPoint(1, 0);
    QTest::newRow("left") << "Left" << QPoint(-1, 0);
    QTest::newRow("down") << "Down" << QPoint(0, 1);
    QTest::newRow("up") << "Up" << QPoint(0, -1);
    QTest::newRow("shift+right") << "shift+Right" << QPoint(10, 0);
    QTest::newRow("shift+up") << "shift+Up" << QPoint(0, -10);
}

void tst_EyedropperX11::arrowKeysStepByNativePixels()
{
    QFETCH(QString, keys);
    QFETCH(QPoint, step);
    frmQuorvin &w = *m_window;
    const QPoint from = gridAt(monitors().value(0)) + QPoint(gridSide / 2, gridSide / 2);
    QVERIFY(holdAt(from));
    key(keys);
    const QPoint to = from + step;
    QTRY_COMPARE(pointerNow(), to);
    QTRY_COMPARE(sliders(w), channels(screenPixel(to)));
    QVERIFY(sliders(w) != channels(screenPixel(from)));
    QTRY_VERIFY(loupeMismatch(loupeSeen().area, to, LoupeGeometry::DefaultPixels).isEmpty());
    release(1);
    QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
}

// Escape ends the hold as a release would and puts back the colour of the press; the button,
// still down, then ends nothing more.
void tst_EyedropperX11::escapePutsBackThePressColor()
{
    frmQuorvin &w = *m_window;
    w.ui.HScroll1[0]->setValue(7);
    w.ui.HScroll1[1]->setValue(8);
    w.ui.HScroll1[2]->setValue(9);
    QVERIFY(holdAt(gridAt(monitors().value(0)) + QPoint(3, 4)));
    key(QStringLiteral("Escape"));
    QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
    QCOMPARE(sliders(w), QList<int>({ 7, 8, 9 }));
    QCOMPARE(w.ui.Text8->text(), QStringLiteral("#070809"));
    QVERIFY(!QGuiApplication::overrideCursor());
    QCOMPARE(w.ui.picScreenColor->picture().cacheKey(), w.ui.picMouse[2]->picture().cacheKey());
    QTRY_VERIFY(!loupeSeen().viewable);
    QVERIFY2(othersCanGrab(false, true), "the keyboard is still taken");
    moveTo(gridAt(monitors().value(0)) + QPoint(9, 9));
    settle(100);
    QCOMPARE(sliders(w), QList<int>({ 7, 8, 9 }));
    release(1);
    settle(100);
    QCOMPARE(sliders(w), QList<int>({ 7, 8, 9 }));
    QVERIFY(othersCanGrab(true, true));
}

void tst_EyedropperX11::wheelZoomsTheLoupe_data()
{
    QTest::addColumn<QList<int>>("wheel");
    QTest::addColumn<int>("pixels");
    QTest::newRow("up once: fewer, larger pixels") << QList<int>({ 4 }) << 11;
    QTest::newRow("up twice") << QList<int>({ 4, 4 }) << 9;
    QTest::newRow("down once: more pixels") << QList<int>({ 5 }) << 21;
    QTest::newRow("down past the last step") << QList<int>({ 5, 5, 5, 5 }) << 31;
    QTest::newRow("up past the first step") << QList<int>({ 4, 4, 4, 4, 4, 4 }) << 5;
}

// The wheel is no button: it zooms during the hold, ends nothing and starts nothing.
void tst_EyedropperX11::wheelZoomsTheLoupe()
{
    QFETCH(QList<int>, wheel);
    QFETCH(int, pixels);
    frmQuorvin &w = *m_window;
    const QPoint at = gridAt(monitors().value(0)) + QPoint(gridSide / 2, gridSide / 2);
    QVERIFY(holdAt(at));
    for (int b : wheel)
        run(QStringLiteral("xdotool"), { "click", QString::number(b) });
    QTRY_VERIFY2(loupeMismatch(loupeSeen().area, at, pixels).isEmpty(),
        qPrintable(loupeMismatch(loupeSeen().area, at, pixels)));
    QVERIFY(w.ui.tmrScreenColor->isActive());
    QCOMPARE(sliders(w), channels(screenPixel(at)));
    // The zoom lasts from hold to hold: back to the default for the rows after.
    while (pixels != LoupeGeometry::DefaultPixels) {
        const bool in = pixels > LoupeGeometry::DefaultPixels;
        run(QStringLiteral("xdotool"), { "click", in ? "4" : "5" });
        pixels = LoupeGeometry::zoomed(pixels, in);
    }
    QTRY_VERIFY(loupeMismatch(loupeSeen().area, at, pixels).isEmpty());
    release(1);
    QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
    moveTo(centreOf(w.ui.picScreenColor));
    run(QStringLiteral("xdotool"), { "click", "4" });
    run(QStringLiteral("xdotool"), { "click", "5" });
    settle(200);
    QVERIFY(!w.ui.tmrScreenColor->isActive());
    QVERIFY(!loupeSeen().viewable);
}

void tst_EyedropperX11::holdEndLeavesNothingBehind_data()
{
    QTest::addColumn<QString>("end");
    QTest::newRow("release") << "release";
    QTest::newRow("Escape") << "Escape";
    QTest::newRow("window minimised during the hold") << "minimise";
    QTest::newRow("kill -9") << "kill";
}

void tst_EyedropperX11::holdEndLeavesNothingBehind()
{
    QFETCH(QString, end);
    const QPoint at = gridAt(monitors().value(0)) + QPoint(5, 5);
    if (end != QLatin1String("kill")) {
        QVERIFY(holdAt(at));
        QVERIFY2(!othersCanGrab(false, true), "the hold did not take the keyboard");
        const QString id = QString::number(m_window->winId());
        const QPoint origin = nativeOf(m_window.get(), {});
        if (end == QLatin1String("Escape"))
            key(QStringLiteral("Escape"));
        if (end == QLatin1String("minimise")) {
            run(QStringLiteral("xdotool"), { "windowminimize", "--sync", id });
            QTRY_VERIFY(!m_window->isVisible() || m_window->isMinimized());
        }
        release(1);
        QTRY_VERIFY(!m_window->ui.tmrScreenColor->isActive());
        QTRY_VERIFY(!loupeSeen().viewable);
        QTRY_VERIFY(othersCanGrab(true, true));
        if (end == QLatin1String("minimise")) {
            run(QStringLiteral("xdotool"), { "windowmap", "--sync", id });
            QTRY_VERIFY(m_window->isVisible() && !m_window->isMinimized());
            QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
            // The window manager animates the restore: the window is back once it stands where
            // it stood, and only then is a place on it the place of its control.
            QTRY_COMPARE_WITH_TIMEOUT(nativeOf(m_window.get(), {}), origin, 5000);
        }
        // The window's own pointers, each over its own control, without a click first.
        PictureBox *field = m_window->ui.picColor[0];
        moveTo(nativeOf(field, QPointF(100.5, 50.5)));
        QTRY_COMPARE(X11CursorImage::current().hotSpot, QPoint(0, 31));
        moveTo(nativeOf(m_window.get(), QPointF(20.5, 5.5)));
        QTRY_COMPARE(X11CursorImage::current().hotSpot, QPoint(0, 10));
        return;
    }
    // The program proper, killed during a hold: the server takes its windows and grabs.
    const QPoint button = centreOf(m_window->ui.picScreenColor) - nativeOf(m_window.get(), {});
    m_window.reset();
    waitUntilNoWindowIsManaged();
    QProcess program;
    const auto stop = qScopeGuard([&program] {
        program.kill();
        program.waitForFinished(5000);
    });
    program.setProgram(QStringLiteral(QUORVIN_BINARY));
    program.start();
    QVERIFY(program.waitForStarted(5000));
    const QString window = windowOfProcess(program.processId());
    QVERIFY(!window.isEmpty());
    // A click lands where the window stands once the window manager has done with it.
    QTRY_COMPARE_WITH_TIMEOUT(activeWindow(), window, 10000);
    moveTo(clientOrigin(window) + button);
    press(1);
    moveTo(at);
    QTRY_VERIFY_WITH_TIMEOUT(loupeSeen().viewable, 10000);
    QVERIFY(!othersCanGrab(false, true));
    program.kill();
    QVERIFY(program.waitForFinished(5000));
    QTRY_VERIFY(!loupeSeen().exists);
    QTRY_VERIFY(othersCanGrab(true, true));
    release(1);
    m_window = TestWindow::started(PlatformServices::create());
    QVERIFY(m_window);
}

QTEST_MAIN(tst_EyedropperX11)
#include "tst_eyedropper_x11.moc"
