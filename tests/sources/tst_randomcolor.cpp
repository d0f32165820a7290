// "RANDOM" on three bare sliders: the range, the order of writes and the quality of the draws.
#include "sources/RandomColor.h"
#include "widgets/ChannelScrollBar.h"

#include <QSet>
#include <QTest>

#include <cmath>

class tst_RandomColor : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void channelFromDraw_data()
    {
        QTest::addColumn<double>("draw");
        QTest::addColumn<int>("channel");
        QTest::newRow("zero") << 0.0 << 0;
        QTest::newRow("just below one step") << 0.0039 << 0;
        QTest::newRow("just above one step") << 0.004 << 1;
        QTest::newRow("half") << 0.5 << 127;
        QTest::newRow("just below one") << std::nextafter(1.0, 0.0) << 254;
    }

    void channelFromDraw()
    {
        QFETCH(double, draw);
        QFETCH(int, channel);
        QCOMPARE(RandomColor::channelFromDraw(draw), channel);
    }

    // Each slider is written, and its update has run, before the next draw.
    void drawsAndWritesRedGreenBlueInTurn()
    {
        std::array<ChannelScrollBar *, 3> sliders { new ChannelScrollBar, new ChannelScrollBar,
            new ChannelScrollBar };
        RandomColor random(sliders);
        int drawn = 0;
        random.setDraw([&drawn] { return ++drawn == 1 ? 0.1 : drawn == 2 ? 0.5 : 0.9; });
        QList<int> drawnAtChange;
        for (ChannelScrollBar *s : sliders)
            connect(s, &ChannelScrollBar::changed, this, [&] { drawnAtChange << drawn; });

        random.Label1_Click();
        QCOMPARE(drawnAtChange, QList<int>({ 1, 2, 3 }));
        QCOMPARE(sliders[0]->value(), 25);
        QCOMPARE(sliders[1]->value(), 127);
        QCOMPARE(sliders[2]->value(), 229);

        random.Label1_DblClick();
        QCOMPARE(drawn, 6);
        qDeleteAll(sliders);
    }

    void thousandColors()
    {
        std::array<ChannelScrollBar *, 3> sliders { new ChannelScrollBar, new ChannelScrollBar,
            new ChannelScrollBar };
        RandomColor random(sliders);
        std::array<QSet<int>, 3> seen;
        std::array<double, 3> sum {};
        int allEqual = 0;
        int redIsGreen = 0;
        for (int n = 0; n < 1000; ++n) {
            random.Label1_Click();
            for (int i = 0; i < 3; ++i) {
                const int v = sliders[i]->value();
                QVERIFY2(v >= 0 && v <= 254, qPrintable(QString::number(v)));
                seen[i].insert(v);
                sum[i] += v;
            }
            const bool rg = sliders[0]->value() == sliders[1]->value();
            redIsGreen += rg;
            allEqual += rg && sliders[1]->value() == sliders[2]->value();
        }
        for (int i = 0; i < 3; ++i) {
            // About 250 of 255 values turn up; the mean of 1000 lies within 7 sigma of 127.
            QVERIFY2(seen[i].size() > 200, qPrintable(QString::number(seen[i].size())));
            QVERIFY2(std::abs(sum[i] / 1000 - 127) < 17, qPrintable(QString::number(sum[i])));
        }
        // Expected about 4 and 0.02: channels drawn in the same instant are still unrelated.
        QVERIFY2(redIsGreen < 20, qPrintable(QString::number(redIsGreen)));
        QVERIFY2(allEqual <= 2, qPrintable(QString::number(allEqual)));
        qDeleteAll(sliders);
    }
};

QTEST_MAIN(tst_RandomColor)
#include "tst_randomcolor.moc"
