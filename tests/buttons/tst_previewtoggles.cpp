// Toggles "A" and "B" clicked on the window; the panes they let follow the colour.
#include "ButtonTestSupport.h"

#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/OutlineShape.h"
#include "widgets/PictureBox.h"

namespace {

const QColor Red(255, 0, 0);
const QColor Black(0, 0, 0);
const QColor Grey(128, 128, 128);

void clickToggles(frmQuorvin &w, const QString &clicks)
{
    for (QChar c : clicks)
        QTest::mouseClick(c == QLatin1Char('A') ? w.ui.Label3 : w.ui.Label7, Qt::LeftButton);
}

void setColor(frmQuorvin &w, const QColor &c)
{
    w.ui.HScroll1[0]->setValue(c.red());
    w.ui.HScroll1[1]->setValue(c.green());
    w.ui.HScroll1[2]->setValue(c.blue());
}

} // namespace

class tst_PreviewToggles : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void states_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<int>("aOn");
        QTest::addColumn<int>("bOn");
        QTest::addColumn<bool>("link");

        QTest::newRow("start: A only") << "" << 1 << 0 << false;
        QTest::newRow("B on: both, link shown") << "B" << 1 << 1 << true;
        QTest::newRow("B on, A off: B only") << "BA" << 0 << 1 << false;
        QTest::newRow("A off: none") << "A" << 0 << 0 << false;
        QTest::newRow("A twice: back to start") << "AA" << 1 << 0 << false;
        QTest::newRow("B twice: back to start") << "BB" << 1 << 0 << false;
        QTest::newRow("from none to both") << "ABA" << 1 << 1 << true;
    }

    void states()
    {
        QFETCH(QString, clicks);
        QFETCH(int, aOn);
        QFETCH(int, bOn);
        QFETCH(bool, link);

        frmQuorvin w(PlatformServices::null());
        QVERIFY(TestWindow::start(w));
        const QColor paneA = w.ui.Picture11->backColor();
        const QColor paneB = w.ui.picPreView->backColor();

        clickToggles(w, clicks);
        QCOMPARE(w.flags.PreviewAOn, aOn);
        QCOMPARE(w.flags.PreviewBOn, bOn);
        QCOMPARE(w.ui.Label3->foreColor(), aOn ? Red : Black);
        QCOMPARE(w.ui.Shape2->borderColor(), aOn ? Red : Black);
        QCOMPARE(w.ui.Label7->foreColor(), bOn ? Red : Black);
        QCOMPARE(w.ui.Shape3->borderColor(), bOn ? Red : Black);
        QCOMPARE(w.ui.Line1->isVisible(), link);
        QCOMPARE(w.ui.Picture11->backColor(), paneA);
        QCOMPARE(w.ui.picPreView->backColor(), paneB);
    }

    void panesFollowWhileOn_data()
    {
        QTest::addColumn<QString>("clicks");
        QTest::addColumn<QColor>("paneA");
        QTest::addColumn<QColor>("paneB");

        // First colour with only A on, then the clicks, then the second colour.
        const QColor first(10, 20, 30), second(200, 100, 50);
        QTest::newRow("A only: B stays grey") << "" << second << Grey;
        QTest::newRow("both: both follow") << "B" << second << second;
        QTest::newRow("B only: A keeps the first") << "BA" << first << second;
        QTest::newRow("none: neither repaints") << "A" << first << Grey;
    }

    void panesFollowWhileOn()
    {
        QFETCH(QString, clicks);
        QFETCH(QColor, paneA);
        QFETCH(QColor, paneB);

        frmQuorvin w(PlatformServices::null());
        QVERIFY(TestWindow::start(w));
        setColor(w, QColor(10, 20, 30));
        clickToggles(w, clicks);
        setColor(w, QColor(200, 100, 50));
        QCOMPARE(w.ui.Picture11->backColor(), paneA);
        QCOMPARE(w.ui.picPreView->backColor(), paneB);
    }
};

QTEST_MAIN(tst_PreviewToggles)
#include "tst_previewtoggles.moc"
