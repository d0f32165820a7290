// The eyedropper on a real X server with real input: the pixels the screen shows, in this window
// and outside it, and the pipette shown for the whole hold.
#include "TestWindow.h"
#include "X11TestSupport.h"

#include "app/frmQuorvin.h"
#include "platform/X11CursorImage.h"
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
    void initTestCase()
    {
        QUORVIN_SKIP_WITHOUT_X11();
        QCOMPARE(run(QStringLiteral("xsetroot"), { "-solid", "#123456" }).exitCode, 0);
        m_window = TestWindow::started(PlatformServices::create());
        QVERIFY(m_window);
    }

    void cleanupTestCase() { run(QStringLiteral("xsetroot"), { "-def" }); }
    // A failed hold must not leave its button down for the tests after it.
    void cleanup() { releaseAllButtons(); }

    void holdSamplesTheScreen_data()
    {
        QTest::addColumn<int>("button");
        QTest::newRow("left") << 1;
        QTest::newRow("right") << 3;
        // Side buttons: the core pointer state does not know them.
        QTest::newRow("back (8)") << 8;
        QTest::newRow("forward (9)") << 9;
    }

    void holdSamplesTheScreen()
    {
        QFETCH(int, button);
        frmQuorvin &w = *m_window;
        for (ChannelScrollBar *s : w.ui.HScroll1)
            s->setValue(0);
        PictureBox *field = w.ui.picColor[0];
        const QPoint onField
            = field->mapToGlobal(field->contentsRect().topLeft() + QPoint(100, 50));
        const QPoint onRoot = w.frameGeometry().topLeft() + QPoint(-30, 30);
        QVERIFY(onRoot.x() >= 0);

        moveTo(centreOf(w.ui.picScreenColor));
        press(button);
        QTRY_VERIFY(w.ui.tmrScreenColor->isActive());
        moveTo(onField);
        QTRY_COMPARE(sliders(w), QList<int>({ 50, 155, 205 }));
        // The field's own pipette gives way to the hold's.
        QCOMPARE(X11CursorImage::current().hotSpot, QPoint(4, 27));

        moveTo(onRoot);
        QTRY_COMPARE(sliders(w), QList<int>({ 18, 52, 86 }));
        QCOMPARE(X11CursorImage::current().hotSpot, QPoint(4, 27));

        release(button);
        QTRY_VERIFY(!w.ui.tmrScreenColor->isActive());
        QVERIFY(!QGuiApplication::overrideCursor());
        moveTo(onField);
        settle(200);
        QCOMPARE(sliders(w), QList<int>({ 18, 52, 86 }));
    }

private:
    std::unique_ptr<frmQuorvin> m_window;
};

QTEST_MAIN(tst_EyedropperX11)
#include "tst_eyedropper_x11.moc"
