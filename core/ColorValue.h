#pragma once

#include <cstdint>

// The colour value used everywhere: 0x00BBGGRR, red in the low byte,
// built as red + 256 * green + 65536 * blue.
using ColorValue = std::int32_t;

constexpr ColorValue rgbValue(int red, int green, int blue)
{
    return red + 256 * green + 65536 * blue;
}
constexpr int redOf(ColorValue c)
{
    return c & 0xFF;
}
constexpr int greenOf(ColorValue c)
{
    return (c >> 8) & 0xFF;
}
constexpr int blueOf(ColorValue c)
{
    return (c >> 16) & 0xFF;
}
