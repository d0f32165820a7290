#pragma once

#include "app/frmQuorvin.h"

#include <memory>

namespace TestWindow {

// Runs start-up, shows the window and waits until it can take input.
bool start(frmQuorvin &window);
// The window as the program has it after start-up, or null where it did not get there.
std::unique_ptr<frmQuorvin> started(PlatformServices services = PlatformServices::null());

} // namespace TestWindow
