#pragma once

#include "app/frmQuorvin.h"

#include <memory>

namespace TestWindow {

// Runs start-up, shows the window and waits until it can take input.
bool start(frmQuorvin &window);
// The window as the program has it after start-up, or null where it did not get there.
std::unique_ptr<frmQuorvin> started(PlatformServices services = PlatformServices::null());

// One of the window's handlers (ColorUpdate, RandomColor, ...), which it holds as children.
template<class Handler> Handler *handler(frmQuorvin &window)
{
    return window.findChild<Handler *>(QString(), Qt::FindDirectChildrenOnly);
}

} // namespace TestWindow
