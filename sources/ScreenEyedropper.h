#pragma once

#include "core/ColorValue.h"
#include "platform/ColorPortal.h"
#include "sources/ColorModul.h"
#include "sources/ScreenLoupe.h"

#include <QObject>
#include <QPoint>

#include <array>

class ChannelScrollBar;
class HoldKeyboard;
class LoupeWindow;
class QCheckBox;
class PictureBox;
class QCursor;
class QShortcut;
class QTimer;
class QWidget;
class ScreenReader;

// Holding a button on the eyedropper button samples the screen pixel under the pointer. Where
// the screen cannot be read (a Wayland session), a press asks the desktop's portal instead.
// During a hold a loupe beside the pointer shows the pixels around it, the wheel zooms it, the
// arrow keys move the pointer a pixel (Shift: ten) and Escape gives up, putting back the colour
// of the press.
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
        QCheckBox *chkRGB = nullptr; // the loupe writes its code as Text8 does
        // Hot spots of the idle pointer (picMouse(0)) and the hold pointer (picMouse(1)).
        QPoint idleHotSpot;
        QPoint holdHotSpot;
    };

    ScreenEyedropper(const Controls &controls, QTimer *tmrScreenColor, ColorModul &state,
        ScreenReader &reader, ColorPortal &portal, LoupeWindow &loupeWindow, HoldKeyboard &keyboard,
        QObject *parent = nullptr);
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

    const ScreenLoupe &loupe() const { return m_loupe; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void setPointer(const QCursor &cursor, bool sampling);
    void portalAnswered(ColorPortal::Outcome outcome, ColorValue color);
    void givePortalUp();
    void stopSampling();
    void forgetPress();
    void startHoldAids();
    void stopHoldAids();
    // Arrow keys and Escape that came since the last tick; false where Escape ended the hold.
    bool takeKeys();
    QRect pointerImage(QPoint root) const;

    Controls m_c;
    QTimer *m_tmrScreenColor;
    ColorModul &m_state;
    ScreenReader &m_reader;
    ColorPortal &m_portal;
    HoldKeyboard &m_keyboard;
    ScreenLoupe m_loupe;
    bool m_aids = false;
    // The colour current at the press, which Escape puts back.
    std::array<int, 3> m_pressColor {};
    bool m_overriding = false;
    bool m_portalOpen = false;
    bool m_cannotPick = false;
    QTimer *m_portalLimit = nullptr;
    QShortcut *m_portalEscape = nullptr;
};
