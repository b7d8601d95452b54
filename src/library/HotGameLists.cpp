#include "library/HotGameLists.h"

#include <cstdint>

#include "app/Context.h"
#include "app/mGen1.h"
#include "store/cData.h"

namespace HotGameLists {

namespace {

bool isHot(Context &ctx, const QString &name)
{
    try {
        return mGen1::GetHotFlag(ctx, name) == 1;
    } catch (...) {
        // A value out of range reads as an error: the game is listed as not hot.
        return false;
    }
}

QStringList gamesWhere(Context &ctx, bool hot)
{
    const cData &data = ctx.data();
    QStringList names;
    for (std::int16_t i = 1; i <= data.TotalGames(); ++i) {
        const QString name = data.GetGName(i);
        if (isHot(ctx, name) == hot)
            names << name;
    }
    return names;
}

} // namespace

QStringList OtherGames(Context &ctx)
{
    return gamesWhere(ctx, false);
}

QStringList HotGames(Context &ctx)
{
    return gamesWhere(ctx, true);
}

void Mark(Context &ctx, const QString &gameName, bool hot)
{
    mGen1::SetHotFlag(ctx, gameName, hot ? 1 : 0);
}

} // namespace HotGameLists
