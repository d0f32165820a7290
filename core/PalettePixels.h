#pragma once

#include <cstddef>
#include <cstdint>

// The two palette images drawn at start-up: the colour field (column i, row v: red v, green
// 255 - i, blue 255 - v) and the grey ramp (column v, every row: grey v).
namespace PalettePixels {

constexpr int side = 256;

// One image written straight into rows of 32-bit 0xffRRGGBB pixels (a raster image's memory),
// clipped to width x height; stride is the distance between rows in pixels.
void drawColorField(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height);
void drawGreyRamp(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height);

} // namespace PalettePixels
