#include "ScriptControls.h"

#include "app/QtGermanTexts.h"
#include "app/frmQuorvin.h"
#include "app/images/WindowImages.h"
#include "core/Placement.h"
#include "platform/NullServices.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/EtchedFrame.h"
#include "widgets/OutlineShape.h"
#include "widgets/PictureBox.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

struct ScriptedInstance : SingleInstance
{
    Answer answer = Answer::OnlyCopy;
    Answer tryAcquire() override { return answer; }
};

struct RecordingOrder : WindowOrder
{
    QList<bool> calls;
    void setTopmost(QWidget *, bool onTop) override { calls.append(onTop); }
};

struct Services
{
    ScriptedInstance *instance = nullptr;
    RecordingOrder *order = nullptr;
    PlatformServices services = PlatformServices::null();

    Services()
    {
        auto i = std::make_unique<ScriptedInstance>();
        auto o = std::make_unique<RecordingOrder>();
        instance = i.get();
        order = o.get();
        services.singleInstance = std::move(i);
        services.windowOrder = std::move(o);
    }
};

QRect twips(int left, int top, int width, int height)
{
    constexpr double tw = Placement::twipsPerPixel;
    return QRect(qRound(left / tw), qRound(top / tw), qRound(width / tw), qRound(height / tw));
}

} // namespace

class tst_Window : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void controlsStandWhereDefined_data();
    void controlsStandWhereDefined();
    void framesHoldTheirControlsInsideTheirLines();
    void captionsKeepTheirBlanks_data();
    void captionsKeepTheirBlanks();
    void windowIsFixedAndCarriesI1();
    void beforeStartUpThePalettesArePlain();
    void startUpDrawsPalettesAndSetsTheToggles_data();
    void startUpDrawsPalettesAndSetsTheToggles();
    void secondCopyRunsNothingElse();
    void alwaysOnTopFollowsCheck1_data();
    void alwaysOnTopFollowsCheck1();
    void dragMovesOnlyWithTheLeftButtonAlone_data();
    void dragMovesOnlyWithTheLeftButtonAlone();
    void focusVisitsTheDefinedOrder();
    void focusedControlShowsIt_data();
    void focusedControlShowsIt();
    void wholeRectangleTakesTheClick_data();
    void wholeRectangleTakesTheClick();
    void labelsShowTheirTextColor_data();
    void labelsShowTheirTextColor();
    void qtContextMenusSpeakGerman_data();
    void qtContextMenusSpeakGerman();
};

