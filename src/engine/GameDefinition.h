// A game definition as a value: the name and the twelve values the parametric
// definition holds. The one held definition, a saved game's header and the definition a
// board was built from are all this value, and one range check serves every reader.
#pragma once

#include <QString>
#include <cstdint>
#include <optional>

struct GameDefinition {
    QString GameName;
    std::int16_t GOrder = 0, GBase = 0, GCards = 0;
    std::int16_t HOrder = 0, HSpace = 0, HPiles = 0, HAK = 0, HMulti = 0;
    std::int16_t RPiles = 0, RCards = 0, MOrder = 0, Suits = 0;

    friend bool operator==(const GameDefinition &, const GameDefinition &) = default;
};

// The first value of a definition that no board can hold: its place among the twelve
// values in the saved-game header's order (0 GOrder .. 11 Suits), what it is, and the
// range it must lie in.
struct DefinitionFault {
    int index = 0;
    QString what;
    std::int64_t value = 0, lo = 0, hi = 0;
};

// The ranges a board can be dealt and played with: order codes 0..15, base rank 0..12,
// foundation start cards 0..4, empty-pile rank -1..13, tableau piles 1..21, flags 0..1,
// free cells 0..21 with start cards up to their number, suits 0..2. Studio files, the
// deal and saved games are all held to these ranges.
std::optional<DefinitionFault> FindDefinitionFault(const GameDefinition &d);
// Raises err::BadDefinition naming the first value out of range; `source` names where the
// definition came from ("The game Mania", "The studio file ...").
void CheckDefinition(const GameDefinition &d, const QString &source);
