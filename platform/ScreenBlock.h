#pragma once

#include "core/ColorValue.h"

#include <QPoint>
#include <QRect>

#include <vector>

// A square of screen pixels around a centre pixel, row by row; -1 where the screen has none
// (beyond its edge).
struct ScreenBlock
{
    QPoint centre;
    int radius = 0;
    std::vector<ColorValue> pixels;

    int side() const { return 2 * radius + 1; }
    QRect area() const { return QRect(centre - QPoint(radius, radius), QSize(side(), side())); }
    ColorValue centreColor() const
    {
        return pixels.empty() ? -1 : pixels[static_cast<std::size_t>(radius * side() + radius)];
    }
    bool operator==(const ScreenBlock &) const = default;
};
