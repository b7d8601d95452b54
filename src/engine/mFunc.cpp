#include "engine/mFunc.h"

#include <QDateTime>
#include <algorithm>
#include <cmath>
#include <random>

#include "core/Numbers.h"
#include "store/mOptions.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "app/Context.h"

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

QString FormatTime(std::int64_t seconds)
{
    const std::int64_t s = std::max<std::int64_t>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg((s / 60) % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

GameNumber GetRandomGameNo(Context &ctx)
{
    const int digits = mOptions::GetRangeIndex(ctx);
    const std::int64_t limit = mOptions::RangeLimit(std::clamp(digits, 1, 15));
    // Reseeded from the clock on every draw, as random game numbers always were.
    std::mt19937_64 generator(static_cast<std::uint64_t>(QDateTime::currentMSecsSinceEpoch()) ^ std::random_device{}());
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    auto number = static_cast<std::int64_t>(std::floor(static_cast<double>(limit + 1) * unit(generator)));
    number = std::clamp<std::int64_t>(number, 1, limit);
    return GameNumber::fromNumber(number);
}

} // namespace mFunc
