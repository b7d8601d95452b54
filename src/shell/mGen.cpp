#include "shell/mGen.h"

#include <QFileInfo>
#include <array>

#include "core/AppError.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "store/mRegistry.h"

namespace {
// Ace to King; the thirteenth entry differs between the two rank tables.
constexpr std::array<const char *, 13> kRanks = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                                                 "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};

template <std::size_t N> QString fromTable(const std::array<const char *, N> &table, std::int16_t index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        return {};
    return QString::fromLatin1(table[static_cast<std::size_t>(index)]);
}

QString rankName(std::int16_t rank, const char *thirteenth)
{
    if (rank == 13)
        return QString::fromLatin1(thirteenth);
    return fromTable(kRanks, rank);
}
} // namespace

namespace mGen {

QString GetBaseCardName(std::int16_t rank)
{
    return rankName(rank, "Random");
}

QString GetSpaceCardName(std::int16_t rank)
{
    return rankName(rank, "Any Card");
}

QString GetBoolName(std::int16_t value)
{
    static constexpr std::array<const char *, 2> kNames = {"False", "True"};
    return fromTable(kNames, value);
}

QString GetSuitsName(std::int16_t code)
{
    static constexpr std::array<const char *, 3> kNames = {"One", "Two", "Four"};
    return fromTable(kNames, code);
}

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
        return mRegistry::GetRegInteger(ctx, QStringLiteral("General"), QStringLiteral("UnFin"), 0);
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

bool CheckGameWon(Context &ctx)
{
    const cGamePlay &session = ctx.gamePlay();
    if (session.Game_Status() != cGamePlay::Playing || session.Won())
        return false;
    const std::int16_t cards = ctx.games().TotalCards();
    return cards > 0 && ctx.engine().TotalGoalCards() == cards;
}

} // namespace mGen
