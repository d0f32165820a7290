#include "app/frmQuorvin.h"

#include "app/ButtonDescriptions.h"
#include "app/Commands.h"
#include "app/images/WindowImages.h"
#include "buttons/CopyButtons.h"
#include "buttons/PressedLook.h"
#include "buttons/PreviewToggles.h"
#include "color/ColorUpdate.h"
#include "color/SamplePreview.h"
#include "core/PalettePixels.h"
#include "core/Placement.h"
#include "sources/PalettePicker.h"
#include "sources/RandomColor.h"
#include "sources/ScreenEyedropper.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/ClickLabel.h"
#include "widgets/MouseCodes.h"
#include "widgets/OutlineShape.h"
#include "widgets/PictureBox.h"

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

    m_colorUpdate = std::make_unique<ColorUpdate>(
        ColorUpdate::Controls {
            .HScroll1 = ui.HScroll1,
            .Picture2 = ui.Picture2,
            .Picture3 = ui.Picture3,
            .Picture4 = ui.Picture4,
            .Text1 = ui.Text1,
            .Text2 = ui.Text2,
            .Text3 = ui.Text3,
            .Text4 = ui.Text4,
            .Text5 = ui.Text5,
            .Text6 = ui.Text6,
            .Picture11 = ui.Picture11,
            .picPreView = ui.picPreView,
            .Label2 = ui.Label2,
            .Picture9 = ui.Picture9,
            .Option1 = ui.Option1,
            .chkRGB = ui.chkRGB,
            .Text7 = ui.Text7,
            .Text8 = ui.Text8,
            .Text9 = ui.Text9,
        },
        flags, this);
    m_samplePreview = std::make_unique<SamplePreview>(
        SamplePreview::Controls {
            .Label2 = ui.Label2,
            .Picture9 = ui.Picture9,
            .Picture11 = ui.Picture11,
            .picPreView = ui.picPreView,
            .chkRGB = ui.chkRGB,
            .Text7 = ui.Text7,
            .Text8 = ui.Text8,
            .Text9 = ui.Text9,
        },
        flags, this);
    m_palettePicker = std::make_unique<PalettePicker>(
        PalettePicker::Controls {
            .picColor = ui.picColor,
            .vorschau = ui.vorschau,
            .HScroll1 = ui.HScroll1,
        },
        colorModul, *m_services.pointerConfiner, this);
    m_screenEyedropper = std::make_unique<ScreenEyedropper>(
        ScreenEyedropper::Controls {
            .form = this,
            .picScreenColor = ui.picScreenColor,
            .picMouse = ui.picMouse,
            .vorschau = ui.vorschau,
            .HScroll1 = ui.HScroll1,
            .chkRGB = ui.chkRGB,
            .idleHotSpot = WindowImages::hotSpot(WindowImages::fileData(WindowImages::Id::C1)),
            .holdHotSpot = WindowImages::hotSpot(WindowImages::fileData(WindowImages::Id::C2)),
        },
        ui.tmrScreenColor, colorModul, *m_services.screenReader, *m_services.colorPortal,
        *m_services.loupeWindow, *m_services.holdKeyboard, this);
    if (m_services.eyedropper == PlatformServices::Eyedropper::None)
        m_screenEyedropper->cannotPick();
    m_randomColor = std::make_unique<RandomColor>(ui.HScroll1, this);
    m_copyButtons = std::make_unique<CopyButtons>(
        CopyButtons::Controls {
            .Text7 = ui.Text7,
            .Text9 = ui.Text9,
            .Text8 = ui.Text8,
        },
        *m_services.clipboard, this);
    m_pressedLook = std::make_unique<PressedLook>(
        PressedLook::Controls {
            .Label1 = ui.Label1,
            .Shape1 = ui.Shape1,
            .Label4 = ui.Label4,
            .Shape4 = ui.Shape4,
            .Label5 = ui.Label5,
            .Shape5 = ui.Shape5,
            .Label6 = ui.Label6,
            .Shape6 = ui.Shape6,
        },
        this);
    m_previewToggles = std::make_unique<PreviewToggles>(
        PreviewToggles::Controls {
            .Label3 = ui.Label3,
            .Shape2 = ui.Shape2,
            .Label7 = ui.Label7,
            .Shape3 = ui.Shape3,
            .Line1 = ui.Line1,
        },
        flags, this);

    wireEvents();
}

frmQuorvin::~frmQuorvin() = default;

