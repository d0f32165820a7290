#include "sources/ColorHandOver.h"

#include "widgets/ChannelScrollBar.h"
#include "widgets/PictureBox.h"
#include "widgets/QtColorValue.h"

#include <charconv>
#include <string>

HandOverChannels parkColor(ColorValue color, PictureBox *vorschau)
{
    HandOverChannels out;
    if (color < 0)
        return out;
    vorschau->setBackColor(toQColor(color));
    const std::string code = ColorToHex(toColorValue(vorschau->backColor()));
    for (; out.count < out.value.size(); ++out.count) {
        const std::string value = HexToDec(std::string_view(code).substr(2 * out.count, 2));
        if (std::from_chars(value.data(), value.data() + value.size(), out.value[out.count]).ec
            != std::errc())
            break;
    }
    return out;
}

void writeChannels(
    const HandOverChannels &channels, const std::array<ChannelScrollBar *, 3> &HScroll1)
{
    const ChannelScrollBar::Batch batch(HScroll1);
    for (std::size_t i = 0; i < channels.count; ++i)
        HScroll1[i]->setValue(channels.value[i]);
}

void handOverColor(
    ColorValue color, PictureBox *vorschau, const std::array<ChannelScrollBar *, 3> &HScroll1)
{
    writeChannels(parkColor(color, vorschau), HScroll1);
}
