#include "engine/mFunc.h"

#include "core/Numbers.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "shell/Context.h"

namespace mFunc {

std::int16_t CountEmptyPiles(Context &ctx, int area)
{
    const int piles = ctx.games().Piles(area);
    std::int16_t empty = 0;
    for (int i = 0; i < piles; ++i) {
        if (ctx.play().GetTop(area, i) == -1)
            ++empty;
    }
    return empty;
}

std::int16_t GetMaxMoveCards(Context &ctx)
{
    const std::int64_t e = CountEmptyPiles(ctx, cGames::Tableau);
    const std::int64_t r = CountEmptyPiles(ctx, cGames::FreeCell);
    return toInt16(e * (r + 1) + r);
}

} // namespace mFunc
