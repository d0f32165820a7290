// The eyedropper in the real window over a scripted screen: what a hold shows and leaves behind,
// and what its ticks hand over. Also the decoding of the X server's pixels.
#include "TestMouse.h"
#include "TestWindow.h"

#include "app/frmQuorvin.h"
#include "platform/X11ScreenReader.h"
#include "sources/ScreenEyedropper.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/PictureBox.h"
#include "widgets/QtColorValue.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

namespace {

struct ScriptedScreen : ScreenReader
{
    QPoint pointer;
    bool buttonHeld = true;
    ColorValue color = -1;
    int reads = 0;
    QPoint lastRead;

    bool pointerPosition(QPoint *root, bool *held) override
    {
        *root = pointer;
        *held = buttonHeld;
        return true;
    }
    ColorValue pixelAt(QPoint root) override
    {
        ++reads;
        lastRead = root;
        return color;
    }
};

struct ScriptedCopies : ScriptedScreen
{
    bool offered = true;
    bool canRead() const override { return offered; }
    bool seesPointer() const override { return true; }
};

struct ScriptedPortal : ColorPortal
{
    bool offered = true;
    int picks = 0;
    bool offersPick() override { return offered; }
    bool pickColor(QWidget *, Answer) override
    {
        ++picks;
        return true;
    }
};

struct Started
{
    ScriptedScreen *screen = new ScriptedScreen;
    std::unique_ptr<frmQuorvin> window;
};

Started startOverScriptedScreen()
{
    Started s;
    PlatformServices services = PlatformServices::null();
    services.screenReader.reset(s.screen);
    s.window = TestWindow::started(std::move(services));
    return s;
}

QColor sliders(const frmQuorvin &w)
{
    return QColor(w.ui.HScroll1[0]->value(), w.ui.HScroll1[1]->value(), w.ui.HScroll1[2]->value());
}

} // namespace

class tst_Eyedropper : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void holdAndRelease_data();
    void holdAndRelease();
    void buttonsUpWithoutARelease();
    void ticksHandOver_data();
    void ticksHandOver();
    void waylandChoice_data();
    void waylandChoice();
    void decode_data();
    void decode();
};

void tst_Eyedropper::holdAndRelease_data()
{
    QTest::addColumn<QList<Qt::MouseButton>>("held");
    QTest::addColumn<Qt::MouseButton>("endedBy"); // NoButton: the window ends the hold
    QTest::newRow("left") << QList { Qt::LeftButton } << Qt::LeftButton;
    QTest::newRow("right") << QList { Qt::RightButton } << Qt::RightButton;
    QTest::newRow("middle") << QList { Qt::MiddleButton } << Qt::MiddleButton;
    QTest::newRow("left and right held, right released first")
        << QList { Qt::LeftButton, Qt::RightButton } << Qt::RightButton;
    QTest::newRow("ended by the window") << QList { Qt::LeftButton } << Qt::NoButton;
}

void tst_Eyedropper::holdAndRelease()
{
    QFETCH(QList<Qt::MouseButton>, held);
    QFETCH(Qt::MouseButton, endedBy);
    Started s = startOverScriptedScreen();
    QVERIFY(s.window);
    frmQuorvin &w = *s.window;
    PictureBox *button = w.ui.picScreenColor;
    const QPoint at(5, 5);

    for (Qt::MouseButton b : held)
        TestMouse::press(button, b, at);
    QCOMPARE(s.screen->reads, 0);
    QCOMPARE(w.cursor().pixmap().cacheKey(), w.ui.picMouse[1]->picture().cacheKey());
    QCOMPARE(w.cursor().hotSpot(), QPoint(4, 27));
    QVERIFY(QGuiApplication::overrideCursor());
    QCOMPARE(QGuiApplication::overrideCursor()->hotSpot(), QPoint(4, 27));
    QCOMPARE(button->picture().cacheKey(), w.ui.picMouse[3]->picture().cacheKey());
    QTRY_VERIFY(s.screen->reads > 0);

    if (endedBy == Qt::NoButton)
        w.findChild<ScreenEyedropper *>()->endSampling();
    else
        TestMouse::release(button, endedBy, at);
    const auto checkIdle = [&] {
        QCOMPARE(w.cursor().pixmap().cacheKey(), w.ui.picMouse[0]->picture().cacheKey());
        QCOMPARE(w.cursor().hotSpot(), QPoint(0, 10));
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(button->picture().cacheKey(), w.ui.picMouse[2]->picture().cacheKey());
        QVERIFY(!w.ui.tmrScreenColor->isActive());
    };
    checkIdle();
    if (QTest::currentTestFailed())
        return;
    const int reads = s.screen->reads;
    QTest::qWait(30);
    QCOMPARE(s.screen->reads, reads);

    for (Qt::MouseButton b : held) {
        if (b != endedBy)
            TestMouse::release(button, b, at);
    }
    checkIdle();
}

