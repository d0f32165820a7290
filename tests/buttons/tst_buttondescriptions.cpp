// What a screen reader finds on the button labels, and that pressing them there acts.
#include "ButtonTestSupport.h"

#include "sources/RandomColor.h"
#include "widgets/ClickLabel.h"

#include <QAccessible>
#include <QLineEdit>

class tst_ButtonDescriptions : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void pressAction_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("copied");
        QTest::addColumn<int>("draws");
        QTest::addColumn<int>("aOn");
        QTest::addColumn<int>("bOn");

        const QStringList none;
        QTest::newRow("Kopie RGB") << "Label4" << QStringList { "0,0,0" } << 0 << 1 << 0;
        QTest::newRow("Kopie Dezimal") << "Label5" << QStringList { "0" } << 0 << 1 << 0;
        QTest::newRow("Kopie HTML") << "Label6" << QStringList { "#000000" } << 0 << 1 << 0;
        QTest::newRow("RANDOM") << "Label1" << none << 3 << 1 << 0;
        QTest::newRow("toggle A") << "Label3" << none << 0 << 0 << 0;
        QTest::newRow("toggle B") << "Label7" << none << 0 << 1 << 1;
    }

    void pressAction()
    {
        QFETCH(QString, label);
        QFETCH(QStringList, copied);
        QFETCH(int, draws);
        QFETCH(int, aOn);
        QFETCH(int, bOn);

        auto *clipboard = new ScriptedClipboard(true);
        frmQuorvin w(servicesWith(clipboard));
        QVERIFY(w.Form_Load());
        int drawn = 0;
        TestWindow::handler<RandomColor>(w)->setDraw([&drawn] { return ++drawn / 10.0; });

        QAccessibleInterface *iface
            = QAccessible::queryAccessibleInterface(w.findChild<ClickLabel *>(label));
        QVERIFY(iface);
        QCOMPARE(iface->role(), QAccessible::Button);
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());
        QVERIFY(!iface->text(QAccessible::Description).isEmpty());
        QVERIFY(iface->actionInterface());
        QVERIFY(iface->actionInterface()->actionNames().contains(
            QAccessibleActionInterface::pressAction()));

        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(clipboard->texts, copied);
        QCOMPARE(drawn, draws);
        QCOMPARE(w.flags.PreviewAOn, aOn);
        QCOMPARE(w.flags.PreviewBOn, bOn);
    }

    // The three "Kopie" share a caption; a listener must still tell them apart.
    void namesAreDistinct()
    {
        frmQuorvin w(PlatformServices::null());
        QSet<QString> names;
        for (ClickLabel *l :
            { w.ui.Label1, w.ui.Label3, w.ui.Label4, w.ui.Label5, w.ui.Label6, w.ui.Label7 })
            names.insert(QAccessible::queryAccessibleInterface(l)->text(QAccessible::Name));
        QCOMPARE(names.size(), 6);
    }
};

QTEST_MAIN(tst_ButtonDescriptions)
#include "tst_buttondescriptions.moc"
