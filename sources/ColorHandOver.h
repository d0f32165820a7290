#pragma once

#include "core/ColorCodes.h"

#include <array>

class ChannelScrollBar;
class PictureBox;

// The channels a hand-over writes, red, green, blue; count is how many could be taken from the
// code (a failing step abandons the rest).
struct HandOverChannels
{
    std::array<int, 3> value {};
    std::size_t count = 0;
};

// The way a sampled colour becomes the current colour: parked as the scratch surface's
// background, read back, cut into the six-digit code and written to the sliders red, green,
// blue in one batch: each write updates its own channel's bar and digits, and the panes, the
// sample and the codes follow once, after the last. A colour of -1 (nothing read) writes nothing.
void handOverColor(
    ColorValue color, PictureBox *vorschau, const std::array<ChannelScrollBar *, 3> &HScroll1);

// The two halves of the hand-over: parking and reading back, then the slider writes.
HandOverChannels parkColor(ColorValue color, PictureBox *vorschau);
void writeChannels(
    const HandOverChannels &channels, const std::array<ChannelScrollBar *, 3> &HScroll1);
