// PadLeft over arbitrary text and fill bytes (invalid UTF-8 included) and widths around the text's
// length: the text comes back unchanged at the end, behind whole copies of the fill, as few as
// reach the width.
#include "FuzzCheck.h"
#include "core/ColorCodes.h"

#include <cstdint>
#include <string>

namespace {

// Characters as PadLeft counts them: every byte that does not continue a UTF-8 sequence.
std::int64_t characters(std::string_view s)
{
    std::int64_t n = 0;
    for (const char ch : s)
        n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return n;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 3)
        return 0;
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    // Widths from -512 to 511 cover the negative, the reached and the unreached cases without
    // letting one input build a huge text.
    const std::int32_t width = static_cast<std::int16_t>(data[0] | data[1] << 8) % 512;
    const std::size_t fillSize = data[2] % 8;
    const std::string_view rest = input.substr(3);
    const std::string_view fill = rest.substr(0, fillSize);
    const std::string_view text = rest.substr(fill.size());

    const std::string result = PadLeft(std::string(text), width, fill);

    require(result.size() >= text.size()
            && std::string_view(result).substr(result.size() - text.size()) == text,
        "the text does not come back unchanged at the end", input);
    const std::size_t added = result.size() - text.size();
    if (fill.empty() || characters(fill) == 0) {
        require(added == 0, "a fill without characters lengthened the text", input);
        return 0;
    }
    require(added % fill.size() == 0, "the front is not whole copies of the fill", input);
    for (std::size_t at = 0; at < added; at += fill.size())
        require(std::string_view(result).substr(at, fill.size()) == fill,
            "the front is not copies of the fill", input);
    const std::int64_t copies = static_cast<std::int64_t>(added / fill.size());
    require(characters(result) >= width, "the result is shorter than the width", input);
    require(copies == 0 || characters(result) - characters(fill) < width,
        "more copies of the fill than the width needs", input);
    return 0;
}
