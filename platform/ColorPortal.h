#pragma once

#include "core/ColorValue.h"

#include <functional>
#include <optional>

class QWidget;

// Asks the desktop for one colour where the program may not read the screen itself.
class ColorPortal
{
public:
    using Answer = std::function<void(std::optional<ColorValue>)>;

    virtual ~ColorPortal() = default;
    // Starts a pick over the window. On true, answer runs exactly once later, with the colour or
    // with nothing (cancelled, refused, failed); on false nothing was started and it never runs.
    virtual bool pickColor(QWidget *window, Answer answer) = 0;
};
