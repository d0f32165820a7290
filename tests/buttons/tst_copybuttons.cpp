// "Kopie" clicked with real pointer input; the clipboard is read back by xclip, another process.
#include "ButtonTestSupport.h"
#include "X11TestSupport.h"

#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace X11TestSupport;

namespace {

enum class Before { Nothing, SliderChange, BgrTicked, SampleTextClick };

void setColor(frmQuorvin &w, int r, int g, int b)
{
    w.ui.HScroll1[0]->setValue(r);
    w.ui.HScroll1[1]->setValue(g);
    w.ui.HScroll1[2]->setValue(b);
}

void prepare(frmQuorvin &w, Before before)
{
    switch (before) {
    case Before::Nothing:
        break;
    case Before::BgrTicked:
        w.ui.chkRGB->setChecked(true);
        [[fallthrough]];
    case Before::SliderChange:
        setColor(w, 18, 52, 86);
        break;
    case Before::SampleTextClick:
        // Text colour first, then a different background, which leaves the sliders there.
        setColor(w, 1, 2, 3);
        w.ui.Option1[1]->setChecked(true);
        setColor(w, 200, 100, 50);
        click(centreOf(w.ui.Label2));
        break;
    }
}

} // namespace

class tst_CopyButtons : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QUORVIN_SKIP_WITHOUT_X11(); }

    void copiesCodeAsShown_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("box");
        QTest::addColumn<Before>("before");
        QTest::addColumn<QByteArray>("expected");

        const struct
        {
            const char *tag;
            Before before;
            const char *rgb, *number, *html;
        } cases[] = {
            { "at start", Before::Nothing, "0,0,0", "0", "#000000" },
            { "after slider change", Before::SliderChange, "18,52,86", "5649426", "#123456" },
            { "BGR ticked", Before::BgrTicked, "18,52,86", "5649426", "#563412" },
            { "after sample text click", Before::SampleTextClick, "1,2,3", "197121", "#010203" },
        };
        for (const auto &c : cases) {
            QTest::addRow("RGB %s", c.tag) << "Label4"
                                           << "Text7" << c.before << QByteArray(c.rgb);
            QTest::addRow("Dezimal %s", c.tag) << "Label5"
                                               << "Text9" << c.before << QByteArray(c.number);
            QTest::addRow("HTML %s", c.tag) << "Label6"
                                            << "Text8" << c.before << QByteArray(c.html);
        }
    }

    void copiesCodeAsShown()
    {
        QFETCH(QString, label);
        QFETCH(QString, box);
        QFETCH(Before, before);
        QFETCH(QByteArray, expected);

        frmQuorvin w(PlatformServices::create());
        QVERIFY(TestWindow::start(w));
        const QByteArray seeded = QByteArray("vorher ") + QTest::currentDataTag();
        seedClipboard(seeded);
        QCOMPARE(clipboardText(), seeded);

        prepare(w, before);
        QCOMPARE(w.findChild<QLineEdit *>(box)->text().toUtf8(), expected);
        click(centreOf(w.findChild<ClickLabel *>(label)));
        QCOMPARE(clipboardText(), expected);
        QCOMPARE(w.findChild<QLineEdit *>(box)->text().toUtf8(), expected);
    }

    void unwritableClipboardIsIgnored()
    {
        auto *clipboard = new ScriptedClipboard(false);
        frmQuorvin w(servicesWith(clipboard));
        QVERIFY(TestWindow::start(w));
        setColor(w, 18, 52, 86);

        for (ClickLabel *label : { w.ui.Label4, w.ui.Label5, w.ui.Label6 })
            click(centreOf(label));
        QCOMPARE(clipboard->texts, QStringList({ "18,52,86", "5649426", "#123456" }));
        // The refused copies leave the codes as they were.
        QCOMPARE(QStringList({ w.ui.Text7->text(), w.ui.Text9->text(), w.ui.Text8->text() }),
            clipboard->texts);
        // The window still answers input.
        click(centreOf(w.ui.Label7));
        QCOMPARE(w.flags.PreviewBOn, 1);
        QCOMPARE(w.ui.Label6->foreColor(), QColor(Qt::black));
    }

    void doubleClickCopiesOnce()
    {
        auto *clipboard = new ScriptedClipboard(true);
        frmQuorvin w(servicesWith(clipboard));
        QVERIFY(TestWindow::start(w));
        moveTo(centreOf(w.ui.Label6));
        run(QStringLiteral("xdotool"), { "click", "--repeat", "2", "--delay", "60", "1" });
        settle(200);
        QCOMPARE(clipboard->texts, QStringList({ "#000000" }));
    }
};

QTEST_MAIN(tst_CopyButtons)
#include "tst_copybuttons.moc"