void frmQuorvin::wireEvents()
{
    // Form_Load runs from main, before the window is shown.
    connect(ui.Check1, &QCheckBox::clicked, this, &frmQuorvin::Check1_Click);

    for (int i = 0; i < 3; ++i) {
        connect(ui.HScroll1[i], &ChannelScrollBar::changed, m_colorUpdate.get(),
            [this, i] { m_colorUpdate->HScroll1_Change(i); });
        connect(ui.HScroll1[i], &ChannelScrollBar::scrolled, m_colorUpdate.get(),
            [this, i] { m_colorUpdate->HScroll1_Scroll(i); });
    }

    connect(ui.Label2, &ClickLabel::clicked, m_samplePreview.get(), &SamplePreview::Label2_Click);
    connect(
        ui.Picture9, &PictureBox::clicked, m_samplePreview.get(), &SamplePreview::Picture9_Click);

    for (int i = 0; i < 2; ++i) {
        connect(ui.picColor[i], &PictureBox::mouseDown, m_palettePicker.get(),
            [this, i](int b, int s, double x, double y) {
                m_palettePicker->picColor_MouseDown(i, b, s, x, y);
            });
        connect(ui.picColor[i], &PictureBox::mouseMove, m_palettePicker.get(),
            [this, i](int b, int s, double x, double y) {
                m_palettePicker->picColor_MouseMove(i, b, s, x, y);
            });
        connect(ui.picColor[i], &PictureBox::mouseUp, m_palettePicker.get(),
            [this, i](int b, int s, double x, double y) {
                m_palettePicker->picColor_MouseUp(i, b, s, x, y);
            });
    }

    connect(ui.picScreenColor, &PictureBox::mouseDown, m_screenEyedropper.get(),
        &ScreenEyedropper::picScreenColor_MouseDown);
    connect(ui.picScreenColor, &PictureBox::mouseUp, m_screenEyedropper.get(),
        &ScreenEyedropper::picScreenColor_MouseUp);
    connect(ui.tmrScreenColor, &QTimer::timeout, m_screenEyedropper.get(),
        &ScreenEyedropper::tmrScreenColor_Timer);

    connect(ui.Label1, &ClickLabel::clicked, m_randomColor.get(), &RandomColor::Label1_Click);
    connect(
        ui.Label1, &ClickLabel::doubleClicked, m_randomColor.get(), &RandomColor::Label1_DblClick);
    connect(ui.Label1, &ClickLabel::mouseDown, m_pressedLook.get(), &PressedLook::Label1_MouseDown);
    connect(ui.Label1, &ClickLabel::mouseUp, m_pressedLook.get(), &PressedLook::Label1_MouseUp);

    connect(ui.Label4, &ClickLabel::clicked, m_copyButtons.get(), &CopyButtons::Label4_Click);
    connect(ui.Label4, &ClickLabel::mouseDown, m_pressedLook.get(), &PressedLook::Label4_MouseDown);
    connect(ui.Label4, &ClickLabel::mouseUp, m_pressedLook.get(), &PressedLook::Label4_MouseUp);
    connect(ui.Label5, &ClickLabel::clicked, m_copyButtons.get(), &CopyButtons::Label5_Click);
    connect(ui.Label5, &ClickLabel::mouseDown, m_pressedLook.get(), &PressedLook::Label5_MouseDown);
    connect(ui.Label5, &ClickLabel::mouseUp, m_pressedLook.get(), &PressedLook::Label5_MouseUp);
    connect(ui.Label6, &ClickLabel::clicked, m_copyButtons.get(), &CopyButtons::Label6_Click);
    connect(ui.Label6, &ClickLabel::mouseDown, m_pressedLook.get(), &PressedLook::Label6_MouseDown);
    connect(ui.Label6, &ClickLabel::mouseUp, m_pressedLook.get(), &PressedLook::Label6_MouseUp);

    connect(ui.Label3, &ClickLabel::clicked, m_previewToggles.get(), &PreviewToggles::Label3_Click);
    connect(ui.Label7, &ClickLabel::clicked, m_previewToggles.get(), &PreviewToggles::Label7_Click);
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
    ui.picColor[0]->editImage(into(PalettePixels::drawColorField));
    ui.picColor[1]->editImage(into(PalettePixels::drawGreyRamp));
}

QPointF frmQuorvin::clientTwips(const QMouseEvent *event) const
{
    // Measured from the client origin as this widget knows it, the same source as
    // frameGeometry() below, so a move that the window manager has not confirmed yet
    // cannot make the window jitter.
    const QPointF local = event->globalPosition() - QPointF(geometry().topLeft());
    return local * Placement::twipsPerPixel;
}

void frmQuorvin::mousePressEvent(QMouseEvent *event)
{
    const QPointF p = clientTwips(event);
    Form_MouseDown(
        MouseCodes::button(event->button()), MouseCodes::shift(event->modifiers()), p.x(), p.y());
}

void frmQuorvin::mouseMoveEvent(QMouseEvent *event)
{
    const QPointF p = clientTwips(event);
    Form_MouseMove(
        MouseCodes::buttons(event->buttons()), MouseCodes::shift(event->modifiers()), p.x(), p.y());
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
    constexpr double tw = Placement::twipsPerPixel;
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
