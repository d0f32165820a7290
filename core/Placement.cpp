#include "core/Placement.h"

#include <cmath>

namespace Placement {

std::int32_t roundHalfEven(double v)
{
    // nearbyint follows the default rounding mode, which is round-half-to-even.
    return static_cast<std::int32_t>(std::nearbyint(v));
}

TopLeft centerForm(double screenWidth, double screenHeight, double windowWidth, double windowHeight)
{
    TopLeft r {};
    r.top = roundHalfEven(screenHeight * verticalFactor) / 2 - roundHalfEven(windowHeight) / 2;
    r.left = roundHalfEven(screenWidth) / 2 - roundHalfEven(windowWidth) / 2;
    return r;
}

} // namespace Placement
