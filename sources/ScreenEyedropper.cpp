#include "sources/ScreenEyedropper.h"

ScreenEyedropper::ScreenEyedropper(QTimer *tmrScreenColor, ColorModul &state, QObject *parent)
    : QObject(parent)
    , m_tmrScreenColor(tmrScreenColor)
    , m_state(state)
{ }

// Screen sampling comes with its own change; until then the button does nothing.
void ScreenEyedropper::picScreenColor_MouseDown(int, int, double, double)
{ }
void ScreenEyedropper::picScreenColor_MouseUp(int, int, double, double)
{ }
void ScreenEyedropper::tmrScreenColor_Timer()
{ }
