#pragma once

#include <cstdint>

// Window placement arithmetic, in twips (15 per pixel at 96 dpi).
namespace Placement {

constexpr int twipsPerPixel = 15;
constexpr std::int32_t outerWidthTwips = 9210;
constexpr std::int32_t outerHeightTwips = 6510;
constexpr double verticalFactor = 0.85;

// Nearest integer, a value exactly half-way going to the even neighbour.
std::int32_t roundHalfEven(double v);

struct TopLeft
{
    std::int32_t top;
    std::int32_t left;
};

// Top first, then Left: the window's centre lands at 42.5 % of the screen height.
TopLeft centerForm(
    double screenWidth, double screenHeight, double windowWidth, double windowHeight);

} // namespace Placement
