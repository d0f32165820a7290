#pragma once

#include "color/ColorCodes.h"

#include <array>
#include <cstddef>
#include <cstdint>

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

// One image written straight into rows of 32-bit 0xffRRGGBB pixels (a raster image's memory),
// clipped to width x height; stride is the distance between rows in pixels.
void drawColourField(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height);
void drawGreyRamp(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height);

constexpr ColorValue at(const Image &img, int column, int row)
{
    return img[static_cast<std::size_t>(row * Size + column)];
}

} // namespace PalettePixels
