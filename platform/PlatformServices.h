#pragma once

#include "platform/Clipboard.h"
#include "platform/ColorPortal.h"
#include "platform/HoldKeyboard.h"
#include "platform/LoupeWindow.h"
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
    // The desktop's colour picker, asked only in a Wayland session.
    std::unique_ptr<ColorPortal> colorPortal;
    // How the eyedropper takes its colour: held over the screen reader, one pick through the
    // portal, or not at all.
    enum class Eyedropper { Screen, Portal, None };
    Eyedropper eyedropper = Eyedropper::Screen;
    // What a hold on the eyedropper shows and takes besides the screen: the loupe and the keys.
    std::unique_ptr<LoupeWindow> loupeWindow;
    std::unique_ptr<HoldKeyboard> holdKeyboard;

    // The X11 services where the program runs on xcb, the null ones elsewhere; in a Wayland
    // session the eyedropper asks the portal.
    static PlatformServices create();
    // The eyedropper of a Wayland session: the compositor's screen copies where they can be read,
    // else the portal where it offers a pick, else neither. Either may be null.
    static void chooseWaylandEyedropper(PlatformServices &services,
        std::unique_ptr<ScreenReader> screenCopy, std::unique_ptr<ColorPortal> portal);
    // Services that do nothing: always the only copy, no clipboard, no window order, a free
    // pointer, a screen that cannot be read and no portal.
    static PlatformServices null();
};
