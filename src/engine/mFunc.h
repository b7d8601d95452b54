// Small board helpers shared by the move rules and the window: how many piles of an
// area are empty, and how many cards may ride on a lifted card.
#pragma once

#include <cstdint>

class Context;

namespace mFunc {
// Empty piles of the area (0 when it has none).
std::int16_t CountEmptyPiles(Context &ctx, int area);
// Cards that may ride on a lifted card: (empty tableau piles + 1) x (empty free cells + 1) - 1.
std::int16_t GetMaxMoveCards(Context &ctx);
} // namespace mFunc
