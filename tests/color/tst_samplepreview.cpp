#include "ColorTestWindow.h"
#include "TestMouse.h"

#include <QApplication>

using namespace ColorTest;

namespace {

void clickSample(frmQuorvinUi &ui, bool background)
{
    if (background)
        TestMouse::click(ui.Picture9, Qt::LeftButton, QPoint(3, 3));
    else
        QTest::mouseClick(ui.Label2, Qt::LeftButton);
}

} // namespace

class tst_SamplePreview : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        m_window = TestWindow::started();
        QVERIFY(m_window);
    }
    void cleanup() { m_window.reset(); }

    void clickRightAfterStart_data()
    {
        QTest::addColumn<bool>("background");
        QTest::addColumn<QString>("wantCodes");
        QTest::addColumn<QColor>("paneA");
        QTest::newRow("text is white")
            << false << "255,255,255 #FFFFFF 16777215" << QColor(Qt::white);
        QTest::newRow("background is black") << true << "0,0,0 #000000 0" << QColor(Qt::black);
    }
    void clickRightAfterStart()
    {
        QFETCH(bool, background);
        QFETCH(QString, wantCodes);
        QFETCH(QColor, paneA);
        auto &ui = m_window->ui;
        clickSample(ui, background);
        QCOMPARE(codes(ui), wantCodes);
        QCOMPARE(ui.Picture11->backColor(), paneA);
        QCOMPARE(ui.picPreView->backColor(), QColor(128, 128, 128));
        QCOMPARE(fields(ui), QStringLiteral("0 00 0 00 0 00"));
        for (auto *slider : ui.HScroll1)
            QCOMPARE(slider->value(), 0);
    }

    // Text and background set one after the other, then read back in either order.
    void textThenBackground_data()
    {
        QTest::addColumn<bool>("background");
        QTest::addColumn<bool>("bgr");
        QTest::addColumn<int>("aOn");
        QTest::addColumn<int>("bOn");
        QTest::addColumn<QString>("wantCodes");
        QTest::newRow("text") << false << false << 1 << 0 << "18,52,86 #123456 5649426";
        QTest::newRow("text BGR") << false << true << 1 << 0 << "18,52,86 #563412 5649426";
        QTest::newRow("background") << true << false << 1 << 1 << "200,100,50 #C86432 3302600";
        QTest::newRow("background BGR") << true << true << 0 << 1 << "200,100,50 #3264C8 3302600";
        QTest::newRow("text, panes off") << false << false << 0 << 0 << "18,52,86 #123456 5649426";
    }
    void textThenBackground()
    {
        QFETCH(bool, background);
        QFETCH(int, aOn);
        QFETCH(int, bOn);
        QFETCH(bool, bgr);
        QFETCH(QString, wantCodes);
        auto &ui = m_window->ui;
        setChannels(ui, 18, 52, 86);
        ui.Option1[1]->setChecked(true);
        setChannels(ui, 200, 100, 50);
        QCOMPARE(ui.Label2->foreColor(), QColor(18, 52, 86));
        QCOMPARE(ui.Picture9->backColor(), QColor(200, 100, 50));

        m_window->flags.PreviewAOn = static_cast<qint16>(aOn);
        m_window->flags.PreviewBOn = static_cast<qint16>(bOn);
        ui.chkRGB->setChecked(bgr);
        const QColor paneA = ui.Picture11->backColor();
        const QColor paneB = ui.picPreView->backColor();
        const QColor source = background ? QColor(200, 100, 50) : QColor(18, 52, 86);

        clickSample(ui, background);
        QCOMPARE(codes(ui), wantCodes);
        QCOMPARE(ui.Picture11->backColor(), aOn == 1 ? source : paneA);
        QCOMPARE(ui.picPreView->backColor(), bOn == 1 ? source : paneB);
        // The sliders and what shows them stay on the current colour.
        QCOMPARE(fields(ui), QStringLiteral("200 C8 100 64 50 32"));
        QCOMPARE(ui.HScroll1[0]->value(), 200);
        QCOMPARE(ui.Label2->foreColor(), QColor(18, 52, 86));
        QCOMPARE(ui.Picture9->backColor(), QColor(200, 100, 50));
    }

private:
    std::unique_ptr<frmQuorvin> m_window;
};

QTEST_MAIN(tst_SamplePreview)
#include "tst_samplepreview.moc"
