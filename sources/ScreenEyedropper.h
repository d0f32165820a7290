#pragma once

#include "core/ColorValue.h"
#include "platform/ColorPortal.h"
#include "sources/ColorModul.h"

#include <QObject>
#include <QPoint>

#include <array>

class ChannelScrollBar;
class PictureBox;
class QCursor;
class QShortcut;
class QTimer;
class QWidget;
class ScreenReader;

// Holding a button on the eyedropper button samples the screen pixel under the pointer. Where
// the screen cannot be read (a Wayland session), a press asks the desktop's portal instead.
class ScreenEyedropper : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        QWidget *form = nullptr; // the main window, whose pointer image changes
        PictureBox *picScreenColor = nullptr;
        std::array<PictureBox *, 4> picMouse {};
        PictureBox *vorschau = nullptr;
        std::array<ChannelScrollBar *, 3> HScroll1 {};
        // Hot spots of the idle pointer (picMouse(0)) and the hold pointer (picMouse(1)).
        QPoint idleHotSpot;
        QPoint holdHotSpot;
    };

    ScreenEyedropper(const Controls &controls, QTimer *tmrScreenColor, ColorModul &state,
        ScreenReader &reader, ColorPortal &portal, QObject *parent = nullptr);
    ~ScreenEyedropper() override;

    void picScreenColor_MouseDown(int Button, int Shift, double X, double Y);
    void picScreenColor_MouseUp(int Button, int Shift, double X, double Y);
    void tmrScreenColor_Timer();

    // Ends a hold the platform ended without a release (window hidden, grab lost).
    void endSampling();
    // This desktop lets the program take no colour at all: the button says so and no longer
    // pretends to hold.
    void cannotPick();
    // How long a portal's picker may stay open before the button is given back.
    static constexpr int portalLimitMs = 60000;

private:
    void setPointer(const QCursor &cursor, bool sampling);
    void portalAnswered(ColorPortal::Outcome outcome, ColorValue color);
    void givePortalUp();

    Controls m_c;
    QTimer *m_tmrScreenColor;
    ColorModul &m_state;
    ScreenReader &m_reader;
    ColorPortal &m_portal;
    bool m_overriding = false;
    bool m_portalOpen = false;
    bool m_cannotPick = false;
    QTimer *m_portalLimit = nullptr;
    QShortcut *m_portalEscape = nullptr;
};
