#pragma once

#include "sources/ColorModul.h"

#include <QObject>

class QTimer;

// Holding a button on the eyedropper button samples the screen pixel under the pointer.
class ScreenEyedropper : public QObject
{
    Q_OBJECT
public:
    ScreenEyedropper(QTimer *tmrScreenColor, ColorModul &state, QObject *parent = nullptr);

    void picScreenColor_MouseDown(int Button, int Shift, double X, double Y);
    void picScreenColor_MouseUp(int Button, int Shift, double X, double Y);
    void tmrScreenColor_Timer();

private:
    QTimer *m_tmrScreenColor;
    ColorModul &m_state;
};
