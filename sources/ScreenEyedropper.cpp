#include "sources/ScreenEyedropper.h"

#include "platform/ColorPortal.h"
#include "platform/HoldKeyboard.h"
#include "platform/ScreenReader.h"
#include "sources/ColorHandOver.h"
#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QShortcut>
#include <QTimer>
#include <QWheelEvent>

namespace {

// The store holds the bare pictures; the hot spots come with the controls.
QCursor cursorFrom(const PictureBox *store, QPoint hot)
{
    return QCursor(store->picture(), hot.x(), hot.y());
}

// Where the screen read sees the pointer itself, the pixel under the hot spot must be the
// screen's: a small clear patch around it survives the compositor scaling the pointer up.
QCursor withClearHotSpot(const QCursor &cursor)
{
    QImage image = cursor.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QPoint hot = cursor.hotSpot();
    for (int y = hot.y() - 1; y <= hot.y() + 1; ++y) {
        for (int x = hot.x() - 1; x <= hot.x() + 1; ++x) {
            if (image.valid(x, y))
                image.setPixel(x, y, 0);
        }
    }
    return QCursor(QPixmap::fromImage(image), hot.x(), hot.y());
}

const QString cannotPickText
    = QStringLiteral("Auf diesem Desktop kann die Pipette keine Farbe vom Bildschirm nehmen.");

} // namespace

