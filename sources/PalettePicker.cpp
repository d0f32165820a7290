#include "sources/PalettePicker.h"

PalettePicker::PalettePicker(
    const std::array<PictureBox *, 2> &picColor, ColorModul &state, QObject *parent)
    : QObject(parent)
    , m_picColor(picColor)
    , m_state(state)
{ }

// Picking from the palette comes with its own change; until then a press takes nothing.
void PalettePicker::picColor_MouseDown(int, int, int, double, double)
{ }
void PalettePicker::picColor_MouseMove(int, int, int, double, double)
{ }
void PalettePicker::picColor_MouseUp(int, int, int, double, double)
{ }
