#include "sources/ScreenEyedropper.h"

#include "platform/ColorPortal.h"
#include "platform/ScreenReader.h"
#include "sources/ColorHandOver.h"
#include "widgets/PictureBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QTimer>

namespace {

// The store holds the bare pictures; the hot spots come with the controls.
QCursor cursorFrom(const PictureBox *store, QPoint hot)
{
    return QCursor(store->picture(), hot.x(), hot.y());
}

} // namespace

ScreenEyedropper::ScreenEyedropper(const Controls &controls, QTimer *tmrScreenColor,
    ColorModul &state, ScreenReader &reader, ColorPortal &portal, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_tmrScreenColor(tmrScreenColor)
    , m_state(state)
    , m_reader(reader)
    , m_portal(portal)
{ }

ScreenEyedropper::~ScreenEyedropper()
{
    // The timer may already be gone with the window; the application's pointer is not.
    if (m_overriding)
        QGuiApplication::restoreOverrideCursor();
}

void ScreenEyedropper::picScreenColor_MouseDown(int, int, double, double)
{
    // One question to the portal at a time; its own picker has the pointer meanwhile.
    if (m_portalOpen)
        return;
    setPointer(cursorFrom(m_c.picMouse[1], m_c.holdHotSpot), true);
    m_c.picScreenColor->setPicture(m_c.picMouse[3]->picture());
    m_portalOpen = m_portal.pickColor(
        m_c.form, [this](std::optional<ColorValue> color) { portalAnswered(color); });
    if (!m_portalOpen)
        m_tmrScreenColor->start();
}

void ScreenEyedropper::picScreenColor_MouseUp(int, int, double, double)
{
    // While the portal is open the hold lasts until it answers.
    if (!m_portalOpen)
        endSampling();
}

void ScreenEyedropper::portalAnswered(std::optional<ColorValue> color)
{
    m_portalOpen = false;
    // Cancelled, refused or failed: the colour stays as it was.
    if (color)
        handOverColor(*color, m_c.vorschau, m_c.HScroll1);
    endSampling();
}

void ScreenEyedropper::endSampling()
{
    setPointer(cursorFrom(m_c.picMouse[0], m_c.idleHotSpot), false);
    m_c.picScreenColor->setPicture(m_c.picMouse[2]->picture());
    m_tmrScreenColor->stop();
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