void tst_Window::controlsStandWhereDefined_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect"); // from the inside of the container
    QTest::addColumn<QPoint>("client"); // where the window's client area shows it
    QTest::newRow("Check1") << "Check1"
                            << "frmQuorvin" << twips(5955, 5355, 1935, 195) << QPoint(397, 357);
    QTest::newRow("Picture1") << "Picture1"
                              << "frmQuorvin" << twips(4920, 240, 4065, 5115) << QPoint(328, 16);
    QTest::newRow("Frame7") << "Frame7"
                            << "frmQuorvin" << twips(120, 4020, 1230, 2055) << QPoint(8, 268);
    QTest::newRow("vorschau off the client area")
        << "vorschau"
        << "frmQuorvin" << twips(9780, 3360, 495, 495) << QPoint(652, 224);
    QTest::newRow("picMouse(3)") << "picMouse(3)"
                                 << "frmQuorvin" << twips(9780, 2775, 495, 495) << QPoint(652, 185);
    QTest::newRow("Text6") << "Text6"
                           << "Frame2" << twips(630, 1545, 465, 315) << QPoint(50, 113);
    QTest::newRow("HScroll1(2)") << "HScroll1(2)"
                                 << "Frame3" << twips(120, 1440, 3135, 255) << QPoint(104, 106);
    QTest::newRow("Picture4") << "Picture4"
                              << "Frame3" << twips(360, 1680, 2895, 255) << QPoint(120, 122);
    QTest::newRow("picPreView") << "picPreView"
                                << "Frame4" << twips(2340, 255, 2220, 1305) << QPoint(164, 171);
    QTest::newRow("Text8") << "Text8"
                           << "Frame6" << twips(1020, 240, 1515, 285) << QPoint(164, 380);
    QTest::newRow("Label6") << "Label6"
                            << "Frame6" << twips(2670, 270, 540, 255) << QPoint(274, 382);
    QTest::newRow("Label7") << "Label7"
                            << "Frame7" << twips(810, 1665, 255, 255) << QPoint(62, 379);
    // Inside the picture boxes' two-pixel sunken border.
    QTest::newRow("picColor(0) inside Picture1")
        << "picColor(0)"
        << "Picture1" << twips(60, 60, 3865, 3865) << QPoint(334, 22);
    QTest::newRow("picColor(1) inside Picture1")
        << "picColor(1)"
        << "Picture1" << twips(60, 4020, 3870, 990) << QPoint(334, 286);
    QTest::newRow("Option1(0) inside Picture8")
        << "Option1(0)"
        << "Picture8" << twips(90, 15, 1320, 225) << QPoint(336, 373);
    QTest::newRow("Option1(1) inside Picture8")
        << "Option1(1)"
        << "Picture8" << twips(90, 240, 1320, 225) << QPoint(336, 388);
    QTest::newRow("Picture9 inside Picture8")
        << "Picture9"
        << "Picture8" << twips(1335, 60, 2595, 360) << QPoint(419, 376);
    QTest::newRow("Label2 inside Picture9, which has no border")
        << "Label2"
        << "Picture9" << twips(690, 75, 1200, 225) << QPoint(465, 381);

    // Where the scripts find the controls they drive, in the window's client area.
    const QMap<QString, QRect> controls = scriptControls();
    for (auto it = controls.cbegin(); it != controls.cend(); ++it) {
        QTest::addRow("scripts/controls.sh %s", qPrintable(it.key()))
            << it.key() << QString() << it.value() << it.value().topLeft();
    }
    QVERIFY(controls.size() >= 7);
}

void tst_Window::controlsStandWhereDefined()
{
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    QFETCH(QPoint, client);
    frmQuorvin w(PlatformServices::null());
    if (container.isEmpty()) {
        // A script's name: the control's own without an index's brackets, placed in the client
        // area.
        QWidget *control = nullptr;
        for (QWidget *child : w.findChildren<QWidget *>()) {
            if (child->objectName().remove(QLatin1Char('(')).remove(QLatin1Char(')')) == name)
                control = child;
        }
        QVERIFY2(control, qPrintable(name));
        QCOMPARE(QRect(control->mapTo(&w, QPoint(0, 0)), control->size()), rect);
        return;
    }
    auto *control = w.findChild<QWidget *>(name);
    QVERIFY2(control, qPrintable(name));
    QWidget *parent = control->parentWidget();
    QCOMPARE(parent->objectName(), container);
    QCOMPARE(control->geometry().translated(-parent->contentsRect().topLeft()), rect);
    QCOMPARE(control->mapTo(&w, QPoint(0, 0)), client);
}

