// Numeric helpers shared by every subsystem: rounding with halves to even, and the
// checked conversions that keep stored 16-bit values inside their range.
#pragma once

#include <cstdint>
#include <limits>

#include "core/AppError.h"

// Rounds to the nearest whole number, halves to the even neighbour (582.5 -> 582).
std::int64_t roundHalfEven(double value);

// Converts to 16 bits, raising the overflow error when the value does not fit.
inline std::int16_t toInt16(std::int64_t value)
{
    if (value < std::numeric_limits<std::int16_t>::min() || value > std::numeric_limits<std::int16_t>::max())
        raiseError(err::Overflow);
    return static_cast<std::int16_t>(value);
}

// Converts to 32 bits, raising the overflow error when the value does not fit.
inline std::int32_t toInt32(std::int64_t value)
{
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        raiseError(err::Overflow);
    return static_cast<std::int32_t>(value);
}

// Raises the subscript error unless lo <= index <= hi.
inline void checkIndex(std::int64_t index, std::int64_t lo, std::int64_t hi)
{
    if (index < lo || index > hi)
        raiseError(err::Subscript);
}
