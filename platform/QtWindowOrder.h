#pragma once

#include "platform/WindowOrder.h"

// Topmost through the window manager's _NET_WM_STATE_ABOVE, which Qt sends for the stays-on-top
// flag. The window is neither hidden nor re-created, so its X window id stays valid.
class QtWindowOrder : public WindowOrder
{
public:
    void setTopmost(QWidget *window, bool onTop) override;
};