void tst_Window::framesHoldTheirControlsInsideTheirLines()
{
    frmQuorvin w(PlatformServices::null());
    const QList<EtchedFrame *> frames = w.findChildren<EtchedFrame *>();
    QCOMPARE(frames.size(), 7);
    for (EtchedFrame *frame : frames) {
        // Each etched line is two pixels wide; the top one runs through the caption's middle.
        const int top = frame->topLineY();
        QVERIFY(top >= 4 && top <= 10);
        const QRect inside(QPoint(2, top + 2), QPoint(frame->width() - 3, frame->height() - 3));
        for (QWidget *child : frame->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
            if (child == w.ui.Label13)
                continue;
            QVERIFY2(inside.contains(child->geometry()),
                qPrintable(frame->objectName() + QStringLiteral(": ") + child->objectName()));
        }
        QVERIFY2(frame->captionRect().isEmpty() == frame->title().isEmpty(),
            qPrintable(frame->objectName()));
    }
    // Frames that start on one row have their top lines on one row, caption or none.
    const auto lineRow = [&](EtchedFrame *f) { return f->mapTo(&w, QPoint(0, f->topLineY())).y(); };
    QCOMPARE(lineRow(w.ui.Frame7), lineRow(w.ui.Frame5));
    QCOMPARE(lineRow(w.ui.Frame2), lineRow(w.ui.Frame3));
    const QRect sync = w.ui.Label13->geometry();
    QVERIFY(sync.top() < w.ui.Frame3->topLineY() && sync.bottom() > w.ui.Frame3->topLineY() + 1);

    // The gap in the top line follows a new caption and a new font.
    EtchedFrame *frame = w.ui.Frame4;
    const int gap = frame->captionRect().width();
    frame->setTitle(frame->title() + frame->title());
    const int longer = frame->captionRect().width();
    QVERIFY(longer > gap);
    QFont larger = frame->font();
    larger.setPointSizeF(larger.pointSizeF() * 2);
    frame->setFont(larger);
    QVERIFY(frame->captionRect().width() > longer);
}

void tst_Window::captionsKeepTheirBlanks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("caption");
    QTest::newRow("Frame2") << "Frame2"
                            << " Dez  / Hex ";
    QTest::newRow("Frame3") << "Frame3"
                            << "Rot, Grün, Blau";
    QTest::newRow("Frame7 has none") << "Frame7"
                                     << "";
    QTest::newRow("Check1") << "Check1"
                            << "Immer im Vordergrund";
    QTest::newRow("Label13") << "Label13"
                             << " RGB Sync";
    QTest::newRow("lblInfo(5)") << "lblInfo(5)"
                                << " Bildschirm- Pipette:";
    QTest::newRow("Label2") << "Label2"
                            << "Sample Text";
    QTest::newRow("Text7") << "Text7"
                           << "0,0,0";
    QTest::newRow("Text8") << "Text8"
                           << "#000000";
}

void tst_Window::captionsKeepTheirBlanks()
{
    QFETCH(QString, name);
    QFETCH(QString, caption);
    frmQuorvin w(PlatformServices::null());
    QCOMPARE(w.windowTitle(), QStringLiteral("Veltrano Quorvin"));
    QObject *control = w.findChild<QObject *>(name);
    QVERIFY2(control, qPrintable(name));
    QString text;
    if (auto *box = qobject_cast<EtchedFrame *>(control))
        text = box->title();
    else if (auto *edit = qobject_cast<QLineEdit *>(control))
        text = edit->text();
    else if (auto *button = qobject_cast<QAbstractButton *>(control))
        text = button->text();
    else if (auto *label = qobject_cast<QLabel *>(control))
        text = label->text();
    QCOMPARE(text, caption);
}

void tst_Window::windowIsFixedAndCarriesI1()
{
    frmQuorvin w(PlatformServices::null());
    QVERIFY(w.Form_Load());
    const QSize client(608, 413);
    QCOMPARE(w.size(), client);
    QCOMPARE(w.minimumSize(), client);
    QCOMPARE(w.maximumSize(), client);
    QVERIFY(!(w.windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));

    const auto pixels = [](const QImage &img) {
        return img.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    };
    const QImage shown = pixels(w.windowIcon().pixmap(32, 32).toImage());
    QCOMPARE(shown.size(), QSize(32, 32));
    QCOMPARE(shown, pixels(WindowImages::image(WindowImages::Id::I1)));
}

void tst_Window::beforeStartUpThePalettesArePlain()
{
    frmQuorvin w(PlatformServices::null());
    QVERIFY(!w.ui.picColor[0]->hasPersistentImage());
    QVERIFY(w.ui.picScreenColor->picture().isNull());
    QCOMPARE(w.ui.picScreenColor->backColor(), QColor(Qt::white));
    QVERIFY(w.ui.Label13->isHidden());
    QVERIFY(w.ui.Line1->isHidden());
    QVERIFY(!w.ui.tmrScreenColor->isActive());
    QCOMPARE(w.ui.tmrScreenColor->interval(), 1);
}

