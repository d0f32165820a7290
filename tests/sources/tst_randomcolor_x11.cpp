// "RANDOM" clicked with real pointer input: one colour per click, a double click gives two.
#include "TestWindow.h"
#include "X11TestSupport.h"

#include "app/frmQuorvin.h"
#include "sources/RandomColor.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using namespace X11TestSupport;

class tst_RandomColorX11 : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QUORVIN_SKIP_WITHOUT_X11(); }

    void clicks_data()
    {
        QTest::addColumn<QStringList>("xdotoolClick");
        QTest::addColumn<int>("colors");

        const QString apart = QString::number(QApplication::doubleClickInterval() + 300);
        QTest::newRow("single click") << QStringList { "click", "1" } << 1;
        QTest::newRow("double click")
            << QStringList { "click", "--repeat", "2", "--delay", "60", "1" } << 2;
        QTest::newRow("two clicks apart")
            << QStringList { "click", "--repeat", "2", "--delay", apart, "1" } << 2;
        QTest::newRow("right click") << QStringList { "click", "3" } << 0;
    }

    void clicks()
    {
        QFETCH(QStringList, xdotoolClick);
        QFETCH(int, colors);

        frmQuorvin w(PlatformServices::null());
        QVERIFY(TestWindow::start(w));

        // Draws 0.1, 0.2, ... give the colours (25, 51, 76), (102, 127, 153).
        int drawn = 0;
        TestWindow::handler<RandomColor>(w)->setDraw([&drawn] { return ++drawn / 10.0; });
        int changes = 0;
        for (ChannelScrollBar *s : w.ui.HScroll1)
            connect(s, &ChannelScrollBar::changed, this, [&changes] { ++changes; });

        moveTo(centreOf(w.ui.Label1));
        run(QStringLiteral("xdotool"), xdotoolClick);
        waitForWindowManager();
        settle(200);
        QCOMPARE(drawn, 3 * colors);
        QCOMPARE(changes, 3 * colors);
        const QStringList last[]
            = { { "0", "0", "0" }, { "25", "51", "76" }, { "102", "127", "153" } };
        const QStringList shown { QString::number(w.ui.HScroll1[0]->value()),
            QString::number(w.ui.HScroll1[1]->value()),
            QString::number(w.ui.HScroll1[2]->value()) };
        QCOMPARE(shown, last[colors]);
        QCOMPARE(w.ui.Text7->text(), last[colors].join(QLatin1Char(',')));
    }
};

QTEST_MAIN(tst_RandomColorX11)
#include "tst_randomcolor_x11.moc"
