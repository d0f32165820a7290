#pragma once

#include "core/ColorValue.h"

#include <cstdint>
#include <string>
#include <string_view>

// dec(v): decimal digits, a minus sign only for negative values.
std::string dec(std::int32_t v);
// hex2(v): upper-case hexadecimal (32-bit two's complement for negatives), at least two digits.
std::string hex2(std::int32_t v);

std::string PadLeft(std::string text, std::int32_t width, std::string_view fill);
std::string ColorToHex(ColorValue color);
std::string HexToDec(std::string_view text);

// The three codes shown for a colour: "r,g,b", "#RRGGBB" (or "#BBGGRR"), and the colour number.
std::string decimalCode(int red, int green, int blue);
std::string htmlCode(int red, int green, int blue, bool bgr);
std::string colorNumber(ColorValue c);
// The same two codes joined from channel texts that are already formatted (dec or hex2 of
// each channel), for callers that hold the channels as text, such as the sample's slices.
std::string decimalCode(std::string_view red, std::string_view green, std::string_view blue);
std::string htmlCode(std::string_view red, std::string_view green, std::string_view blue, bool bgr);
