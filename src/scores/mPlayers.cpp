#include "scores/mPlayers.h"

#include "appearance/mCustomize.h"

namespace mPlayers {

QStringList PlayerList(Context &ctx)
{
    QStringList names;
    for (std::int16_t slot = 1; slot <= mCustomize::kMaxPlayers; ++slot) {
        const QString name = mCustomize::GetPlayer(ctx, slot);
        if (!name.isEmpty())
            names.append(name);
    }
    return names;
}

} // namespace mPlayers
