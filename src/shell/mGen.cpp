#include "shell/mGen.h"

#include <QFileInfo>

#include "core/AppError.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "store/mRegistry.h"

namespace mGen {

QString GetFileTitle(const QString &path)
{
    const QFileInfo info(path);
    if (path.isEmpty() || !info.exists() || info.isDir())
        raiseError(err::FileNotFound);
    // A name of four characters or fewer has no title left; it gives "" rather than failing.
    QString name = info.fileName();
    name.chop(4);
    return name;
}

} // namespace mGen

namespace mGen {

std::int16_t GetUnFinFlag(Context &ctx, bool *damaged)
{
    if (damaged)
        *damaged = false;
    try {
        const std::int16_t flag = mRegistry::ReadRegInteger(ctx, QStringLiteral("General"), QStringLiteral("UnFin"), 0);
        // Only 0 and 1 are ever written: any other value is as damaged as text.
        if (flag == 0 || flag == 1)
            return flag;
    } catch (const AppError &e) {
        if (e.number() != err::TypeMismatch && e.number() != err::Overflow)
            throw;
    }
    if (damaged)
        *damaged = true;
    return 0;
}

void SetUnFinFlag(Context &ctx, std::int16_t value)
{
    mRegistry::SetRegInteger(ctx, QStringLiteral("General"), QStringLiteral("UnFin"), value);
}

void StopReplay(Context &ctx)
{
    ctx.mainWindow().StopReplay();
}

bool CheckGameWon(Context &ctx)
{
    const cGamePlay &session = ctx.gamePlay();
    if (session.Game_Status() != cGamePlay::Playing || session.Won())
        return false;
    const std::int16_t cards = ctx.games().TotalCards();
    return cards > 0 && ctx.engine().TotalGoalCards() == cards;
}

} // namespace mGen
