#include "ColorTestWindow.h"
#include "TestMouse.h"

#include "color/ColorUpdate.h"

#include <QApplication>

using namespace ColorTest;

class tst_ColorUpdate : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_window = TestWindow::started();
        QVERIFY(m_window);
    }
    void cleanup() { m_window.reset(); }

    void sliderWrites_data()
    {
        QTest::addColumn<int>("r");
        QTest::addColumn<int>("g");
        QTest::addColumn<int>("b");
        QTest::addColumn<bool>("bgr");
        QTest::addColumn<bool>("background");
        QTest::addColumn<int>("aOn");
        QTest::addColumn<int>("bOn");
        QTest::addColumn<QString>("wantFields");
        QTest::addColumn<QString>("wantCodes");
        QTest::newRow("orange") << 255 << 128 << 0 << false << false << 1 << 0
                                << "255 FF 128 80 0 00"
                                << "255,128,0 #FF8000 33023";
        QTest::newRow("orange BGR")
            << 255 << 128 << 0 << true << false << 1 << 0 << "255 FF 128 80 0 00"
            << "255,128,0 #0080FF 33023";
        QTest::newRow("white") << 255 << 255 << 255 << false << false << 1 << 0
                               << "255 FF 255 FF 255 FF"
                               << "255,255,255 #FFFFFF 16777215";
        QTest::newRow("10 is 0A") << 10 << 0 << 0 << false << false << 1 << 0 << "10 0A 0 00 0 00"
                                  << "10,0,0 #0A0000 10";
        QTest::newRow("background BGR")
            << 18 << 52 << 86 << true << true << 1 << 0 << "18 12 52 34 86 56"
            << "18,52,86 #563412 5649426";
        QTest::newRow("both panes off")
            << 1 << 2 << 3 << false << false << 0 << 0 << "1 01 2 02 3 03"
            << "1,2,3 #010203 197121";
        QTest::newRow("pane B only") << 1 << 2 << 3 << false << false << 0 << 1 << "1 01 2 02 3 03"
                                     << "1,2,3 #010203 197121";
    }
    void sliderWrites()
    {
        QFETCH(int, r);
        QFETCH(int, g);
        QFETCH(int, b);
        QFETCH(int, aOn);
        QFETCH(int, bOn);
        QFETCH(bool, background);
        QFETCH(bool, bgr);
        QFETCH(QString, wantFields);
        QFETCH(QString, wantCodes);
        auto &ui = m_window->ui;
        m_window->flags.PreviewAOn = static_cast<qint16>(aOn);
        m_window->flags.PreviewBOn = static_cast<qint16>(bOn);
        ui.chkRGB->setChecked(bgr);
        ui.Option1[background ? 1 : 0]->setChecked(true);

        setChannels(ui, r, g, b);

        const QColor color(r, g, b);
        QCOMPARE(fields(ui), wantFields);
        QCOMPARE(codes(ui), wantCodes);
        QCOMPARE(ui.Picture2->backColor(), QColor(r, 0, 0));
        QCOMPARE(ui.Picture3->backColor(), QColor(0, g, 0));
        QCOMPARE(ui.Picture4->backColor(), QColor(0, 0, b));
        QCOMPARE(ui.Picture11->backColor(), aOn == 1 ? color : QColor(Qt::black));
        QCOMPARE(ui.picPreView->backColor(), bOn == 1 ? color : QColor(128, 128, 128));
        QCOMPARE(ui.Label2->foreColor(), background ? QColor(Qt::white) : color);
        QCOMPARE(ui.Picture9->backColor(), background ? color : QColor(Qt::black));
    }

    void onlyChangedSwatch_data()
    {
        QTest::addColumn<int>("index");
        QTest::newRow("red") << 0;
        QTest::newRow("green") << 1;
        QTest::newRow("blue") << 2;
        QTest::newRow("no such channel") << 3;
    }
    void onlyChangedSwatch()
    {
        QFETCH(int, index);
        auto &ui = m_window->ui;
        const std::array<PictureBox *, 3> bars { ui.Picture2, ui.Picture3, ui.Picture4 };
        const QColor marker(1, 2, 3);
        for (PictureBox *bar : bars)
            bar->setBackColor(marker);

        if (index < 3)
            ui.HScroll1[index]->setValue(200);
        else
            TestWindow::handler<ColorUpdate>(*m_window)->HScroll1_Change(index);

        const std::array<QColor, 3> own { QColor(200, 0, 0), QColor(0, 200, 0), QColor(0, 0, 200) };
        for (int i = 0; i < 3; ++i)
            QCOMPARE(bars[i]->backColor(), i == index ? own[i] : marker);
        // The rest of the update ran all the same.
        QCOMPARE(ui.Text7->text(),
            index < 3 ? QStringLiteral("%1,%2,%3")
                            .arg(index == 0 ? 200 : 0)
                            .arg(index == 1 ? 200 : 0)
                            .arg(index == 2 ? 200 : 0)
                      : QStringLiteral("0,0,0"));
    }

    void selectionsWaitForNextChange()
    {
        auto &ui = m_window->ui;
        setChannels(ui, 18, 52, 86);
        ui.chkRGB->setChecked(true);
        ui.Option1[1]->setChecked(true);
        QCOMPARE(ui.Text8->text(), QStringLiteral("#123456"));
        QCOMPARE(ui.Picture9->backColor(), QColor(Qt::black));

        ui.HScroll1[2]->setValue(87);
        QCOMPARE(ui.Text8->text(), QStringLiteral("#573412"));
        QCOMPARE(ui.Picture9->backColor(), QColor(18, 52, 87));
        QCOMPARE(ui.Label2->foreColor(), QColor(18, 52, 86));
    }

    void sameValueWriteKeepsSampleCodes()
    {
        auto &ui = m_window->ui;
        setChannels(ui, 255, 128, 0);
        TestMouse::click(ui.Picture9, Qt::LeftButton, QPoint(3, 3));
        QCOMPARE(codes(ui), QStringLiteral("0,0,0 #000000 0"));

        setChannels(ui, 255, 128, 0);
        QCOMPARE(codes(ui), QStringLiteral("0,0,0 #000000 0"));
        QCOMPARE(ui.Picture11->backColor(), QColor(Qt::black));
        QCOMPARE(fields(ui), QStringLiteral("255 FF 128 80 0 00"));

        ui.HScroll1[1]->setValue(129);
        QCOMPARE(codes(ui), QStringLiteral("255,129,0 #FF8100 33279"));
    }

private:
    std::unique_ptr<frmQuorvin> m_window;
};

QTEST_MAIN(tst_ColorUpdate)
#include "tst_colorupdate.moc"
