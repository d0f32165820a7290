#include "app/PalettePixels.h"

namespace PalettePixels {

void draw(Images &out)
{
    for (int v = 0; v < Size; ++v) {
        for (int i = 0; i < Size; ++i) {
            out.colourField[static_cast<std::size_t>(v * Size + i)] = rgbValue(v, 255 - i, 255 - v);
            out.greyRamp[static_cast<std::size_t>(i * Size + v)] = rgbValue(v, v, v);
        }
    }
}

} // namespace PalettePixels
