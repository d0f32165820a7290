#include "sources/ColorHandOver.h"

#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"
#include "widgets/QtColorValue.h"

#include <charconv>
#include <string>

void handOverColor(
    ColorValue colour, PictureBox *vorschau, const std::array<ChannelScrollBar *, 3> &HScroll1)
{
    if (colour < 0)
        return;
    vorschau->setBackColor(toQColor(colour));
    const std::string code = ColorToHex(toColorValue(vorschau->backColor()));
    for (std::size_t i = 0; i < HScroll1.size(); ++i) {
        const std::string value = HexToDec(std::string_view(code).substr(2 * i, 2));
        int channel = 0;
        if (std::from_chars(value.data(), value.data() + value.size(), channel).ec != std::errc())
            return;
        HScroll1[i]->setValue(channel);
    }
}
