#pragma once

#include "core/ColorValue.h"

#include <functional>

class QWidget;

// Asks the desktop for one colour where the program may not read the screen itself.
class ColorPortal
{
public:
    enum class Outcome {
        Color, // the colour came back
        Cancelled, // the user dismissed the picker
        Failed, // the desktop cannot pick colours after all
    };
    using Answer = std::function<void(Outcome outcome, ColorValue color)>;

    virtual ~ColorPortal() = default;
    // Whether the desktop offers a colour pick at all, asked without starting anything.
    virtual bool offersPick() { return true; }
    // Starts a pick over the window. On true, answer runs exactly once later, unless cancel()
    // comes first; on false nothing was started and it never runs.
    virtual bool pickColor(QWidget *window, Answer answer) = 0;
    // Gives up the pick still open; its answer never runs.
    virtual void cancel() { }
};
