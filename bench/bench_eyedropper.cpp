// What one eyedropper tick costs on a real X server: the two round trips of the reader alone,
// and the whole tick with the three slider writes, once with the colour unchanged and once
// with a new colour on every tick (each then runs its updates; painting comes later).
#include "TestWindow.h"
#include "X11TestSupport.h"

#include "app/frmQuorvin.h"
#include "platform/X11Connection.h"
#include "platform/X11ScreenReader.h"
#include "platform/XcbReplyPtr.h"
#include "sources/ScreenEyedropper.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>

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
        // A tick ends the hold when no button is down; the benchmark calls the ticks itself.
        X11TestSupport::moveTo(X11TestSupport::centreOf(m_window->ui.picScreenColor));
        X11TestSupport::press(1);
        m_window->ui.tmrScreenColor->stop();
    }

    void cleanupTestCase() { X11TestSupport::release(1); }

    void readerAlone()
    {
        X11ScreenReader reader(nullptr); // on DISPLAY, as the program reads
        QCursor::setPos(m_onField);
        QPoint root;
        ColorValue color = -1;
        QBENCHMARK
        {
            bool held = false;
            reader.pointerPosition(&root, &held);
            color = reader.pixelAt(root);
        }
        QCOMPARE(color, rgbValue(50, 155, 205));
    }

    void tickSameColor()
    {
        QCursor::setPos(m_onField);
        QBENCHMARK
        {
            m_eyedropper->tmrScreenColor_Timer();
        }
        QCOMPARE(m_window->colorModul.ScreenCursorPos, m_onField);
    }

    void tickNewColor()
    {
        int n = 0;
        int changes = 0;
        connect(
            m_window->ui.HScroll1[1], &ChannelScrollBar::changed, this, [&changes] { ++changes; });
        QBENCHMARK
        {
            // The reads go through a connection of their own, so the warp must have reached
            // the server before the tick asks where the pointer is.
            QCursor::setPos(m_onField + QPoint(++n % 2 * 40, 0));
            xcbReply(
                xcb_get_input_focus_reply, x11Connection(), xcb_get_input_focus(x11Connection()));
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