void tst_Window::startUpDrawsPalettesAndSetsTheToggles_data()
{
    QTest::addColumn<SingleInstance::Answer>("guard");
    QTest::newRow("the only copy") << SingleInstance::Answer::OnlyCopy;
    QTest::newRow("the guard could not tell: starts all the same")
        << SingleInstance::Answer::CouldNotTell;
}

void tst_Window::startUpDrawsPalettesAndSetsTheToggles()
{
    QFETCH(SingleInstance::Answer, guard);
    Services s;
    s.instance->answer = guard;
    frmQuorvin w(std::move(s.services));
    QVERIFY(w.Form_Load());

    const auto point = [](PictureBox *p, int x, int y) { return p->Point(x, y); };
    QCOMPARE(w.ui.picColor[0]->persistentImage().size(), QSize(256, 256));
    QCOMPARE(point(w.ui.picColor[0], 0, 0), rgbValue(0, 255, 255));
    QCOMPARE(point(w.ui.picColor[0], 255, 0), rgbValue(0, 0, 255));
    QCOMPARE(point(w.ui.picColor[0], 0, 255), rgbValue(255, 255, 0));
    QCOMPARE(point(w.ui.picColor[0], 255, 255), rgbValue(255, 0, 0));
    QCOMPARE(point(w.ui.picColor[0], 100, 50), rgbValue(50, 155, 205));
    const QImage &ramp = w.ui.picColor[1]->persistentImage();
    QVERIFY(ramp.height() > 0 && ramp.height() < 256);
    for (int y = 0; y < ramp.height(); ++y)
        QCOMPARE(point(w.ui.picColor[1], 128, y), rgbValue(128, 128, 128));
    QCOMPARE(point(w.ui.picColor[1], 0, 256), -1);
    QVERIFY(w.ui.vorschau->hasPersistentImage());

    // The button shows the store's own picture, not a copy of it.
    QVERIFY(!w.ui.picMouse[2]->picture().isNull());
    QCOMPARE(w.ui.picScreenColor->picture().cacheKey(), w.ui.picMouse[2]->picture().cacheKey());

    QCOMPARE(w.ui.Label3->foreColor(), QColor(255, 0, 0));
    QCOMPARE(w.ui.Shape2->borderColor(), QColor(255, 0, 0));
    QCOMPARE(w.ui.Label7->foreColor(), QColor(0, 0, 0));
    QCOMPARE(w.ui.Shape3->borderColor(), QColor(0, 0, 0));
    QVERIFY(w.ui.Line1->isHidden());
    QCOMPARE(w.flags.PreviewAOn, qint16(1));
    QCOMPARE(w.flags.PreviewBOn, qint16(0));
    QCOMPARE(w.colorModul.PaletteDragActive, false);
    QCOMPARE(s.order->calls, QList<bool> { true });
    // No colour update at start: the sliders stay at 0 and the codes show black.
    QCOMPARE(w.ui.HScroll1[0]->value(), 0);
    QCOMPARE(w.ui.Text8->text(), QStringLiteral("#000000"));
}

void tst_Window::secondCopyRunsNothingElse()
{
    Services s;
    s.instance->answer = SingleInstance::Answer::AnotherCopyRuns;
    frmQuorvin w(std::move(s.services));
    QVERIFY(!w.Form_Load());
    QVERIFY(!w.ui.picColor[0]->hasPersistentImage());
    QVERIFY(w.ui.picScreenColor->picture().isNull());
    QCOMPARE(w.flags.PreviewAOn, qint16(0));
    QVERIFY(s.order->calls.isEmpty());
}

void tst_Window::alwaysOnTopFollowsCheck1_data()
{
    QTest::addColumn<Qt::CheckState>("state");
    QTest::addColumn<bool>("onTop");
    QTest::newRow("ticked") << Qt::Checked << true;
    QTest::newRow("unticked") << Qt::Unchecked << false;
    QTest::newRow("greyed counts as ticked") << Qt::PartiallyChecked << true;
}

