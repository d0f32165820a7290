#pragma once

#include <array>

// The loupe's arithmetic, in device pixels: how many screen pixels it shows, how large each is
// drawn, and where the window stands beside the pointer.
namespace LoupeGeometry {

struct Box
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    int right() const { return x + width; } // one past the last column
    int bottom() const { return y + height; }
    bool contains(const Box &b) const
    {
        return b.x >= x && b.y >= y && b.right() <= right() && b.bottom() <= bottom();
    }
    bool intersects(const Box &b) const
    {
        return b.x < right() && x < b.right() && b.y < bottom() && y < b.bottom();
    }
};

// Screen pixels across, odd so that one pixel is the centre; the wheel steps through these.
constexpr std::array<int, 7> ZoomSteps { 5, 7, 9, 11, 15, 21, 31 };
constexpr int DefaultPixels = 15;
// Device pixels per screen pixel at the default zoom and a device pixel ratio of 1.
constexpr int DefaultCell = 8;

// The neighbouring step of pixels, towards fewer (zoom in) or more; the ends stay.
int zoomed(int pixels, bool in);

struct Layout
{
    int pixels = 0; // screen pixels across and down
    int cell = 0; // device pixels per screen pixel, a whole number
    int gridX = 0; // the grid's top-left corner in the window
    int gridY = 0;
    int frame = 0; // width of the frame around the centre cell, drawn outside it
    int textY = 0; // the band under the grid that holds the code
    int textHeight = 0;
    int width = 0; // the window, the same at every zoom
    int height = 0;

    // The centre cell in window coordinates.
    Box centreCell() const;
};

Layout layout(int pixels, double deviceRatio);

// Where the window stands on the monitor: beside what it must never cover (the block it shows
// and the pointer), a gap away, to the right where there is room, else left, below or above.
Box place(const Box &monitor, const Box &avoid, int width, int height, int gap);

} // namespace LoupeGeometry
