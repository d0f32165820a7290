#include "widgets/MouseCodes.h"

namespace MouseCodes {

int button(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

int buttons(Qt::MouseButtons b)
{
    return (b & Qt::LeftButton ? 1 : 0) | (b & Qt::RightButton ? 2 : 0)
        | (b & Qt::MiddleButton ? 4 : 0);
}

int shift(Qt::KeyboardModifiers m)
{
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0)
        | (m & Qt::AltModifier ? 4 : 0);
}

void ClickDetector::press(const QMouseEvent *event, bool isDoubleClick)
{
    if (event->button() == Qt::LeftButton)
        m_armed = !isDoubleClick;
}

bool ClickDetector::release(const QMouseEvent *event, const QRect &rect)
{
    if (event->button() != Qt::LeftButton || !m_armed)
        return false;
    m_armed = false;
    return rect.contains(event->position().toPoint());
}

} // namespace MouseCodes
