#pragma once

class QWidget;

// Keeping a top-level window above all normal windows.
class WindowOrder
{
public:
    virtual ~WindowOrder() = default;
    // Sets or clears the topmost state, then activates and raises the window.
    virtual void setTopmost(QWidget *window, bool onTop) = 0;
};
