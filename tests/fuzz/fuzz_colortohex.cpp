// ColorToHex over 32-bit inputs, checked against an independent formatting of the same value;
// every colour 0..0xFFFFFF goes once through the round trip with HexToDec before fuzzing starts.
#include "FuzzCheck.h"
#include "core/ColorCodes.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

std::string expectedFor(std::int32_t v)
{
    char buf[32];
    if (v < 0) // both divisions are skipped: red is the value itself, in two's complement
        std::snprintf(buf, sizeof buf, "%08X0000", static_cast<std::uint32_t>(v));
    else // above 0xFFFFFF the blue part keeps every high bit and grows past two digits
        std::snprintf(buf, sizeof buf, "%02X%02X%02X", v & 0xFF, (v >> 8) & 0xFF, v >> 16);
    return buf;
}

int channelFrom(const std::string &code, std::size_t at)
{
    const std::string text = HexToDec(std::string_view(code).substr(at, 2));
    require(!text.empty() && text.size() <= 3, "a slice of a colour code is not understood", code);
    return std::stoi(text);
}

void checkColor(std::int32_t v)
{
    const std::string code = ColorToHex(v);
    const auto input = std::string_view(reinterpret_cast<const char *>(&v), sizeof v);
    require(code == expectedFor(v), "ColorToHex differs from the reference", input);
    require(isUpperHex(code), "ColorToHex gives other than upper-case hex digits", input);
    if (v >= 0 && v <= 0xFFFFFF) {
        require(code.size() == 6, "a colour's code is not six characters", input);
        const ColorValue back
            = rgbValue(channelFrom(code, 0), channelFrom(code, 2), channelFrom(code, 4));
        require(back == v, "the code does not read back to its colour", input);
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    for (std::int32_t v = 0; v <= 0xFFFFFF; ++v)
        checkColor(v);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::uint32_t bits = 0;
    std::memcpy(&bits, data, size < sizeof bits ? size : sizeof bits);
    checkColor(static_cast<std::int32_t>(bits));
    return 0;
}
