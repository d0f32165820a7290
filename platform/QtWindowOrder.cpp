#include "platform/QtWindowOrder.h"

#include <QWidget>
#include <QWindow>

void QtWindowOrder::setTopmost(QWidget *window, bool onTop)
{
    Qt::WindowFlags flags = window->windowFlags();
    flags.setFlag(Qt::WindowStaysOnTopHint, onTop);
    // setWindowFlags() would hide the window and give it a new X window.
    window->overrideWindowFlags(flags);
    if (QWindow *handle = window->windowHandle())
        handle->setFlags(flags);
    window->raise();
    window->activateWindow();
}
