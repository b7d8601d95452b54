// The built-in game table, the arranging-order codes and the product set-up that
// registers every game with the product data.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

class Context;

namespace mStudio {

struct BuiltInGame {
    const char *name;
    std::int16_t hOrder, hPiles, hSpace, hak, hMulti, suits, mOrder;
    std::int16_t gOrder, gBase, gCards;
    std::int16_t rPiles, rCards;
};

// The twelve built-in games in id order (id = index + 1).
const std::array<BuiltInGame, 12> &BuiltInGames();
// True when the name is exactly (case-sensitively) one of the built-in names.
bool IsBuiltInName(const QString &name);

// Loads the built-in game of that exact name into gCustom; false for any other name.
bool LoadBuiltInGame(Context &ctx, const QString &name);

// The name of an arranging-order code; "" outside 0..15.
QString GetOrderName(int code);

// An order code as a card test: direction 1 up, -1 down, 0 either; suit rule 1 same
// suit, 2 alternate colour, 3 any suit, 4 a different suit, 5 same colour.
// Code 10 (any card) has anyCard set and no test.
struct OrderRule {
    int direction = 0;
    int suitRule = 0;
    bool anyCard = false;
    bool valid = false;
};
OrderRule GetOrderRule(int code);

// The order test: may card B be put onto card A (the card already lying on the pile) by
// the arranging-order code? Code 10 accepts any pair, a code outside the table none.
bool CheckOrder(Context &ctx, int cardA, int cardB, int code, bool wrap);

// Fills the layout of gGames from the definition held by gCustom; run whenever a game
// starts, after its definition has been loaded.
void BuildLayout(Context &ctx);

// Start-up's product set-up: product data, the built-in games, then the studio games.
void InitProduct(Context &ctx);

} // namespace mStudio