ScreenEyedropper::ScreenEyedropper(const Controls &controls, QTimer *tmrScreenColor,
    ColorModul &state, ScreenReader &reader, ColorPortal &portal, LoupeWindow &loupeWindow,
    HoldKeyboard &keyboard, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_tmrScreenColor(tmrScreenColor)
    , m_state(state)
    , m_reader(reader)
    , m_portal(portal)
    , m_keyboard(keyboard)
    , m_loupe(loupeWindow)
{
    m_portalLimit = new QTimer(this);
    m_portalLimit->setSingleShot(true);
    m_portalLimit->setInterval(portalLimitMs);
    connect(m_portalLimit, &QTimer::timeout, this, &ScreenEyedropper::givePortalUp);
}

ScreenEyedropper::~ScreenEyedropper()
{
    // The window's services go before its children: their own destructors give the keyboard
    // back and take the loupe away.
    if (QCoreApplication *app = QCoreApplication::instance(); app && m_aids)
        app->removeEventFilter(this);
    // The timer may already be gone with the window; the application's pointer is not.
    if (m_overriding)
        QGuiApplication::restoreOverrideCursor();
}

void ScreenEyedropper::picScreenColor_MouseDown(int, int, double, double)
{
    if (m_cannotPick)
        return;
    // A portal that never answers must not keep the button: a second press takes it back.
    if (m_portalOpen) {
        givePortalUp();
        return;
    }
    QCursor hold = cursorFrom(m_c.picMouse[1], m_c.holdHotSpot);
    setPointer(m_reader.seesPointer() ? withClearHotSpot(hold) : hold, true);
    m_c.picScreenColor->setPicture(m_c.picMouse[3]->picture());
    m_portalOpen = m_portal.pickColor(m_c.form,
        [this](ColorPortal::Outcome outcome, ColorValue color) { portalAnswered(outcome, color); });
    if (!m_portalOpen) {
        m_tmrScreenColor->start();
        startHoldAids();
        return;
    }
    m_portalLimit->start();
    if (!m_portalEscape) {
        m_portalEscape = new QShortcut(QKeySequence(Qt::Key_Escape), m_c.form);
        connect(m_portalEscape, &QShortcut::activated, this, &ScreenEyedropper::givePortalUp);
    }
    m_portalEscape->setEnabled(true);
}

void ScreenEyedropper::givePortalUp()
{
    if (!m_portalOpen)
        return;
    m_portal.cancel();
    m_portalOpen = false;
    m_portalLimit->stop();
    m_portalEscape->setEnabled(false);
    endSampling();
}

void ScreenEyedropper::cannotPick()
{
    m_cannotPick = true;
    m_c.picScreenColor->setToolTip(cannotPickText);
    if (m_overriding)
        endSampling();
}

void ScreenEyedropper::picScreenColor_MouseUp(int, int, double, double)
{
    // While the portal is open the hold lasts until it answers.
    if (m_portalOpen)
        return;
    // The toolkit makes a release up when the window goes during the hold (minimised); the
    // window system, which still has the button down, will send it nowhere.
    QPoint root;
    bool buttonHeld = false;
    if (m_reader.pointerPosition(&root, &buttonHeld) && buttonHeld)
        endSampling();
    else
        stopSampling();
}

void ScreenEyedropper::portalAnswered(ColorPortal::Outcome outcome, ColorValue color)
{
    m_portalOpen = false;
    m_portalLimit->stop();
    m_portalEscape->setEnabled(false);
    // Cancelled or failed: the colour stays as it was.
    if (outcome == ColorPortal::Outcome::Color)
        handOverColor(color, m_c.vorschau, m_c.HScroll1);
    if (outcome == ColorPortal::Outcome::Failed)
        cannotPick();
    else
        endSampling();
}

void ScreenEyedropper::endSampling()
{
    const bool holding = m_tmrScreenColor->isActive();
    stopSampling();
    if (holding)
        forgetPress();
}

void ScreenEyedropper::forgetPress()
{
    // The release went nowhere (the window was hidden, another program took the pointer), so
    // the toolkit still takes the button for down on the eyedropper button: it would hand it
    // every move and keep the pointer it had over the window until the next click. Its layers
    // need not agree on which button that is, so every one is let go.
    m_keyboard.endLostPress(m_c.form->winId(), Qt::AllButtons);
}

void ScreenEyedropper::stopSampling()
{
    stopHoldAids();
    setPointer(cursorFrom(m_c.picMouse[0], m_c.idleHotSpot), false);
    m_c.picScreenColor->setPicture(m_c.picMouse[2]->picture());
    m_tmrScreenColor->stop();
    m_reader.endHold();
}

void ScreenEyedropper::setPointer(const QCursor &cursor, bool sampling)
{
    m_c.form->setCursor(cursor);
    // The window's pointer alone shows only over its bare background, as every control has a
    // pointer of its own; the hold shows the pipette everywhere. A second button pressed
    // during the hold must not stack a second override that no release would take away.
    if (sampling && !m_overriding)
        QGuiApplication::setOverrideCursor(cursor);
    else if (!sampling && m_overriding)
        QGuiApplication::restoreOverrideCursor();
    m_overriding = sampling;
}

void ScreenEyedropper::tmrScreenColor_Timer()
{
    // A step that fails is passed over: an unknown pointer keeps the last position, and an
    // unreadable pixel gives the colour last parked in the scratch surface.
    QPoint root;
    bool buttonHeld = true;
    if (m_reader.pointerPosition(&root, &buttonHeld))
        m_state.ScreenCursorPos = root;
    // Every button is up, yet no release arrived (another program took the pointer grab):
    // sampling must not go on for ever with the pipette stuck on the pointer.
    if (!buttonHeld) {
        endSampling();
        return;
    }
    // One read gives both the loupe's block and, at its centre, the pixel handed over.
    ScreenBlock block;
    const bool read = m_reader.readBlock(m_state.ScreenCursorPos, m_loupe.radius(), &block);
    ColorValue color = read ? block.centreColor() : -1;
    if (color < 0)
        color = m_c.vorschau->Point(0, 0);
    handOverColor(color, m_c.vorschau, m_c.HScroll1);
    if (!m_aids)
        return;
    // A failed read leaves the loupe as it was: it still frames the colour last handed over.
    if (read)
        m_loupe.show(block, pointerImage(block.centre), m_c.chkRGB && m_c.chkRGB->isChecked());
    takeKeys();
}

void ScreenEyedropper::startHoldAids()
{
    if (m_aids)
        return;
    m_aids = true;
    for (std::size_t i = 0; i < m_pressColor.size(); ++i)
        m_pressColor[i] = m_c.HScroll1[i]->value();
    m_keyboard.grab();
    QCoreApplication::instance()->installEventFilter(this);
}

void ScreenEyedropper::stopHoldAids()
{
    if (!m_aids)
        return;
    m_aids = false;
    m_loupe.hide();
    m_keyboard.release();
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool ScreenEyedropper::takeKeys()
{
    for (const HoldKeyboard::Press &p : m_keyboard.presses()) {
        const int step = p.shift ? 10 : 1;
        switch (p.key) {
        case HoldKeyboard::Key::Left:
            m_keyboard.movePointer({ -step, 0 });
            break;
        case HoldKeyboard::Key::Right:
            m_keyboard.movePointer({ step, 0 });
            break;
        case HoldKeyboard::Key::Up:
            m_keyboard.movePointer({ 0, -step });
            break;
        case HoldKeyboard::Key::Down:
            m_keyboard.movePointer({ 0, step });
            break;
        case HoldKeyboard::Key::Escape: {
            const std::array<int, 3> back = m_pressColor;
            // The button is still down; its release comes later and finds the hold ended.
            stopSampling();
            writeChannels({ back, back.size() }, m_c.HScroll1);
            return false;
        }
        }
    }
    return true;
}

QRect ScreenEyedropper::pointerImage(QPoint root) const
{
    // Custom pointers are shown at their pixmap's device size, the hot spot in device pixels.
    const QPixmap &picture = m_c.picMouse[1]->picture();
    const QSize size = picture.isNull() ? QSize(32, 32) : picture.size();
    return QRect(root - m_c.holdHotSpot, size);
}

bool ScreenEyedropper::eventFilter(QObject *watched, QEvent *event)
{
    // The wheel zooms the loupe; it is no press, no release and no scroll of anything else.
    if (m_aids && event->type() == QEvent::Wheel) {
        const int delta = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (delta != 0)
            m_loupe.zoom(delta > 0);
        event->accept();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
