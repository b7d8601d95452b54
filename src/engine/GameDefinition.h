// A game definition as a value: the name and the twelve values the parametric
// definition holds. Used to keep the definition a board was built from, so a game can be
// restarted or saved with it after the game table no longer names it.
#pragma once

#include <QString>
#include <cstdint>

struct GameDefinition {
    QString GameName;
    std::int16_t GOrder = 0, GBase = 0, GCards = 0;
    std::int16_t HOrder = 0, HSpace = 0, HPiles = 0, HAK = 0, HMulti = 0;
    std::int16_t RPiles = 0, RCards = 0, MOrder = 0, Suits = 0;

    friend bool operator==(const GameDefinition &, const GameDefinition &) = default;
};
