#include "core/PalettePixels.h"

#include "core/ColorValue.h"

#include <algorithm>

namespace PalettePixels {

namespace {

    constexpr std::uint32_t xrgb(ColorValue c)
    {
        return 0xff000000u | std::uint32_t(redOf(c)) << 16 | std::uint32_t(greenOf(c)) << 8
            | std::uint32_t(blueOf(c));
    }

    template<class PixelAt>
    void fill(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height, PixelAt pixelAt)
    {
        const int w = std::min(width, side);
        const int h = std::min(height, side);
        for (int row = 0; row < h; ++row, bits += stride) {
            for (int column = 0; column < w; ++column)
                bits[column] = xrgb(pixelAt(column, row));
        }
    }

} // namespace

void drawColorField(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height)
{
    fill(bits, stride, width, height,
        [](int column, int row) { return rgbValue(row, 255 - column, 255 - row); });
}

void drawGreyRamp(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height)
{
    fill(bits, stride, width, height,
        [](int column, int) { return rgbValue(column, column, column); });
}

} // namespace PalettePixels
