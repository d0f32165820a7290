#include "sources/ScreenEyedropper.h"

#include "platform/ColorPortal.h"
#include "platform/ScreenReader.h"
#include "sources/ColorHandOver.h"
#include "widgets/PictureBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QImage>
#include <QShortcut>
#include <QTimer>

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
    ColorModul &state, ScreenReader &reader, ColorPortal &portal, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_tmrScreenColor(tmrScreenColor)
    , m_state(state)
    , m_reader(reader)
    , m_portal(portal)
{
    m_portalLimit = new QTimer(this);
    m_portalLimit->setSingleShot(true);
    m_portalLimit->setInterval(portalLimitMs);
    connect(m_portalLimit, &QTimer::timeout, this, &ScreenEyedropper::givePortalUp);
}

ScreenEyedropper::~ScreenEyedropper()
{
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
    if (!m_portalOpen)
        endSampling();
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
    ColorValue color = m_reader.pixelAt(m_state.ScreenCursorPos);
    if (color < 0)
        color = m_c.vorschau->Point(0, 0);
    handOverColor(color, m_c.vorschau, m_c.HScroll1);
}
