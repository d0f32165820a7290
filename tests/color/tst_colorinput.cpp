#include "ColorTestWindow.h"

#include "X11TestSupport.h"

#include <QApplication>
#include <QSignalSpy>
#include <QStyle>
#include <QStyleOptionSlider>

using namespace ColorTest;
namespace X = X11TestSupport;

namespace {

QRect thumbRect(const QScrollBar *bar)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.subControls = QStyle::SC_All;
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    return bar->style()->subControlRect(
        QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
}

// Real key presses; "Right*128" presses Right 128 times.
void pressKeys(const QString &keys)
{
    for (const QString &token : keys.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList parts = token.split(u'*');
        if (parts.size() == 1) {
            X::key(token);
        } else {
            X::run(QStringLiteral("xdotool"),
                { QStringLiteral("key"), QStringLiteral("--delay"), QStringLiteral("2"),
                    QStringLiteral("--repeat"), parts[1], parts[0] });
            X::settle(100);
        }
    }
}

} // namespace

class tst_ColorInput : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { QUORVIN_SKIP_WITHOUT_X11(); }
    void init()
    {
        m_window = TestWindow::started();
        QVERIFY(m_window);
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }
    void cleanup()
    {
        // A drag that failed half-way must not leave the button held for the next case.
        if (m_buttonHeld)
            X::release(1);
        m_buttonHeld = false;
        m_window.reset();
    }

    void keyboard_data()
    {
        QTest::addColumn<QStringList>("keys"); // per slider, red first
        QTest::addColumn<bool>("bgr");
        QTest::addColumn<QString>("wantCodes");
        QTest::newRow("orange") << QStringList { "End", "Right*128", "" } << false
                                << "255,128,0 #FF8000 33023";
        QTest::newRow("orange BGR")
            << QStringList { "End", "Right*128", "" } << true << "255,128,0 #0080FF 33023";
        QTest::newRow("Left, Home, Right") << QStringList { "End Left", "End Home", "Right Right" }
                                           << false << "254,0,2 #FE0002 131326";
    }
    void keyboard()
    {
        QFETCH(QStringList, keys);
        QFETCH(bool, bgr);
        QFETCH(QString, wantCodes);
        auto &ui = m_window->ui;
        ui.chkRGB->setChecked(bgr);
        for (int i = 0; i < 3; ++i) {
            ui.HScroll1[i]->setFocus();
            QTRY_VERIFY(ui.HScroll1[i]->hasFocus());
            pressKeys(keys[i]);
        }
        QCOMPARE(codes(ui), wantCodes);
        const QString mismatch = mismatchWithSliders(ui);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
    }

    void thumbDrag()
    {
        auto &ui = m_window->ui;
        ChannelScrollBar *red = ui.HScroll1[0];
        QSignalSpy values(red, &QAbstractSlider::valueChanged);
        QSignalSpy changed(red, &ChannelScrollBar::changed);
        QSignalSpy scrolled(red, &ChannelScrollBar::scrolled);

        const QPoint start = red->mapToGlobal(thumbRect(red).center());
        X::moveTo(start);
        X::press(1);
        m_buttonHeld = true;
        int last = red->value();
        for (int step = 1; step <= 8; ++step) {
            X::moveTo(start + QPoint(12 * step, 0));
            QVERIFY(red->isSliderDown());
            QVERIFY2(red->value() > last, qPrintable(QStringLiteral("step %1").arg(step)));
            last = red->value();
            const QString mismatch = mismatchWithSliders(ui);
            QVERIFY2(mismatch.isEmpty(),
                qPrintable(QStringLiteral("step %1: %2").arg(step).arg(mismatch)));
        }
        X::release(1);
        m_buttonHeld = false;

        QVERIFY(!red->isSliderDown());
        QCOMPARE(red->value(), last);
        const QString mismatch = mismatchWithSliders(ui);
        QVERIFY2(mismatch.isEmpty(), qPrintable(mismatch));
        // Each value change reached the update through exactly one notification.
        QVERIFY(scrolled.count() >= 8);
        QCOMPARE(changed.count() + scrolled.count(), values.count());
    }

    void sampleClick_data()
    {
        QTest::addColumn<bool>("background");
        QTest::addColumn<QString>("wantCodes");
        QTest::newRow("text") << false << "18,52,86 #123456 5649426";
        QTest::newRow("uncovered background") << true << "200,100,50 #C86432 3302600";
    }
    void sampleClick()
    {
        QFETCH(bool, background);
        QFETCH(QString, wantCodes);
        auto &ui = m_window->ui;
        setChannels(ui, 18, 52, 86);
        ui.Option1[1]->setChecked(true);
        setChannels(ui, 200, 100, 50);
        QSignalSpy textClicks(ui.Label2, &ClickLabel::clicked);
        QSignalSpy backgroundClicks(ui.Picture9, &PictureBox::clicked);

        const QPoint target = background
            ? ui.Picture9->mapToGlobal(QPoint(4, ui.Picture9->height() / 2))
            : X::centreOf(ui.Label2);
        X::click(target);

        QCOMPARE(textClicks.count(), background ? 0 : 1);
        QCOMPARE(backgroundClicks.count(), background ? 1 : 0);
        QCOMPARE(codes(ui), wantCodes);
    }

private:
    std::unique_ptr<frmQuorvin> m_window;
    bool m_buttonHeld = false;
};

int main(int argc, char *argv[])
{
    // Without a display the cases skip instead of the application failing to start.
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    tst_ColorInput test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_colorinput.moc"
