#include "app/PalettePixels.h"

namespace PalettePixels {

namespace {

    constexpr ColorValue colourFieldAt(int column, int row)
    {
        return rgbValue(row, 255 - column, 255 - row);
    }

    constexpr std::uint32_t xrgb(ColorValue c)
    {
        return 0xff000000u | std::uint32_t(redOf(c)) << 16 | std::uint32_t(greenOf(c)) << 8
            | std::uint32_t(blueOf(c));
    }

} // namespace

void drawColourField(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height)
{
    const int w = width < Size ? width : Size;
    const int h = height < Size ? height : Size;
    for (int row = 0; row < h; ++row, bits += stride) {
        for (int column = 0; column < w; ++column)
            bits[column] = xrgb(colourFieldAt(column, row));
    }
}

void drawGreyRamp(std::uint32_t *bits, std::ptrdiff_t stride, int width, int height)
{
    const int w = width < Size ? width : Size;
    const int h = height < Size ? height : Size;
    for (int row = 0; row < h; ++row, bits += stride) {
        for (int column = 0; column < w; ++column)
            bits[column] = xrgb(rgbValue(column, column, column));
    }
}

void draw(Images &out)
{
    for (int v = 0; v < Size; ++v) {
        for (int i = 0; i < Size; ++i) {
            out.colourField[static_cast<std::size_t>(v * Size + i)] = colourFieldAt(i, v);
            out.greyRamp[static_cast<std::size_t>(i * Size + v)] = rgbValue(v, v, v);
        }
    }
}

} // namespace PalettePixels
