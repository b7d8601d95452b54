// Small board helpers shared by the move rules and the window: how many piles of an
// area are empty, and how many cards may ride on a lifted card.
#pragma once

#include <QString>
#include <cstdint>

#include "core/GameNumber.h"

class Context;

namespace mFunc {
// Empty piles of the area (0 when it has none).
std::int16_t CountEmptyPiles(Context &ctx, int area);
// Cards that may ride on a lifted card: (empty tableau piles + 1) x (empty free cells + 1) - 1.
std::int16_t GetMaxMoveCards(Context &ctx);
// Elapsed seconds as h:mm:ss; hours go on counting past a day (a total of many games
// runs to thousands of hours), a negative time shows 0:00:00.
QString FormatTime(std::int64_t seconds);
// A random game number in 1 .. 10^d - 1, d the option "RangeIndex"; drawn from a
// clock-seeded generator that is not the deal's.
GameNumber GetRandomGameNo(Context &ctx);
} // namespace mFunc
