#pragma once

#include "platform/Clipboard.h"
#include "platform/PointerConfiner.h"
#include "platform/ScreenReader.h"
#include "platform/SingleInstance.h"
#include "platform/WindowOrder.h"

#include <memory>

// Everything the program needs from the desktop beyond Qt's widgets. One factory picks the
// X11 implementations; tests hand in null or scripted ones instead.
struct PlatformServices
{
    std::unique_ptr<SingleInstance> singleInstance;
    std::unique_ptr<Clipboard> clipboard;
    std::unique_ptr<WindowOrder> windowOrder;
    std::unique_ptr<PointerConfiner> pointerConfiner;
    std::unique_ptr<ScreenReader> screenReader;

    // The X11 services where the program runs on xcb, the null ones elsewhere.
    static PlatformServices create();
    // Services that do nothing: always the only copy, no clipboard, no window order, a free
    // pointer and a screen that cannot be read.
    static PlatformServices null();
};