void tst_Eyedropper::buttonsUpWithoutARelease()
{
    Started s = startOverScriptedScreen();
    QVERIFY(s.window);
    TestMouse::press(s.window->ui.picScreenColor, Qt::LeftButton, QPoint(5, 5));
    QTRY_VERIFY(s.screen->reads > 0);
    // Another program took the grab: the release never comes, the buttons are up all the same.
    s.screen->buttonHeld = false;
    QTRY_VERIFY(!s.window->ui.tmrScreenColor->isActive());
    QVERIFY(!QGuiApplication::overrideCursor());
}

void tst_Eyedropper::ticksHandOver_data()
{
    QTest::addColumn<QString>("parkedBy");
    QTest::addColumn<ColorValue>("read");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("pixel read") << QString() << rgbValue(18, 52, 86) << QColor(18, 52, 86);
    // Colour value 0 is a colour like any other, not a failed read.
    QTest::newRow("pure black read") << QString() << rgbValue(0, 0, 0) << QColor(0, 0, 0);
    QTest::newRow("unreadable after a tick: that colour again")
        << QStringLiteral("tick") << -1 << QColor(200, 100, 50);
    QTest::newRow("unreadable after a palette pick: that colour again")
        << QStringLiteral("palette") << -1 << QColor(50, 155, 205);
}

void tst_Eyedropper::ticksHandOver()
{
    QFETCH(QString, parkedBy);
    QFETCH(ColorValue, read);
    QFETCH(QColor, expected);
    Started s = startOverScriptedScreen();
    QVERIFY(s.window);
    frmQuorvin &w = *s.window;
    const QPoint at(5, 5);
    s.screen->pointer = QPoint(700, 20);

    if (parkedBy == QLatin1String("tick")) {
        s.screen->color = rgbValue(200, 100, 50);
        TestMouse::press(w.ui.picScreenColor, Qt::LeftButton, at);
        QTRY_COMPARE(sliders(w), QColor(200, 100, 50));
        TestMouse::release(w.ui.picScreenColor, Qt::LeftButton, at);
    } else if (parkedBy == QLatin1String("palette")) {
        // Column 100, row 50 of the colour field, inside its one-pixel border.
        TestMouse::press(w.ui.picColor[0], Qt::LeftButton, QPoint(101, 51));
        TestMouse::release(w.ui.picColor[0], Qt::LeftButton, QPoint(101, 51));
        QCOMPARE(sliders(w), QColor(50, 155, 205));
    }
    // Moved by hand, the sliders leave the scratch surface as it is.
    for (int i = 0; i < 3; ++i)
        w.ui.HScroll1[i]->setValue(i + 1);

    s.screen->color = read;
    TestMouse::press(w.ui.picScreenColor, Qt::LeftButton, at);
    QTRY_COMPARE(sliders(w), expected);
    TestMouse::release(w.ui.picScreenColor, Qt::LeftButton, at);
    QCOMPARE(w.colorModul.ScreenCursorPos, QPoint(700, 20));
    QCOMPARE(s.screen->lastRead, QPoint(700, 20));
    QCOMPARE(w.ui.Text7->text(),
        QStringLiteral("%1,%2,%3").arg(expected.red()).arg(expected.green()).arg(expected.blue()));
    QCOMPARE(w.ui.Text8->text(), expected.name().toUpper());
    // Those that follow the whole colour follow it once per tick, yet end as after every write.
    QCOMPARE(w.ui.Text9->text(), QString::number(toColorValue(expected)));
    QCOMPARE(w.ui.Picture11->backColor(), expected);
    QCOMPARE(w.ui.Label2->foreColor(), expected);
}

void tst_Eyedropper::waylandChoice_data()
{
    QTest::addColumn<bool>("screenCopies");
    QTest::addColumn<bool>("portal");
    QTest::addColumn<int>("chosen");
    using E = PlatformServices::Eyedropper;
    QTest::newRow("screen copies, portal too") << true << true << int(E::Screen);
    QTest::newRow("screen copies only") << true << false << int(E::Screen);
    QTest::newRow("portal only") << false << true << int(E::Portal);
    QTest::newRow("neither") << false << false << int(E::None);
}

