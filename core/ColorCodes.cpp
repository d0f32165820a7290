#include "core/ColorCodes.h"

#include <charconv>
#include <cmath>

namespace {

// Upper-case hexadecimal without leading zeros; a negative value shows its 32-bit two's
// complement, as the platform's own hexadecimal text does.
std::string hexText(std::int32_t v)
{
    static constexpr char digits[] = "0123456789ABCDEF";
    auto u = static_cast<std::uint32_t>(v);
    char buf[8];
    char *p = buf + sizeof buf;
    do {
        *--p = digits[u & 0xF];
        u >>= 4;
    } while (u != 0);
    return std::string(p, buf + sizeof buf);
}

// Length in characters, not bytes: a UTF-8 continuation byte does not start a character.
std::size_t characterCount(std::string_view s)
{
    std::size_t n = 0;
    for (const char ch : s)
        n += (static_cast<unsigned char>(ch) & 0xC0) != 0x80;
    return n;
}

int hexDigitValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

} // namespace

std::string dec(std::int32_t v)
{
    char buf[12];
    const auto res = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, res.ptr);
}

std::string hex2(std::int32_t v)
{
    return PadLeft(hexText(v), 2, "0");
}

std::string PadLeft(std::string text, std::int32_t width, std::string_view fill)
{
    // A fill without a character (empty, or stray UTF-8 continuation bytes) would never
    // lengthen the text.
    const std::size_t fillChars = characterCount(fill);
    if (fillChars == 0)
        return text;
    std::size_t length = characterCount(text);
    while (static_cast<std::int64_t>(length) < width) {
        text.insert(0, fill);
        length += fillChars;
    }
    return text;
}

std::string ColorToHex(ColorValue color)
{
    std::int32_t v = color;
    std::int32_t blue = 0;
    std::int32_t green = 0;
    if (v > 65535) {
        blue = static_cast<std::int32_t>(std::floor(v / 65536.0));
        v -= 65536 * blue;
    }
    if (v > 255) {
        green = static_cast<std::int32_t>(std::floor(v / 256.0));
        v -= 256 * green;
    }
    return hex2(v) + hex2(green) + hex2(blue);
}

std::string HexToDec(std::string_view text)
{
    if (text.empty())
        return "0";
    // Exactly the texts hex2(0) to hex2(255) match: two characters out of 0-9 and A-F, each
    // naming one value. Reading them directly gives the same answer as comparing all 256.
    if (text.size() != 2)
        return {};
    const int high = hexDigitValue(text[0]);
    const int low = hexDigitValue(text[1]);
    if (high < 0 || low < 0)
        return {};
    return dec(high * 16 + low);
}

std::string decimalCode(int red, int green, int blue)
{
    return decimalCode(dec(red), dec(green), dec(blue));
}

std::string decimalCode(std::string_view red, std::string_view green, std::string_view blue)
{
    std::string code;
    code.reserve(red.size() + green.size() + blue.size() + 2);
    code.append(red).append(1, ',').append(green).append(1, ',').append(blue);
    return code;
}

std::string htmlCode(int red, int green, int blue, bool bgr)
{
    return htmlCode(hex2(red), hex2(green), hex2(blue), bgr);
}

std::string htmlCode(std::string_view red, std::string_view green, std::string_view blue, bool bgr)
{
    std::string code;
    code.reserve(red.size() + green.size() + blue.size() + 1);
    code.append(1, '#');
    if (bgr)
        code.append(blue).append(green).append(red);
    else
        code.append(red).append(green).append(blue);
    return code;
}

std::string colorNumber(ColorValue c)
{
    return dec(c);
}
