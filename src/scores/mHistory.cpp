#include "scores/mHistory.h"

#include "app/Context.h"
#include "app/mGen1.h"
#include "appearance/mCustomize.h"
#include "core/TextFile.h"
#include "engine/cEngine.h"
#include "engine/mFunc.h"

namespace {
QString placeText(std::int16_t area, std::int16_t pile, std::int16_t pos)
{
    return mGen1::GetAreaName(area) + QStringLiteral(" (Pile %1, Card %2)").arg(pile + 1).arg(pos + 1);
}
} // namespace

namespace mHistory {

QString GetSourceText(const TransRecord &move)
{
    return placeText(move.SCell, move.SPile, move.SPos);
}

QString GetDestText(const TransRecord &move)
{
    return placeText(move.DCell, move.DPile, move.DPos);
}

QString GetCardCount(const TransRecord &move)
{
    return QString::number(move.mCards + 1);
}

QString DateText(const QDateTime &when)
{
    if (when.time() == QTime(0, 0))
        return when.date().toString(QStringLiteral("yyyy-MM-dd"));
    return when.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QStringList HistoryLines(Context &ctx, const QDateTime &now)
{
    const ISessionInfo &session = ctx.session();
    const cEngine &engine = ctx.engine();
    const GameNumber number = session.GameNo();
    QStringList lines;
    lines.reserve(8 + engine.GetTransTop());
    lines << QStringLiteral("Game Name: ") + session.GameName();
    // A number typed as text is written as it was given; a number is printed with blanks.
    lines << QStringLiteral("Game Number: ") + (number.isText() ? number.text() : TextFile::printed(number.value()));
    lines << QStringLiteral("Player: ") + mCustomize::GetCurPlayer(ctx);
    lines << QStringLiteral("Moves: ") + TextFile::printed(session.Moves());
    lines << QStringLiteral("Time: ") + mFunc::FormatTime(session.Time());
    lines << QStringLiteral("Score: ") + TextFile::printed(session.Score());
    lines << QStringLiteral("Date :") + DateText(now);
    lines << QStringLiteral("-------Game History-------");
    for (int n = 1; n <= engine.GetTransTop(); ++n) {
        const TransRecord &move = engine.Record(n);
        const QString count = GetCardCount(move);
        lines << TextFile::printed(n) + QStringLiteral("  ") + GetSourceText(move) + QStringLiteral("  ->") +
                     GetDestText(move) + QStringLiteral("  ") + count +
                     (move.mCards == 0 ? QStringLiteral(" Card") : QStringLiteral(" Cards")) + QStringLiteral(" Moved");
    }
    return lines;
}

void WriteHistory(Context &ctx, const QString &path, const QDateTime &now)
{
    TextFile::writeLines(path, HistoryLines(ctx, now));
}

} // namespace mHistory