// Which way a Wayland session takes its colour, and what a press then shows.
void tst_Eyedropper::waylandChoice()
{
    QFETCH(bool, screenCopies);
    QFETCH(bool, portal);
    QFETCH(int, chosen);
    using E = PlatformServices::Eyedropper;
    auto *copies = new ScriptedCopies;
    copies->offered = screenCopies;
    copies->color = rgbValue(32, 160, 64);
    auto *picker = new ScriptedPortal;
    picker->offered = portal;
    PlatformServices services = PlatformServices::null();
    PlatformServices::chooseWaylandEyedropper(
        services, std::unique_ptr<ScreenReader>(copies), std::unique_ptr<ColorPortal>(picker));
    QCOMPARE(int(services.eyedropper), chosen);
    const bool readsCopies = services.screenReader.get() == copies;
    const bool asksPortal = services.colorPortal.get() == picker;
    QCOMPARE(readsCopies, chosen == int(E::Screen));
    QCOMPARE(asksPortal, chosen == int(E::Portal));
    // Those not chosen went with the call.
    if (!readsCopies)
        copies = nullptr;
    if (!asksPortal)
        picker = nullptr;

    std::unique_ptr<frmQuorvin> w = TestWindow::started(std::move(services));
    QVERIFY(w);
    PictureBox *button = w->ui.picScreenColor;
    const QString tip = button->toolTip();
    QCOMPARE(tip.isEmpty(), chosen != int(E::None));
    if (chosen == int(E::None)) {
        QCOMPARE(tip,
            QStringLiteral(
                "Auf diesem Desktop kann die Pipette keine Farbe vom Bildschirm nehmen."));
    }

    TestMouse::press(button, Qt::LeftButton, QPoint(5, 5));
    const bool holds = button->picture().cacheKey() == w->ui.picMouse[3]->picture().cacheKey();
    QCOMPARE(holds, chosen != int(E::None));
    QCOMPARE(QGuiApplication::overrideCursor() != nullptr, chosen != int(E::None));
    QCOMPARE(w->ui.tmrScreenColor->isActive(), chosen == int(E::Screen));
    if (picker)
        QCOMPARE(picker->picks, 1);
    if (copies)
        QTRY_COMPARE(sliders(*w), QColor(32, 160, 64));
    // The pointer image is drawn into what a screen copy reads, so the hot spot must be clear.
    if (QGuiApplication::overrideCursor() && copies) {
        const QCursor *hold = QGuiApplication::overrideCursor();
        QCOMPARE(hold->hotSpot(), QPoint(4, 27));
        QCOMPARE(qAlpha(hold->pixmap().toImage().pixel(4, 27)), 0);
    }
    TestMouse::release(button, Qt::LeftButton, QPoint(5, 5));
    if (chosen == int(E::None)) {
        QCOMPARE(button->picture().cacheKey(), w->ui.picMouse[2]->picture().cacheKey());
        QCOMPARE(sliders(*w), QColor(0, 0, 0));
    }
    if (chosen == int(E::Portal)) {
        // A portal that never answers: a second press gives the button back.
        QVERIFY(holds && QGuiApplication::overrideCursor());
        TestMouse::press(button, Qt::LeftButton, QPoint(5, 5));
        TestMouse::release(button, Qt::LeftButton, QPoint(5, 5));
        QCOMPARE(button->picture().cacheKey(), w->ui.picMouse[2]->picture().cacheKey());
        QVERIFY(!QGuiApplication::overrideCursor());
        QCOMPARE(picker->picks, 1);
    }
}

void tst_Eyedropper::decode_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<int>("bitsPerPixel");
    QTest::addColumn<bool>("msbFirst");
    QTest::addColumn<uint>("redMask");
    QTest::addColumn<uint>("blueMask");
    QTest::addColumn<ColorValue>("expected");

    const ColorValue c = rgbValue(0x12, 0x34, 0x56);
    QTest::newRow("32 bpp, LSB first")
        << QByteArray("\x56\x34\x12\x00", 4) << 32 << false << 0xff0000u << 0xffu << c;
    QTest::newRow("32 bpp, MSB first")
        << QByteArray("\x00\x12\x34\x56", 4) << 32 << true << 0xff0000u << 0xffu << c;
    QTest::newRow("32 bpp, blue in the high byte")
        << QByteArray("\x12\x34\x56\x00", 4) << 32 << false << 0xffu << 0xff0000u << c;
    // Red 31 of 31, green 0, blue 16 of 31.
    QTest::newRow("16 bpp 5-6-5, LSB first")
        << QByteArray("\x10\xf8", 2) << 16 << false << 0xf800u << 0x1fu << rgbValue(255, 0, 132);
    QTest::newRow("4 bpp: not whole bytes")
        << QByteArray("\x12", 1) << 4 << false << 0x8u << 0x1u << -1;
}

void tst_Eyedropper::decode()
{
    QFETCH(QByteArray, data);
    QFETCH(int, bitsPerPixel);
    QFETCH(bool, msbFirst);
    QFETCH(uint, redMask);
    QFETCH(uint, blueMask);
    QFETCH(ColorValue, expected);
    X11ScreenReader::PixelFormat format;
    format.bitsPerPixel = bitsPerPixel;
    format.msbFirst = msbFirst;
    format.redMask = redMask;
    format.blueMask = blueMask;
    // Green sits between the other two in every layout here.
    format.greenMask = bitsPerPixel == 16 ? 0x7e0u : bitsPerPixel == 4 ? 0x6u : 0xff00u;
    const auto *bytes = reinterpret_cast<const std::uint8_t *>(data.constData());
    QCOMPARE(X11ScreenReader::decode(format, bytes, std::size_t(data.size())), expected);
}

QTEST_MAIN(tst_Eyedropper)
#include "tst_eyedropper.moc"