void tst_Window::alwaysOnTopFollowsCheck1()
{
    QFETCH(Qt::CheckState, state);
    QFETCH(bool, onTop);
    Services s;
    frmQuorvin w(std::move(s.services));
    w.ui.Check1->setTristate(true);
    w.ui.Check1->setCheckState(state);
    w.Check1_Click();
    QCOMPARE(s.order->calls, QList<bool> { onTop });
}

void tst_Window::dragMovesOnlyWithTheLeftButtonAlone_data()
{
    QTest::addColumn<int>("buttons");
    QTest::addColumn<QPoint>("shift");
    QTest::newRow("left") << 1 << QPoint(10, 6);
    QTest::newRow("right") << 2 << QPoint(0, 0);
    QTest::newRow("left and right") << 3 << QPoint(0, 0);
    QTest::newRow("left and middle") << 5 << QPoint(0, 0);
    QTest::newRow("none") << 0 << QPoint(0, 0);
}

void tst_Window::dragMovesOnlyWithTheLeftButtonAlone()
{
    QFETCH(int, buttons);
    QFETCH(QPoint, shift);
    frmQuorvin w(PlatformServices::null());
    w.move(100, 80);
    const QPoint before = w.frameGeometry().topLeft();
    w.Form_MouseDown(1, 0, 300, 75);
    w.Form_MouseMove(buttons, 0, 450, 165);
    QCOMPARE(w.frameGeometry().topLeft(), before + shift);
}

void tst_Window::focusVisitsTheDefinedOrder()
{
    frmQuorvin w(PlatformServices::null());
    const QStringList expected { "Text1", "Text2", "Text3", "Text4", "Text5", "Text6",
        "HScroll1(0)", "HScroll1(1)", "HScroll1(2)", "Text7", "Text8", "Text9", "Option1(0)",
        "Option1(1)", "Check1", "chkRGB" };
    QStringList seen;
    QWidget *start = w.ui.Text1;
    QWidget *current = start;
    do {
        if (current->focusPolicy() & Qt::TabFocus && current->isVisibleTo(&w))
            seen.append(current->objectName());
        current = current->nextInFocusChain();
    } while (current != start && seen.size() < 40);
    QCOMPARE(seen, expected);
}

void tst_Window::focusedControlShowsIt_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("slider HScroll1(0)") << "HScroll1(0)";
    QTest::newRow("slider HScroll1(2), thumb moved") << "HScroll1(2)";
    QTest::newRow("code field Text8") << "Text8";
}

void tst_Window::focusedControlShowsIt()
{
    QFETCH(QString, name);
    frmQuorvin w(PlatformServices::null());
    QVERIFY(w.Form_Load());
    w.ui.HScroll1[2]->setValue(200);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    auto *control = w.findChild<QWidget *>(name);
    QVERIFY(control);
    w.ui.Check1->setFocus(Qt::OtherFocusReason);
    QVERIFY(!control->hasFocus());
    const QImage without = control->grab().toImage();
    control->setFocus(Qt::MouseFocusReason);
    QVERIFY(control->hasFocus());
    const QImage with = control->grab().toImage();
    QVERIFY2(with != without, "the focus leaves no mark");
}

void tst_Window::wholeRectangleTakesTheClick_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QPoint>("client"); // where the click lands in the window's client area
    QTest::newRow("chkRGB, right end") << "chkRGB" << QPoint(156, 388);
    QTest::newRow("chkRGB, past its caption") << "chkRGB" << QPoint(150, 381);
    QTest::newRow("chkRGB, lower left corner") << "chkRGB" << QPoint(104, 396);
    QTest::newRow("Option1(1), past its caption") << "Option1(1)" << QPoint(415, 393);
    QTest::newRow("Option1(1), right end") << "Option1(1)" << QPoint(423, 392);
    QTest::newRow("Check1, right end") << "Check1" << QPoint(525, 363);
}

