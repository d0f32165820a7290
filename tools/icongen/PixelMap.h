// Reading of the text pixel maps in app/images/src/*.txt. Plain C++, shared by the generator and
// the image test so both see the same pixels.
//
// Format:
//   # comment
//   type ico|cur|png         png: an icon theme picture of its own, drawn for its size
//   size 16|24|32            png only; ico and cur are 32
//   bpp 4|1                  4 = standard 16-colour palette, 1 = black/white
//   hotspot <x> <y>          cur only
//   legend                   then one "<char> <index|transparent|invert> [note]" per line
//   pixels                   then exactly <size> rows of <size> characters, top row first

#pragma once

#include <array>
#include <optional>
#include <string>

namespace icongen {

constexpr int mapSide = 32;

// Pixel values beyond the palette; both are written as AND bit 1.
constexpr int transparentPixel = -1;
constexpr int invertingPixel = -2;

struct PixelMap
{
    bool cursor = false;
    bool png = false;
    int size = mapSide; // a smaller picture fills the top-left corner of pixels
    int bpp = 0;
    int hotX = 0;
    int hotY = 0;
    std::array<std::array<int, mapSide>, mapSide> pixels {}; // [y][x]
};

// Nothing on a malformed map, with error set to "<file>[:<line>]: <message>"; the test must be
// able to report a bad map without the process exiting.
std::optional<PixelMap> readPixelMap(const std::string &path, std::string &error);

} // namespace icongen
