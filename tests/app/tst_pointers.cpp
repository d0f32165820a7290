// The pointer the X server really shows over each part of the window.
#include "TestWindow.h"
#include "X11CursorImage.h"
#include "X11TestSupport.h"
#include "app/frmQuorvin.h"
#include "app/images/WindowImages.h"
#include "widgets/PictureBox.h"

#include <QApplication>
#include <QTest>

using namespace X11TestSupport;

namespace {

// Which pixels are drawn at all; colours differ by what the server does with them.
QImage opaqueMask(const QImage &image)
{
    QImage mask(image.size(), QImage::Format_Mono);
    const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < argb.height(); ++y)
        for (int x = 0; x < argb.width(); ++x)
            mask.setPixel(x, y, qAlpha(argb.pixel(x, y)) > 0 ? 1 : 0);
    return mask;
}

} // namespace

class tst_Pointers : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void pointerOverControl_data();
    void pointerOverControl();

private:
    std::unique_ptr<frmQuorvin> m_window;
};

void tst_Pointers::initTestCase()
{
    QUORVIN_SKIP_WITHOUT_X11();
    m_window = TestWindow::started();
    QVERIFY(m_window);
}

void tst_Pointers::pointerOverControl_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QPoint>("offset"); // from the control's top-left, in pixels
    QTest::addColumn<int>("image"); // WindowImages::Id, or -1 for the system's pointer
    QTest::addColumn<QPoint>("hotSpot");
    const int C1 = int(WindowImages::Id::C1);
    const int C3 = int(WindowImages::Id::C3);
    const int C4 = int(WindowImages::Id::C4);
    QTest::newRow("colour field: pipette")
        << "picColor(0)" << QPoint(100, 50) << C3 << QPoint(0, 31);
    QTest::newRow("grey ramp: pipette") << "picColor(1)" << QPoint(100, 20) << C3 << QPoint(0, 31);
    QTest::newRow("bare window: arrow") << "frmQuorvin" << QPoint(20, 5) << C1 << QPoint(0, 10);
    QTest::newRow("Kopie: inverting arrow") << "Label4" << QPoint(10, 8) << C4 << QPoint(0, 0);
    QTest::newRow("RANDOM: inverting arrow") << "Label1" << QPoint(20, 8) << C4 << QPoint(0, 0);
    QTest::newRow("frame: system pointer") << "Frame4" << QPoint(3, 12) << -1 << QPoint();
}

void tst_Pointers::pointerOverControl()
{
    QFETCH(QString, control);
    QFETCH(QPoint, offset);
    QFETCH(int, image);
    QFETCH(QPoint, hotSpot);
    QWidget *w = control == m_window->objectName() ? m_window.get()
                                                   : m_window->findChild<QWidget *>(control);
    QVERIFY(w);
    moveTo(w->mapToGlobal(offset));
    settle(200);
    QCOMPARE(QApplication::widgetAt(w->mapToGlobal(offset)), w);

    const X11CursorImage shown = X11CursorImage::current();
    QVERIFY2(!shown.image.isNull(), "XFixes gave no cursor image");
    const QImage ours = WindowImages::image(WindowImages::Id::C1);
    if (image < 0) {
        QVERIFY(opaqueMask(shown.image) != opaqueMask(ours));
        return;
    }
    const QImage expected = WindowImages::image(WindowImages::Id(image));
    QCOMPARE(shown.hotSpot, hotSpot);
    QCOMPARE(shown.image.size(), QSize(32, 32));
    // Inverting pixels cannot be shown on X11 and come out transparent: compare the rest.
    if (WindowImages::Id(image) != WindowImages::Id::C4)
        QCOMPARE(opaqueMask(shown.image), opaqueMask(expected));
}

QTEST_MAIN(tst_Pointers)
#include "tst_pointers.moc"
