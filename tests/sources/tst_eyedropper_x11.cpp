// The eyedropper on a real X server with real input: the pixels the screen shows, in this window
// and outside it, on every monitor and at every scale, and the pipette shown for the whole hold.
#include "TestWindow.h"
#include "X11TestSupport.h"

#include "X11CursorImage.h"
#include "app/frmQuorvin.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QGuiApplication>
#include <QTest>
#include <QTimer>

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

private:
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

QTEST_MAIN(tst_EyedropperX11)
#include "tst_eyedropper_x11.moc"
