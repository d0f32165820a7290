#pragma once

#include "color/ColorCodes.h"

#include <array>

// The two palette images drawn at start-up, as colour values, row by row.
namespace PalettePixels {

constexpr int Size = 256;
using Image = std::array<ColorValue, Size * Size>;

struct Images
{
    Image colourField; // column i, row v: (v, 255 - i, 255 - v)
    Image greyRamp; // column v, every row: grey v
};

// Both images in one pass over the counters.
void draw(Images &out);

constexpr ColorValue at(const Image &img, int column, int row)
{
    return img[static_cast<std::size_t>(row * Size + column)];
}

} // namespace PalettePixels