void tst_Window::wholeRectangleTakesTheClick()
{
    QFETCH(QString, name);
    QFETCH(QPoint, client);
    frmQuorvin w(PlatformServices::null());
    auto *button = w.findChild<QAbstractButton *>(name);
    QVERIFY(button);
    const QPoint at = button->mapFrom(&w, client);
    QVERIFY2(
        button->rect().contains(at), qPrintable(QStringLiteral("%1,%2").arg(at.x()).arg(at.y())));
    const bool before = button->isChecked();
    QTest::mouseClick(button, Qt::LeftButton, {}, at);
    QCOMPARE(button->isChecked(), !before);
}

void tst_Window::labelsShowTheirTextColor_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("color");
    QTest::newRow("sample text white") << "Label2" << QColor(Qt::white);
    QTest::newRow("toggle A red") << "Label3" << QColor(255, 0, 0);
    QTest::newRow("RANDOM black") << "Label1" << QColor(Qt::black);
}

void tst_Window::labelsShowTheirTextColor()
{
    QFETCH(QString, name);
    QFETCH(QColor, color);
    frmQuorvin w(PlatformServices::null());
    QVERIFY(w.Form_Load());
    auto *label = w.findChild<QWidget *>(name);
    QVERIFY(label);
    // Rendered through the container, as the screen shows it, but only inside the outline
    // around the label: its border has the text colour too and must not count.
    QRect area = label->geometry();
    for (auto *shape : label->parentWidget()->findChildren<OutlineShape *>()) {
        if (shape->isVisibleTo(&w) && shape->geometry().intersects(area))
            area &= shape->geometry().adjusted(1, 1, -1, -1);
    }
    const QImage img = label->parentWidget()->grab(area).toImage();
    int close = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QColor c = img.pixelColor(x, y);
            if (qAbs(c.red() - color.red()) + qAbs(c.green() - color.green())
                    + qAbs(c.blue() - color.blue())
                < 60)
                ++close;
        }
    }
    QVERIFY2(close >= 10, qPrintable(QStringLiteral("%1 pixels in the text colour").arg(close)));
}

void tst_Window::qtContextMenusSpeakGerman_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("code field Text7")
        << "Text7"
        << QStringList { QStringLiteral("&Kopieren"), QStringLiteral("Alles auswählen") };
    QTest::newRow("read-only field Text1")
        << "Text1"
        << QStringList { QStringLiteral("&Kopieren"), QStringLiteral("Alles auswählen") };
    QTest::newRow("slider HScroll1(0)")
        << "HScroll1(0)"
        << QStringList { QStringLiteral("Hierher scrollen"), QStringLiteral("Linker Rand"),
               QStringLiteral("Rechter Rand") };
}

// The menus stay Qt's own; only their language changes, whatever the session's locale.
void tst_Window::qtContextMenusSpeakGerman()
{
    QFETCH(QString, name);
    QFETCH(QStringList, entries);
    // As the program does: the catalogue comes with the first menu.
    static const bool watching = (QtGermanTexts::installWithFirstMenu(), true);
    Q_UNUSED(watching);

    Services s;
    frmQuorvin w(std::move(s.services));
    QVERIFY(w.Form_Load());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *control = w.findChild<QWidget *>(name);
    QVERIFY(control);

    // A line edit pops its menu up and returns; a scroll bar runs it modally. Either way the menu
    // is read and closed from the event loop while it is open.
    QStringList shown;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (const QAction *action : menu->actions()) {
            if (!action->isSeparator())
                shown << action->text().section(QLatin1Char('\t'), 0, 0);
        }
        menu->close();
        poll.stop();
    });
    poll.start(10);
    const QPoint at = control->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, control->mapToGlobal(at));
    QApplication::sendEvent(control, &event);
    QTRY_VERIFY_WITH_TIMEOUT(!shown.isEmpty(), 5000);
    for (const QString &entry : entries)
        QVERIFY2(shown.contains(entry), qPrintable(shown.join(QLatin1String(" | "))));
}

QTEST_MAIN(tst_Window)
#include "tst_window.moc"
