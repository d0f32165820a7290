// Pressed look of the four button labels under real pointer input.
#include "ButtonTestSupport.h"
#include "X11TestSupport.h"

#include "widgets/ClickLabel.h"
#include "widgets/OutlineShape.h"

#include <QLineEdit>

using namespace X11TestSupport;

namespace {

const QColor DarkRed(192, 0, 0);
const QColor Black(0, 0, 0);

// Every button label with its outline.
QList<QPair<ClickLabel *, OutlineShape *>> buttons(const frmQuorvin &w)
{
    return { { w.ui.Label1, w.ui.Shape1 }, { w.ui.Label4, w.ui.Shape4 },
        { w.ui.Label5, w.ui.Shape5 }, { w.ui.Label6, w.ui.Shape6 } };
}

} // namespace

class tst_PressedLook : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QUORVIN_SKIP_WITHOUT_X11(); }
    // A check that fails between press and release must not leave the button down.
    void cleanup() { releaseAllButtons(); }

    void pressAndRelease_data()
    {
        QTest::addColumn<int>("index"); // into buttons()
        QTest::addColumn<int>("button"); // X numbering
        QTest::addColumn<bool>("releaseOutside");

        const char *names[] = { "RANDOM", "Kopie RGB", "Kopie Dezimal", "Kopie HTML" };
        for (int i = 0; i < 4; ++i) {
            QTest::addRow("%s left", names[i]) << i << 1 << false;
            QTest::addRow("%s right", names[i]) << i << 3 << false;
        }
        QTest::addRow("Kopie RGB middle") << 1 << 2 << false;
        QTest::addRow("Kopie Dezimal left, released outside") << 2 << 1 << true;
        QTest::addRow("RANDOM right, released outside") << 0 << 3 << true;
    }

    void pressAndRelease()
    {
        QFETCH(int, index);
        QFETCH(int, button);
        QFETCH(bool, releaseOutside);

        frmQuorvin w(PlatformServices::null());
        QVERIFY(TestWindow::start(w));
        const auto all = buttons(w);

        moveTo(centreOf(all[index].first));
        press(button);
        for (int i = 0; i < all.size(); ++i) {
            const QColor expected = i == index ? DarkRed : Black;
            QCOMPARE(all[i].first->foreColor(), expected);
            QCOMPARE(all[i].second->borderColor(), expected);
        }

        if (releaseOutside)
            moveTo(centreOf(w.ui.Text9));
        release(button);
        for (const auto &[label, shape] : all) {
            QCOMPARE(label->foreColor(), Black);
            QCOMPARE(shape->borderColor(), Black);
        }
    }
};

QTEST_MAIN(tst_PressedLook)
#include "tst_pressedlook.moc"
