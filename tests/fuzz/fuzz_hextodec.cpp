// HexToDec over arbitrary bytes, against the defining search through hex2(0) to hex2(255).
#include "FuzzCheck.h"
#include "core/ColorCodes.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const std::string result = HexToDec(text);

    if (text.empty()) {
        require(result == "0", "an empty text does not give 0", text);
        return 0;
    }
    std::string expected;
    for (int i = 0; i <= 255; ++i) {
        char buf[4];
        std::snprintf(buf, sizeof buf, "%02X", i);
        if (text == buf)
            expected = std::to_string(i);
    }
    require(result == expected, "HexToDec differs from the search over 00..FF", text);
    if (!result.empty()) {
        require(
            text.size() == 2 && isUpperHex(text), "a text other than two hex digits matched", text);
        require(
            hex2(std::stoi(result)) == text, "the value does not format back to the text", text);
    }
    return 0;
}
