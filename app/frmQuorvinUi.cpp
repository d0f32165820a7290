// The main window's definition. Positions and sizes are in twips, as designed: TwipsPerPixel of
// them make one pixel at 96 dpi, and Qt's logical pixels already carry any higher screen scale.
#include "app/frmQuorvinUi.h"

#include "app/images/WindowImages.h"
#include "core/Placement.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/CheckBox.h"
#include "widgets/ClickLabel.h"
#include "widgets/EtchedFrame.h"
#include "widgets/OptionButton.h"
#include "widgets/OutlineShape.h"
#include "widgets/PictureBox.h"
#include "widgets/SmallIndicatorStyle.h"

#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace {

int px(int twips)
{
    return qRound(twips / double(Placement::twipsPerPixel));
}

// Measured from the inside of the container: a picture box's border is not part of it.
template<class W> W *place(W *w, const QString &name, int left, int top, int width, int height)
{
    w->setObjectName(name);
    const QPoint inside
        = w->parentWidget() ? w->parentWidget()->contentsRect().topLeft() : QPoint();
    w->setGeometry(inside.x() + px(left), inside.y() + px(top), px(width), px(height));
    return w;
}

bool installed(const QString &family)
{
    // The database's own list: asking for one family would resolve it as an alias too, a
    // fontconfig substitution each time.
    static const QStringList families = QFontDatabase::families();
    return families.contains(family);
}

QFont font(const char *family, double points, bool bold)
{
    QFont f;
    // Where the named face is missing, its metric-compatible stand-in, which the package
    // brings along, takes its place. Each further family in the list costs a font search at
    // start, and a missing one the search for its fallbacks as well.
    QStringList families { QStringLiteral("Liberation Sans") };
    const QString named = QString::fromLatin1(family);
    if (installed(named))
        families.prepend(named);
    f.setFamilies(families);
    f.setPointSizeF(points);
    f.setWeight(bold ? QFont::Bold : QFont::Normal);
    // Latin captions and codes read the same without the shaper, laid out straight from the
    // character map: that leaves its code and the fonts' layout tables, about 0.6 MB, out of
    // memory, and every change of a code lays its text out faster. Kerning goes with it, which
    // at these sizes moves one letter of the sample by a pixel. Scripts that need shaping
    // still get it.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

const QFont &msSansSerifBold()
{
    static const QFont f = font("MS Sans Serif", 8.25, true);
    return f;
}
const QFont &arialRegular()
{
    static const QFont f = font("Arial", 8.25, false);
    return f;
}
const QFont &arialBold()
{
    static const QFont f = font("Arial", 9.75, true);
    return f;
}

void setColor(QWidget *w, QPalette::ColorRole role, const QColor &c)
{
    QPalette pal = w->palette();
    pal.setColor(role, c);
    w->setPalette(pal);
}

EtchedFrame *frame(QWidget *parent, const QString &name, const QString &caption, int left, int top,
    int width, int height)
{
    return place(new EtchedFrame(caption, parent), name, left, top, width, height);
}

// A display field; typing into it is not offered, selecting and copying is.
QLineEdit *textBox(QWidget *parent, const QString &name, const QString &text, int left, int top,
    int width, int height, bool buttonFace)
{
    auto *t = place(new QLineEdit(parent), name, left, top, width, height);
    t->setReadOnly(true);
    t->setAlignment(Qt::AlignCenter);
    t->setFont(msSansSerifBold());
    t->setText(text);
    t->setTextMargins(0, 0, 0, 0);
    QPalette pal = t->palette();
    pal.setColor(QPalette::Base, buttonFace ? pal.color(QPalette::Button) : QColor(Qt::white));
    pal.setColor(QPalette::Text, Qt::black);
    t->setPalette(pal);
    // Filled first with the colour behind it, the field covers itself, so a new text does not
    // repaint the frame around it.
    t->setBackgroundRole(QPalette::Window);
    t->setAutoFillBackground(true);
    return t;
}

PictureBox *pictureBox(QWidget *parent, const QString &name, int left, int top, int width,
    int height, const QColor &back, PictureBox::Border border = PictureBox::Border::FlatSingle)
{
    auto *p = place(new PictureBox(parent), name, left, top, width, height);
    p->setBorder(border);
    p->setBackColor(back);
    return p;
}

OutlineShape *outline(
    QWidget *parent, const QString &name, int left, int top, int width, int height)
{
    return place(
        new OutlineShape(OutlineShape::Kind::Rectangle, parent), name, left, top, width, height);
}

ClickLabel *buttonLabel(QWidget *parent, const QString &name, const QString &caption, int left,
    int top, int width, int height, const QFont &f)
{
    auto *l = place(new ClickLabel(caption, parent), name, left, top, width, height);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(f);
    l->setForeColor(Qt::black);
    l->setCursor(WindowImages::cursor(WindowImages::Id::C4));
    return l;
}

} // namespace

