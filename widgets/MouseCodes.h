#pragma once

#include <QMouseEvent>

// Mouse arguments in the form the window's handlers take: button 1 left, 2 right, 4 middle,
// shift mask 1 Shift, 2 Ctrl, 4 Alt.
namespace MouseCodes {

int button(Qt::MouseButton b);
int buttons(Qt::MouseButtons b);
int shift(Qt::KeyboardModifiers m);

// A click is a left press and its release over the same control; the second press of a double
// click counts as a double click instead, so a double click gives one click.
class ClickDetector
{
public:
    void press(const QMouseEvent *event, bool isDoubleClick);
    bool release(const QMouseEvent *event, const QRect &rect);

private:
    bool m_armed = false;
};

} // namespace MouseCodes
