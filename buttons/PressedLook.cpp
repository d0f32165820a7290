#include "buttons/PressedLook.h"

#include "widgets/ClickLabel.h"
#include "widgets/OutlineShape.h"

namespace {

const QColor Pressed(192, 0, 0);
const QColor Released(0, 0, 0);

// Set outright, never toggled, so repeated presses or releases leave the same look.
void setLook(ClickLabel *label, OutlineShape *shape, const QColor &color)
{
    label->setForeColor(color);
    shape->setBorderColor(color);
}

} // namespace

PressedLook::PressedLook(const Controls &controls, QObject *parent)
    : QObject(parent)
    , m_c(controls)
{ }

void PressedLook::Label1_MouseDown(int, int, double, double)
{
    setLook(m_c.Label1, m_c.Shape1, Pressed);
}

void PressedLook::Label1_MouseUp(int, int, double, double)
{
    setLook(m_c.Label1, m_c.Shape1, Released);
}

void PressedLook::Label4_MouseDown(int, int, double, double)
{
    setLook(m_c.Label4, m_c.Shape4, Pressed);
}

void PressedLook::Label4_MouseUp(int, int, double, double)
{
    setLook(m_c.Label4, m_c.Shape4, Released);
}

void PressedLook::Label5_MouseDown(int, int, double, double)
{
    setLook(m_c.Label5, m_c.Shape5, Pressed);
}

void PressedLook::Label5_MouseUp(int, int, double, double)
{
    setLook(m_c.Label5, m_c.Shape5, Released);
}

void PressedLook::Label6_MouseDown(int, int, double, double)
{
    setLook(m_c.Label6, m_c.Shape6, Pressed);
}

void PressedLook::Label6_MouseUp(int, int, double, double)
{
    setLook(m_c.Label6, m_c.Shape6, Released);
}
