#pragma once

#include "sources/ColorModul.h"

#include <QObject>

#include <array>

class PictureBox;

// Pressing and dragging on the colour field or the grey ramp takes the colour under the pointer.
class PalettePicker : public QObject
{
    Q_OBJECT
public:
    PalettePicker(
        const std::array<PictureBox *, 2> &picColor, ColorModul &state, QObject *parent = nullptr);

    void picColor_MouseDown(int Index, int Button, int Shift, double X, double Y);
    void picColor_MouseMove(int Index, int Button, int Shift, double X, double Y);
    void picColor_MouseUp(int Index, int Button, int Shift, double X, double Y);

private:
    std::array<PictureBox *, 2> m_picColor;
    ColorModul &m_state;
};
