#include "TestMouse.h"
#include "TestWindow.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QLineEdit>
#include <QTest>

namespace {

struct RecordingConfiner : PointerConfiner
{
    QList<QWidget *> confined;
    int releases = 0;
    bool confine(QWidget *widget) override
    {
        confined.append(widget);
        return true;
    }
    void release() override { ++releases; }
};

QString sliders(const frmQuorvin &w)
{
    return QStringLiteral("%1,%2,%3")
        .arg(w.ui.HScroll1[0]->value())
        .arg(w.ui.HScroll1[1]->value())
        .arg(w.ui.HScroll1[2]->value());
}

} // namespace

class tst_PalettePicker : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();
    void pressTakesTheColor_data();
    void pressTakesTheColor();
    void pressOnTheBorderStartsNothing_data();
    void pressOnTheBorderStartsNothing();
    void onlyADragPicks();
    void dragEndsWithoutARelease();

private:
    RecordingConfiner *m_confiner = nullptr;
    std::unique_ptr<frmQuorvin> m_window;
};

void tst_PalettePicker::init()
{
    PlatformServices services = PlatformServices::null();
    m_confiner = new RecordingConfiner;
    services.pointerConfiner.reset(m_confiner);
    m_window = std::make_unique<frmQuorvin>(std::move(services));
    QVERIFY(m_window->Form_Load());
}

void tst_PalettePicker::cleanup()
{
    m_window.reset();
}

void tst_PalettePicker::pressTakesTheColor_data()
{
    QTest::addColumn<int>("surface");
    QTest::addColumn<int>("button");
    QTest::addColumn<QPointF>("at");
    QTest::addColumn<QString>("expected");
    QTest::newRow("field 100,50 left") << 0 << 1 << QPointF(100, 50) << "50,155,205";
    QTest::newRow("field 100,50 right") << 0 << 2 << QPointF(100, 50) << "50,155,205";
    QTest::newRow("field 100,50 middle") << 0 << 4 << QPointF(100, 50) << "50,155,205";
    QTest::newRow("field bottom right") << 0 << 1 << QPointF(255, 255) << "255,0,0";
    QTest::newRow("y half-way down to even") << 0 << 1 << QPointF(100, 50.5) << "50,155,205";
    QTest::newRow("y half-way up to even") << 0 << 1 << QPointF(100, 51.5) << "52,155,203";
    QTest::newRow("grey ramp") << 1 << 1 << QPointF(77, 3) << "77,77,77";
    QTest::newRow("outside the image writes nothing") << 0 << 1 << QPointF(-1, 10) << "0,0,0";
}

void tst_PalettePicker::pressTakesTheColor()
{
    QFETCH(int, surface);
    QFETCH(int, button);
    QFETCH(QPointF, at);
    QFETCH(QString, expected);
    PictureBox *pressed = m_window->ui.picColor[surface];
    Q_EMIT pressed->mouseDown(button, 0, at.x(), at.y());
    QCOMPARE(sliders(*m_window), expected);
    QVERIFY(m_window->colorModul.PaletteDragActive);
    QCOMPARE(m_confiner->confined, QList<QWidget *> { pressed });
}

void tst_PalettePicker::pressOnTheBorderStartsNothing_data()
{
    QTest::addColumn<int>("surface");
    QTest::addColumn<QPoint>("at"); // in the surface's own pixels, its one-pixel border included
    QTest::addColumn<QString>("picked"); // empty: no drag at all
    QTest::newRow("field, left border") << 0 << QPoint(0, 51) << QString();
    QTest::newRow("field, top border") << 0 << QPoint(101, 0) << QString();
    QTest::newRow("field, right border") << 0 << QPoint(257, 51) << QString();
    QTest::newRow("field, bottom right corner") << 0 << QPoint(257, 257) << QString();
    QTest::newRow("ramp, left border") << 1 << QPoint(0, 10) << QString();
    QTest::newRow("ramp, bottom border") << 1 << QPoint(77, 65) << QString();
    QTest::newRow("field, first pixel of the drawing") << 0 << QPoint(1, 1) << "0,255,255";
    QTest::newRow("field, last pixel of the drawing") << 0 << QPoint(256, 256) << "255,0,0";
    QTest::newRow("ramp, last row of the drawing") << 1 << QPoint(78, 64) << "77,77,77";
}

void tst_PalettePicker::pressOnTheBorderStartsNothing()
{
    QFETCH(int, surface);
    QFETCH(QPoint, at);
    QFETCH(QString, picked);
    PictureBox *pressed = m_window->ui.picColor[surface];
    TestMouse::press(pressed, Qt::LeftButton, at);
    QCOMPARE(m_window->colorModul.PaletteDragActive, !picked.isEmpty());
    QCOMPARE(sliders(*m_window), picked.isEmpty() ? QStringLiteral("0,0,0") : picked);
    QCOMPARE(m_confiner->confined.size(), picked.isEmpty() ? 0 : 1);
    // A drag goes on picking wherever the pointer moves; a press on the border started none.
    TestMouse::move(pressed, QPoint(101, 51));
    QCOMPARE(sliders(*m_window),
        picked.isEmpty()   ? QStringLiteral("0,0,0")
            : surface == 0 ? QStringLiteral("50,155,205")
                           : QStringLiteral("100,100,100"));
    TestMouse::release(pressed, Qt::LeftButton, at);
    QVERIFY(!m_window->colorModul.PaletteDragActive);
}

void tst_PalettePicker::onlyADragPicks()
{
    PictureBox *field = m_window->ui.picColor[0];
    // A move without a press still records where it was, from the grey ramp here, but picks
    // nothing.
    Q_EMIT m_window->ui.picColor[1]->mouseMove(0, 0, 77, 3);
    QCOMPARE(sliders(*m_window), QStringLiteral("0,0,0"));
    QCOMPARE(m_window->colorModul.PaletteIndex, quint8(1));

    Q_EMIT field->mouseDown(1, 0, 0, 0);
    Q_EMIT field->mouseMove(1, 0, 100, 50);
    QCOMPARE(sliders(*m_window), QStringLiteral("50,155,205"));
    QCOMPARE(m_window->ui.Text8->text(), QStringLiteral("#329BCD"));

    Q_EMIT field->mouseUp(1, 0, 100, 50);
    QVERIFY(!m_window->colorModul.PaletteDragActive);
    QCOMPARE(m_confiner->releases, 1);
    Q_EMIT field->mouseMove(0, 0, 255, 255);
    QCOMPARE(sliders(*m_window), QStringLiteral("50,155,205"));
}

void tst_PalettePicker::dragEndsWithoutARelease()
{
    m_window->show();
    Q_EMIT m_window->ui.picColor[1]->mouseDown(1, 0, 10, 10);
    const int before = m_confiner->releases;
    m_window->hide();
    QVERIFY(!m_window->colorModul.PaletteDragActive);
    QVERIFY(m_confiner->releases > before);
}

QTEST_MAIN(tst_PalettePicker)
#include "tst_palettepicker.moc"
