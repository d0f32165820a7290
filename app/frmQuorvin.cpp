#include "app/frmQuorvin.h"

#include "app/ButtonDescriptions.h"
#include "app/Commands.h"
#include "app/PalettePixels.h"
#include "app/Placement.h"
#include "app/images/WindowImages.h"
#include "buttons/CopyButtons.h"
#include "buttons/PressedLook.h"
#include "buttons/PreviewToggles.h"
#include "color/ColorUpdate.h"
#include "color/SamplePreview.h"
#include "sources/PalettePicker.h"
#include "sources/RandomColor.h"
#include "sources/ScreenEyedropper.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/OutlineShape.h"
#include "widgets/PictureBox.h"
#include "widgets/VbMouse.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QTimer>

frmQuorvin::frmQuorvin(PlatformServices services, QWidget *parent)
    : QWidget(parent,
        Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_services(std::move(services))
{
    // A tool window would not end the program when closed; this one is the program.
    setAttribute(Qt::WA_QuitOnClose);
    ui.setupUi(this);
    describeButtons(ui);

    ColorUpdate::Controls update;
    update.HScroll1 = ui.HScroll1;
    update.Picture2 = ui.Picture2;
    update.Picture3 = ui.Picture3;
    update.Picture4 = ui.Picture4;
    update.Text1 = ui.Text1;
    update.Text2 = ui.Text2;
    update.Text3 = ui.Text3;
    update.Text4 = ui.Text4;
    update.Text5 = ui.Text5;
    update.Text6 = ui.Text6;
    update.Picture11 = ui.Picture11;
    update.picPreView = ui.picPreView;
    update.Label2 = ui.Label2;
    update.Picture9 = ui.Picture9;
    update.Option1 = ui.Option1;
    update.chkRGB = ui.chkRGB;
    update.Text7 = ui.Text7;
    update.Text8 = ui.Text8;
    update.Text9 = ui.Text9;
    m_colorUpdate = new ColorUpdate(update, flags, this);

    m_samplePreview = new SamplePreview({ ui.Label2, ui.Picture9, ui.Picture11, ui.picPreView,
                                            ui.chkRGB, ui.Text7, ui.Text8, ui.Text9 },
        flags, this);
    m_palettePicker = new PalettePicker(
        { ui.picColor, ui.vorschau, ui.HScroll1 }, colorModul, *m_services.pointerConfiner, this);
    m_screenEyedropper = new ScreenEyedropper(
        { this, ui.picScreenColor, ui.picMouse, ui.vorschau, ui.HScroll1, ui.chkRGB,
            WindowImages::hotSpot(WindowImages::fileData(WindowImages::Id::C1)),
            WindowImages::hotSpot(WindowImages::fileData(WindowImages::Id::C2)) },
        ui.tmrScreenColor, colorModul, *m_services.screenReader, *m_services.colorPortal,
        *m_services.loupeWindow, *m_services.holdKeyboard, this);
    m_randomColor = new RandomColor(ui.HScroll1, this);
    m_copyButtons = new CopyButtons({ ui.Text7, ui.Text9, ui.Text8 }, *m_services.clipboard, this);
    m_pressedLook = new PressedLook(
        { ui.Label1, ui.Shape1, ui.Label4, ui.Shape4, ui.Label5, ui.Shape5, ui.Label6, ui.Shape6 },
        this);
    m_previewToggles
        = new PreviewToggles({ ui.Label3, ui.Shape2, ui.Label7, ui.Shape3, ui.Line1 }, flags, this);

    wireEvents();
}

frmQuorvin::~frmQuorvin() = default;

void frmQuorvin::wireEvents()
{
    // Form_Load runs from main, before the window is shown.
    connect(ui.Check1, &QCheckBox::clicked, this, &frmQuorvin::Check1_Click);

    for (int i = 0; i < 3; ++i) {
        connect(ui.HScroll1[i], &ChannelScrollBar::changed, m_colorUpdate,
            [this, i] { m_colorUpdate->HScroll1_Change(i); });
        connect(ui.HScroll1[i], &ChannelScrollBar::scrolled, m_colorUpdate,
            [this, i] { m_colorUpdate->HScroll1_Scroll(i); });
    }

    connect(ui.Label2, &ClickLabel::clicked, m_samplePreview, &SamplePreview::Label2_Click);
    connect(ui.Picture9, &PictureBox::clicked, m_samplePreview, &SamplePreview::Picture9_Click);

    for (int i = 0; i < 2; ++i) {
        connect(ui.picColor[i], &PictureBox::mouseDown, m_palettePicker,
            [this, i](int b, int s, double x, double y) {
                m_palettePicker->picColor_MouseDown(i, b, s, x, y);
            });
        connect(ui.picColor[i], &PictureBox::mouseMove, m_palettePicker,
            [this, i](int b, int s, double x, double y) {
                m_palettePicker->picColor_MouseMove(i, b, s, x, y);
            });
        connect(ui.picColor[i], &PictureBox::mouseUp, m_palettePicker,
            [this, i](int b, int s, double x, double y) {
                m_palettePicker->picColor_MouseUp(i, b, s, x, y);
            });
    }

    connect(ui.picScreenColor, &PictureBox::mouseDown, m_screenEyedropper,
        &ScreenEyedropper::picScreenColor_MouseDown);
    connect(ui.picScreenColor, &PictureBox::mouseUp, m_screenEyedropper,
        &ScreenEyedropper::picScreenColor_MouseUp);
    connect(ui.tmrScreenColor, &QTimer::timeout, m_screenEyedropper,
        &ScreenEyedropper::tmrScreenColor_Timer);

    connect(ui.Label1, &ClickLabel::clicked, m_randomColor, &RandomColor::Label1_Click);
    connect(ui.Label1, &ClickLabel::doubleClicked, m_randomColor, &RandomColor::Label1_DblClick);
    connect(ui.Label1, &ClickLabel::mouseDown, m_pressedLook, &PressedLook::Label1_MouseDown);
    connect(ui.Label1, &ClickLabel::mouseUp, m_pressedLook, &PressedLook::Label1_MouseUp);

    connect(ui.Label4, &ClickLabel::clicked, m_copyButtons, &CopyButtons::Label4_Click);
    connect(ui.Label4, &ClickLabel::mouseDown, m_pressedLook, &PressedLook::Label4_MouseDown);
    connect(ui.Label4, &ClickLabel::mouseUp, m_pressedLook, &PressedLook::Label4_MouseUp);
    connect(ui.Label5, &ClickLabel::clicked, m_copyButtons, &CopyButtons::Label5_Click);
    connect(ui.Label5, &ClickLabel::mouseDown, m_pressedLook, &PressedLook::Label5_MouseDown);
    connect(ui.Label5, &ClickLabel::mouseUp, m_pressedLook, &PressedLook::Label5_MouseUp);
    connect(ui.Label6, &ClickLabel::clicked, m_copyButtons, &CopyButtons::Label6_Click);
    connect(ui.Label6, &ClickLabel::mouseDown, m_pressedLook, &PressedLook::Label6_MouseDown);
    connect(ui.Label6, &ClickLabel::mouseUp, m_pressedLook, &PressedLook::Label6_MouseUp);

    connect(ui.Label3, &ClickLabel::clicked, m_previewToggles, &PreviewToggles::Label3_Click);
    connect(ui.Label7, &ClickLabel::clicked, m_previewToggles, &PreviewToggles::Label7_Click);
}

bool frmQuorvin::Form_Load()
{
    if (!Commands::InitApp(*m_services.singleInstance))
        return false;
    // The outer size is fixed by the window definition; on X11 the frame is the window
    // manager's, so only the client area is ours to set.
    Commands::CenterForm(this);
    ui.picColor[0]->setPersistentImage(true);
    ui.picColor[1]->setPersistentImage(true);
    ui.vorschau->setPersistentImage(true);
    colorModul.PaletteDragActive = false;
    ui.picScreenColor->setPicture(ui.picMouse[2]->picture());
    drawPalettes();
    ui.Label3->setForeColor(QColor(255, 0, 0));
    ui.Shape2->setBorderColor(QColor(255, 0, 0));
    flags.PreviewAOn = 1;
    flags.PreviewBOn = 0;
    Check1_Click();
    return true;
}

void frmQuorvin::drawPalettes()
{
    // Straight into the surfaces' images; what does not fit (most of the grey ramp's rows) is
    // left out.
    const auto into = [](auto draw) {
        return [draw](QImage &img) {
            draw(reinterpret_cast<std::uint32_t *>(img.bits()), img.bytesPerLine() / 4, img.width(),
                img.height());
        };
    };
    ui.picColor[0]->editImage(into(PalettePixels::drawColourField));
    ui.picColor[1]->editImage(into(PalettePixels::drawGreyRamp));
}

QPointF frmQuorvin::clientTwips(const QMouseEvent *event) const
{
    // Measured from the client origin as this widget knows it, the same source as
    // frameGeometry() below, so a move that the window manager has not confirmed yet
    // cannot make the window jitter.
    const QPointF local = event->globalPosition() - QPointF(geometry().topLeft());
    return local * Placement::TwipsPerPixel;
}

void frmQuorvin::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = clientTwips(event);
    Form_MouseDown(
        VbMouse::button(event->button()), VbMouse::shift(event->modifiers()), p.x(), p.y());
}

