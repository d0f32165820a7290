// What one eyedropper tick costs on a real X server: the two round trips of the reader alone,
// and the whole tick with the three slider writes, once with the colour unchanged and once
// with a new colour on every tick (each then runs its updates; painting comes later).
#include "TestWindow.h"

#include "app/frmQuorvin.h"
#include "platform/X11Connection.h"
#include "platform/X11ScreenReader.h"
#include "sources/ScreenEyedropper.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>

class BenchEyedropper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        if (!x11Connection())
            QSKIP("needs an X session");
        m_window = TestWindow::started(PlatformServices::create());
        QVERIFY(m_window);
        m_eyedropper = m_window->findChild<ScreenEyedropper *>();
        QVERIFY(m_eyedropper);
        PictureBox *field = m_window->ui.picColor[0];
        m_onField = field->mapToGlobal(field->contentsRect().topLeft() + QPoint(100, 50));
    }

    void readerAlone()
    {
        X11ScreenReader reader(x11Connection());
        QCursor::setPos(m_onField);
        QPoint root;
        ColorValue colour = -1;
        QBENCHMARK
        {
            bool held = false;
            reader.pointerPosition(&root, &held);
            colour = reader.pixelAt(root);
        }
        QCOMPARE(colour, rgbValue(50, 155, 205));
    }

    void tickSameColour()
    {
        QCursor::setPos(m_onField);
        QBENCHMARK
        {
            m_eyedropper->tmrScreenColor_Timer();
        }
        QCOMPARE(m_window->colorModul.ScreenCursorPos, m_onField);
    }

    void tickNewColour()
    {
        int n = 0;
        int changes = 0;
        connect(
            m_window->ui.HScroll1[1], &ChannelScrollBar::changed, this, [&changes] { ++changes; });
        QBENCHMARK
        {
            // A warp is one request without a reply; the tick's pointer query waits for it.
            QCursor::setPos(m_onField + QPoint(++n % 2 * 40, 0));
            m_eyedropper->tmrScreenColor_Timer();
        }
        disconnect(m_window->ui.HScroll1[1], &ChannelScrollBar::changed, this, nullptr);
        QVERIFY(changes >= n - 1);
    }

private:
    std::unique_ptr<frmQuorvin> m_window;
    ScreenEyedropper *m_eyedropper = nullptr;
    QPoint m_onField;
};

QTEST_MAIN(BenchEyedropper)
#include "bench_eyedropper.moc"
