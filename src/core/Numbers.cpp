#include "core/Numbers.h"

#include <cmath>

std::int64_t roundHalfEven(double value)
{
    if (!std::isfinite(value) || value >= 9.2e18 || value <= -9.2e18)
        raiseError(err::Overflow);
    // Explicit rather than std::round, which rounds halves away from zero.
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    auto result = static_cast<std::int64_t>(floorValue);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}
