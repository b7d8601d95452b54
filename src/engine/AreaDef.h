// The layout of one board area: how many piles it has, how many cards the deal puts
// into it, how cards build on it, and where its piles lie on the board (twips).
// Counts keep their stored 16-bit width; geometry is 32-bit so no board or screen
// position can overflow.
#pragma once

#include <cstdint>

struct AreaDef {
    std::int16_t Piles = 0;     // number of piles in the area
    std::int16_t Cards = 0;     // cards the deal puts into the area
    std::int32_t Order = 0;     // arranging-order code
    std::int16_t AK = 0;        // 1 = ranks wrap from King to Ace
    std::int32_t StartX = 0;    // x of pile 0 on the board
    std::int32_t StartY = 0;    // y of pile 0 on the board
    std::int32_t PileWidth = 0; // from one pile to the next
    std::int32_t PosWidth = 0;  // from one card of a pile to the next
    std::int16_t Div = 0;       // piles per row
    std::int32_t DivWidth = 0;  // from one row of piles to the next
    std::int32_t PileOrder = 0; // layout mode of the piles; 0 = rows
};
