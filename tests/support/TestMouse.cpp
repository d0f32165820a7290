#include "TestMouse.h"

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>

namespace TestMouse {

namespace {

    Qt::MouseButtons held;

    void send(QWidget *widget, QEvent::Type type, Qt::MouseButton button, QPoint at)
    {
        const QPointF local(at);
        QMouseEvent event(type, local, widget->mapTo(widget->window(), local),
            widget->mapToGlobal(local), button, held, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }

} // namespace

void press(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    held |= button;
    send(widget, QEvent::MouseButtonPress, button, at);
}

void release(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    held &= ~button;
    send(widget, QEvent::MouseButtonRelease, button, at);
}

void click(QWidget *widget, Qt::MouseButton button, QPoint at)
{
    press(widget, button, at);
    release(widget, button, at);
}

void move(QWidget *widget, QPoint at)
{
    send(widget, QEvent::MouseMove, Qt::NoButton, at);
}

} // namespace TestMouse
