// The display names used with a game definition: ranks as a base card or as the card
// that fills an empty pile, flags and suit counts. A value outside a table gives "".
#pragma once

#include <QString>
#include <cstdint>

namespace mGen {
// 0 "Ace" .. 12 "King", 13 "Random".
QString GetBaseCardName(std::int16_t rank);
// 0 "Ace" .. 12 "King", 13 "Any Card".
QString GetSpaceCardName(std::int16_t rank);
// 0 "False", 1 "True".
QString GetBoolName(std::int16_t value);
// Suit count code: 0 "One", 1 "Two", 2 "Four".
QString GetSuitsName(std::int16_t code);
} // namespace mGen
