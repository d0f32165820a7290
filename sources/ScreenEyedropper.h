#pragma once

#include "sources/ColorModul.h"

#include <QObject>
#include <QPoint>

#include <array>

class ChannelScrollBar;
class PictureBox;
class QCursor;
class QTimer;
class QWidget;
class ScreenReader;

// Holding a button on the eyedropper button samples the screen pixel under the pointer.
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
        ScreenReader &reader, QObject *parent = nullptr);
    ~ScreenEyedropper() override;

    void picScreenColor_MouseDown(int Button, int Shift, double X, double Y);
    void picScreenColor_MouseUp(int Button, int Shift, double X, double Y);
    void tmrScreenColor_Timer();

    // Ends a hold the platform ended without a release (window hidden, grab lost).
    void endSampling();

private:
    void setPointer(const QCursor &cursor, bool sampling);

    Controls m_c;
    QTimer *m_tmrScreenColor;
    ColorModul &m_state;
    ScreenReader &m_reader;
    bool m_overriding = false;
};
