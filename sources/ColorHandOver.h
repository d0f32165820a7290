#pragma once

#include "color/ColorCodes.h"

#include <array>

class ChannelScrollBar;
class PictureBox;

// The way a sampled colour becomes the current colour: parked as the scratch surface's
// background, read back, cut into the six-digit code and written to the sliders red, green,
// blue, each write running its own update. A colour of -1 (nothing read) writes nothing.
void handOverColor(
    ColorValue colour, PictureBox *vorschau, const std::array<ChannelScrollBar *, 3> &HScroll1);
