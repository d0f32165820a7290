#include "core/LoupeGeometry.h"

#include <algorithm>
#include <cmath>

namespace LoupeGeometry {

int zoomed(int pixels, bool in)
{
    const auto at = std::lower_bound(ZoomSteps.begin(), ZoomSteps.end(), pixels);
    if (in)
        return at == ZoomSteps.begin() ? ZoomSteps.front() : *(at - 1);
    if (at == ZoomSteps.end())
        return ZoomSteps.back();
    const auto next = *at == pixels ? at + 1 : at;
    return next == ZoomSteps.end() ? ZoomSteps.back() : *next;
}

Box Layout::centreCell() const
{
    const int half = pixels / 2;
    return { gridX + half * cell, gridY + half * cell, cell, cell };
}

Layout layout(int pixels, double deviceRatio)
{
    const auto scaled = [deviceRatio](int v) {
        return std::max(1, static_cast<int>(std::lround(v * deviceRatio)));
    };
    Layout l;
    l.pixels = std::max(1, pixels | 1);
    // The grid's side stays what the default zoom gives; other zooms take the largest whole
    // cell that fits and are centred in it.
    const int side = DefaultPixels * scaled(DefaultCell);
    l.cell = std::max(1, side / l.pixels);
    const int grid = l.cell * l.pixels;
    const int padding = scaled(4);
    l.frame = scaled(2);
    l.gridX = padding + (side - grid) / 2;
    l.gridY = l.gridX;
    l.textY = padding + side + padding;
    l.textHeight = scaled(18);
    l.width = side + 2 * padding;
    l.height = l.textY + l.textHeight + padding;
    return l;
}

Box place(const Box &monitor, const Box &avoid, int width, int height, int gap)
{
    const int midX = avoid.x + avoid.width / 2;
    const int midY = avoid.y + avoid.height / 2;
    // Along the side it stands on, the window is centred on the pointer and pushed inside the
    // monitor: it still clears what it avoids, being wholly on one side of it.
    const auto along = [](int centre, int size, int from, int to) {
        return std::clamp(centre - size / 2, from, std::max(from, to - size));
    };
    const int y = along(midY, height, monitor.y, monitor.bottom());
    const int x = along(midX, width, monitor.x, monitor.right());
    const Box candidates[] = {
        { avoid.right() + gap, y, width, height },
        { avoid.x - gap - width, y, width, height },
        { x, avoid.bottom() + gap, width, height },
        { x, avoid.y - gap - height, width, height },
    };
    for (const Box &b : candidates) {
        if (monitor.contains(b))
            return b;
    }
    // A monitor too small for any side: inside it, over the block if it must be.
    Box b = candidates[0];
    b.x = along(b.x + width / 2, width, monitor.x, monitor.right());
    return b;
}

} // namespace LoupeGeometry
