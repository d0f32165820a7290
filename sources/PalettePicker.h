#pragma once

#include "sources/ColorModul.h"

#include <QObject>

#include <array>

class ChannelScrollBar;
class PictureBox;
class PointerConfiner;

// Pressing and dragging on the colour field or the grey ramp takes the colour under the pointer,
// with the pointer held inside the pressed surface until the button is released.
class PalettePicker : public QObject
{
    Q_OBJECT
public:
    struct Controls
    {
        std::array<PictureBox *, 2> picColor {};
        PictureBox *vorschau = nullptr;
        std::array<ChannelScrollBar *, 3> HScroll1 {};
    };

    PalettePicker(const Controls &controls, ColorModul &state, PointerConfiner &confiner,
        QObject *parent = nullptr);

    void picColor_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void picColor_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void picColor_MouseUp(int Index, int Button, int Shift, double X, double Y);

    // Reads the palette pixel the state points at and makes it the current colour.
    void PickPaletteColor();
    // Ends a drag the platform ended without a release (grab lost, window hidden or left).
    void endDrag();

private:
    void record(int Index, double X, double Y);

    Controls m_c;
    ColorModul &m_state;
    PointerConfiner &m_confiner;
};