void frmQuorvinUi::setupUi(QWidget *w)
{
    w->setObjectName(QStringLiteral("frmQuorvin"));
    w->setWindowTitle(QStringLiteral("Veltrano Quorvin"));
    w->setFixedSize(px(9120), px(6195));
    // Button face as the window background; a background role would instead turn every
    // child's text into button text.
    setColor(w, QPalette::Window, w->palette().color(QPalette::Button));
    // Frames, check boxes and option buttons take the window's font.
    w->setFont(font("MS Sans Serif", 8.25, false));
    // A new line edit lays out its text once in the application's font before it takes its
    // own; lent the window's font until the controls stand, that loads no face the window
    // does not show.
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(w->font());
    w->setWindowIcon(WindowImages::icon(WindowImages::Id::I1));
    w->setCursor(WindowImages::cursor(WindowImages::Id::C1));

    const QColor buttonFace = w->palette().color(QPalette::Button);
    const QColor windowBack = w->palette().color(QPalette::Base);

    Check1 = place(new CheckBox(QStringLiteral("Immer im Vordergrund"), w),
        QStringLiteral("Check1"), 5955, 5355, 1935, 195);
    Check1->setCheckState(Qt::Checked);
    // The style's box is a pixel taller than the control; a classic 13-pixel box fits whole.
    auto *indicatorStyle = new SmallIndicatorStyle;
    indicatorStyle->setParent(Check1);
    Check1->setStyle(indicatorStyle);
    Picture1 = pictureBox(w, QStringLiteral("Picture1"), 4920, 240, 4065, 5115, buttonFace,
        PictureBox::Border::Sunken3D);
    Picture8 = pictureBox(w, QStringLiteral("Picture8"), 4920, 5550, 4050, 525, buttonFace,
        PictureBox::Border::Sunken3D);
    Frame2
        = frame(w, QStringLiteral("Frame2"), QStringLiteral(" Dez  / Hex "), 120, 150, 1215, 2055);
    Frame3 = frame(
        w, QStringLiteral("Frame3"), QStringLiteral("Rot, Grün, Blau"), 1440, 150, 3375, 2055);
    Frame4
        = frame(w, QStringLiteral("Frame4"), QStringLiteral("Farbvorschau"), 120, 2310, 4695, 1665);
    Frame5 = frame(w, QStringLiteral("Frame5"), QStringLiteral("RGB"), 1440, 4020, 3375, 615);
    Frame8 = frame(
        w, QStringLiteral("Frame8"), QStringLiteral("RGB Dezimal-Code"), 1440, 4740, 3375, 615);
    Frame6
        = frame(w, QStringLiteral("Frame6"), QStringLiteral("HEX / HTML"), 1440, 5460, 3375, 615);
    Frame7 = frame(w, QStringLiteral("Frame7"), QString(), 120, 4020, 1230, 2055);

    vorschau = pictureBox(w, QStringLiteral("vorschau"), 9780, 3360, 495, 495, windowBack);
    const std::array<int, 4> picMouseTop { 990, 1590, 2190, 2775 };
    const std::array<WindowImages::Id, 4> picMouseImage { WindowImages::Id::C1,
        WindowImages::Id::C2, WindowImages::Id::I1, WindowImages::Id::I2 };
    for (int i = 0; i < 4; ++i) {
        picMouse[i] = pictureBox(
            w, QStringLiteral("picMouse(%1)").arg(i), 9780, picMouseTop[i], 495, 495, windowBack);
        picMouse[i]->setPicture(WindowImages::pixmap(picMouseImage[i]));
        picMouse[i]->hide();
    }
    tmrScreenColor = new QTimer(w);
    tmrScreenColor->setObjectName(QStringLiteral("tmrScreenColor"));
    tmrScreenColor->setInterval(1);
    tmrScreenColor->setTimerType(Qt::PreciseTimer);

    Text2 = textBox(Frame2, QStringLiteral("Text2"), QStringLiteral("0"), 120, 360, 480, 315, true);
    Text1
        = textBox(Frame2, QStringLiteral("Text1"), QStringLiteral("00"), 630, 360, 465, 315, true);
    Text3 = textBox(Frame2, QStringLiteral("Text3"), QStringLiteral("0"), 120, 960, 480, 315, true);
    Text4
        = textBox(Frame2, QStringLiteral("Text4"), QStringLiteral("00"), 630, 960, 465, 315, true);
    Text5
        = textBox(Frame2, QStringLiteral("Text5"), QStringLiteral("0"), 120, 1545, 480, 315, true);
    Text6
        = textBox(Frame2, QStringLiteral("Text6"), QStringLiteral("00"), 630, 1545, 465, 315, true);

    const std::array<int, 3> rowTop { 240, 840, 1440 };
    const std::array<QColor, 3> channelColor { QColor(255, 0, 0), QColor(0, 255, 0),
        QColor(0, 0, 255) };
    const std::array<const char *, 3> swatchName { "Picture5", "Picture6", "Picture7" };
    const std::array<const char *, 3> barName { "Picture2", "Picture3", "Picture4" };
    std::array<PictureBox *, 3> swatch {};
    std::array<PictureBox *, 3> bar {};
    for (int i = 0; i < 3; ++i) {
        HScroll1[i] = place(new ChannelScrollBar(Frame3), QStringLiteral("HScroll1(%1)").arg(i),
            120, rowTop[i], 3135, 255);
        HScroll1[i]->setFocusPolicy(Qt::StrongFocus);
        // The bar comes first so that the swatch overlapping its left edge lies on top.
        bar[i] = pictureBox(
            Frame3, QString::fromLatin1(barName[i]), 360, rowTop[i] + 240, 2895, 255, Qt::black);
        swatch[i] = pictureBox(Frame3, QString::fromLatin1(swatchName[i]), 120, rowTop[i] + 240,
            255, 255, channelColor[i]);
    }
    Picture5 = swatch[0];
    Picture6 = swatch[1];
    Picture7 = swatch[2];
    Picture2 = bar[0];
    Picture3 = bar[1];
    Picture4 = bar[2];
    Label13 = place(new QLabel(QStringLiteral(" RGB Sync"), Frame3), QStringLiteral("Label13"),
        2235, 0, 840, 225);
    Label13->setFont(arialRegular());
    Label13->setAutoFillBackground(true);
    setColor(Label13, QPalette::Window, buttonFace);
    setColor(Label13, QPalette::WindowText, QColor(128, 128, 128));
    Label13->setCursor(WindowImages::cursor(WindowImages::Id::C5));
    Label13->hide();

    Picture11 = pictureBox(Frame4, QStringLiteral("Picture11"), 120, 255, 2220, 1305, Qt::black,
        PictureBox::Border::None);
    picPreView = pictureBox(Frame4, QStringLiteral("picPreView"), 2340, 255, 2220, 1305,
        QColor(128, 128, 128), PictureBox::Border::None);

    Text7 = textBox(
        Frame5, QStringLiteral("Text7"), QStringLiteral("0,0,0"), 120, 240, 2415, 285, false);
    Shape4 = outline(Frame5, QStringLiteral("Shape4"), 2625, 240, 615, 285);
    Label4 = buttonLabel(Frame5, QStringLiteral("Label4"), QStringLiteral("Kopie"), 2655, 270, 555,
        255, arialRegular());
    Text9
        = textBox(Frame8, QStringLiteral("Text9"), QStringLiteral("0"), 120, 240, 2415, 285, false);
    Shape5 = outline(Frame8, QStringLiteral("Shape5"), 2625, 240, 615, 285);
    Label5 = buttonLabel(Frame8, QStringLiteral("Label5"), QStringLiteral("Kopie"), 2655, 270, 555,
        255, arialRegular());
    chkRGB = place(
        new CheckBox(QStringLiteral("BGR"), Frame6), QStringLiteral("chkRGB"), 120, 240, 795, 255);
    Text8 = textBox(
        Frame6, QStringLiteral("Text8"), QStringLiteral("#000000"), 1020, 240, 1515, 285, false);
    Shape6 = outline(Frame6, QStringLiteral("Shape6"), 2625, 240, 615, 285);
    Label6 = buttonLabel(Frame6, QStringLiteral("Label6"), QStringLiteral("Kopie"), 2670, 270, 540,
        255, arialRegular());

    lblInfo5 = place(new QLabel(QStringLiteral(" Bildschirm- Pipette:"), Frame7),
        QStringLiteral("lblInfo(5)"), 135, 180, 1005, 480);
    lblInfo5->setFont(arialRegular());
    lblInfo5->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblInfo5->setWordWrap(true);
    setColor(lblInfo5, QPalette::WindowText, Qt::black);
    picScreenColor
        = pictureBox(Frame7, QStringLiteral("picScreenColor"), 360, 630, 495, 495, Qt::white);
    Shape1 = outline(Frame7, QStringLiteral("Shape1"), 165, 1275, 915, 285);
    Label1 = buttonLabel(Frame7, QStringLiteral("Label1"), QStringLiteral("RANDOM"), 195, 1305, 855,
        255, arialRegular());
    Shape2 = outline(Frame7, QStringLiteral("Shape2"), 165, 1650, 285, 285);
    Label3 = buttonLabel(
        Frame7, QStringLiteral("Label3"), QStringLiteral("A"), 180, 1665, 255, 255, arialBold());
    Shape3 = outline(Frame7, QStringLiteral("Shape3"), 795, 1650, 285, 285);
    Label7 = buttonLabel(
        Frame7, QStringLiteral("Label7"), QStringLiteral("B"), 810, 1665, 255, 255, arialBold());
    // A line from (435, 1770) to (795, 1770): one pixel high, its end point included.
    Line1 = place(new OutlineShape(OutlineShape::Kind::HorizontalLine, Frame7),
        QStringLiteral("Line1"), 435, 1770, 795 - 435 + 15, 15);
    Line1->setBorderColor(QColor(255, 0, 0));
    Line1->hide();

    for (int i = 0; i < 2; ++i) {
        picColor[i] = pictureBox(Picture1, QStringLiteral("picColor(%1)").arg(i), 60,
            i == 0 ? 60 : 4020, i == 0 ? 3865 : 3870, i == 0 ? 3865 : 990, windowBack);
        picColor[i]->setCursor(WindowImages::cursor(WindowImages::Id::C3));
    }

    Option1[0] = place(new OptionButton(QStringLiteral("Beispieltext"), Picture8),
        QStringLiteral("Option1(0)"), 90, 15, 1320, 225);
    Option1[1] = place(new OptionButton(QStringLiteral("Hintergrund"), Picture8),
        QStringLiteral("Option1(1)"), 90, 240, 1320, 225);
    Option1[0]->setChecked(true);
    Picture9 = pictureBox(Picture8, QStringLiteral("Picture9"), 1335, 60, 2595, 360, Qt::black,
        PictureBox::Border::None);
    Label2 = place(new ClickLabel(QStringLiteral("Sample Text"), Picture9),
        QStringLiteral("Label2"), 690, 75, 1200, 225);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(msSansSerifBold());
    Label2->setForeColor(Qt::white);

    // Only the window background moves the window: presses anywhere inside a top-level
    // control stay there. Those controls show the normal pointer, not the window's own.
    for (QWidget *child : { static_cast<QWidget *>(Check1), static_cast<QWidget *>(Picture1),
             static_cast<QWidget *>(Picture8), static_cast<QWidget *>(Frame2),
             static_cast<QWidget *>(Frame3), static_cast<QWidget *>(Frame4),
             static_cast<QWidget *>(Frame5), static_cast<QWidget *>(Frame6),
             static_cast<QWidget *>(Frame7), static_cast<QWidget *>(Frame8) }) {
        child->setAttribute(Qt::WA_NoMousePropagation);
        child->setCursor(Qt::ArrowCursor);
    }

    for (QWidget *nofocus : { static_cast<QWidget *>(Label2), static_cast<QWidget *>(Label1),
             static_cast<QWidget *>(Label3), static_cast<QWidget *>(Label4),
             static_cast<QWidget *>(Label5), static_cast<QWidget *>(Label6),
             static_cast<QWidget *>(Label7) })
        nofocus->setFocusPolicy(Qt::NoFocus);
    const std::array<QWidget *, 16> focusOrder { Text1, Text2, Text3, Text4, Text5, Text6,
        HScroll1[0], HScroll1[1], HScroll1[2], Text7, Text8, Text9, Option1[0], Option1[1], Check1,
        chkRGB };
    for (std::size_t i = 1; i < focusOrder.size(); ++i)
        QWidget::setTabOrder(focusOrder[i - 1], focusOrder[i]);
    QApplication::setFont(applicationFont);
}
