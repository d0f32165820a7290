#include "sources/PalettePicker.h"

#include "platform/PointerConfiner.h"
#include "sources/ColorHandOver.h"
#include "widgets/PictureBox.h"

#include <cmath>

PalettePicker::PalettePicker(
    const Controls &controls, ColorModul &state, PointerConfiner &confiner, QObject *parent)
    : QObject(parent)
    , m_c(controls)
    , m_state(state)
    , m_confiner(confiner)
{ }

void PalettePicker::record(int Index, double X, double Y)
{
    m_state.PaletteIndex = static_cast<quint8>(Index);
    m_state.PaletteX = static_cast<float>(X);
    // The default rounding mode takes a value half-way to the even neighbour.
    m_state.PaletteY = static_cast<qint16>(std::nearbyint(Y));
}

void PalettePicker::picColor_MouseDown(int Index, int, int, double X, double Y)
{
    m_state.PaletteDragActive = true;
    m_confiner.confine(m_c.picColor[Index]);
    record(Index, X, Y);
    PickPaletteColor();
}

void PalettePicker::picColor_MouseMove(int Index, int, int, double X, double Y)
{
    record(Index, X, Y);
    if (m_state.PaletteDragActive)
        PickPaletteColor();
}

void PalettePicker::picColor_MouseUp(int, int, int, double, double)
{
    m_state.PaletteDragActive = false;
    m_confiner.release();
}

void PalettePicker::endDrag()
{
    m_state.PaletteDragActive = false;
    m_confiner.release();
    // No release will follow, so the surfaces' pointer must not stay over the window.
    for (PictureBox *surface : m_c.picColor)
        surface->forgetPress();
}

void PalettePicker::PickPaletteColor()
{
    const ColorValue color
        = m_c.picColor[m_state.PaletteIndex]->Point(m_state.PaletteX, m_state.PaletteY);
    handOverColor(color, m_c.vorschau, m_c.HScroll1);
}