void frmQuorvin::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = clientTwips(event);
    Form_MouseMove(
        VbMouse::buttons(event->buttons()), VbMouse::shift(event->modifiers()), p.x(), p.y());
}

// A drag can end without a release reaching the window: the pointer must never stay confined.
void frmQuorvin::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::ActivationChange && !isActiveWindow()
        && colorModul.PaletteDragActive)
        m_palettePicker->endDrag();
    QWidget::changeEvent(event);
}

void frmQuorvin::hideEvent(QHideEvent *event)
{
    m_palettePicker->endDrag();
    m_screenEyedropper->endSampling();
    QWidget::hideEvent(event);
}

void frmQuorvin::Form_MouseDown(int, int, double X, double Y)
{
    m_MStartX = static_cast<float>(X);
    m_MStartY = static_cast<float>(Y);
}

void frmQuorvin::Form_MouseMove(int Button, int, double X, double Y)
{
    if (Button != 1)
        return;
    constexpr double tw = Placement::TwipsPerPixel;
    const double left = frameGeometry().x() * tw;
    const double top = frameGeometry().y() * tw;
    const double newLeft = left + (X - m_MStartX);
    const double newTop = top + (Y - m_MStartY);
    move(qRound(newLeft / tw), qRound(newTop / tw));
}

void frmQuorvin::Check1_Click()
{
    const bool onTop = ui.Check1->checkState() != Qt::Unchecked;
    Commands::SetAlwaysOnTop(this, onTop, *m_services.windowOrder);
}
