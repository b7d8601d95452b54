#include "scores/mStatistics.h"

#include <QHash>

#include "engine/mFunc.h"

namespace mStatistics {

namespace {
std::int64_t orOne(std::int64_t v)
{
    return v == 0 ? 1 : v;
}

// Truncates toward zero; the product may pass 64 bits before the division.
std::int64_t mulDiv(std::int64_t a, std::int64_t b, std::int64_t d)
{
    return static_cast<std::int64_t>(static_cast<__int128>(a) * b / d);
}

// Hundredths as "66.67", "12.5", "50", "-0.5".
QString hundredths(std::int64_t h)
{
    const bool negative = h < 0;
    const std::uint64_t a = negative ? 0 - static_cast<std::uint64_t>(h) : static_cast<std::uint64_t>(h);
    QString text = QString::number(a / 100);
    const std::uint64_t frac = a % 100;
    if (frac != 0) {
        text += QLatin1Char('.') + QString::number(frac / 10);
        if (frac % 10 != 0)
            text += QString::number(frac % 10);
    }
    return negative && a != 0 ? QLatin1Char('-') + text : text;
}
} // namespace

std::int64_t divRoundHalfEven(std::int64_t n, std::int64_t d)
{
    if (d < 0) {
        n = -n;
        d = -d;
    }
    std::int64_t q = n / d;
    const std::int64_t r = n % d;
    // Compare twice the remainder with the divisor without overflowing.
    const std::int64_t ar = r < 0 ? -r : r;
    const std::int64_t rest = d - ar;
    if (ar > rest || (ar == rest && q % 2 != 0))
        q += r < 0 ? -1 : 1;
    return q;
}

std::int64_t perGame(std::int64_t total, std::int64_t played)
{
    return total / orOne(played);
}

std::int64_t perHour(std::int64_t total, std::int64_t seconds)
{
    return mulDiv(total, 3600, orOne(seconds));
}

std::int64_t timePerGame(std::int64_t seconds, std::int64_t played)
{
    return divRoundHalfEven(seconds, orOne(played));
}

QString percent(std::int64_t won, std::int64_t played)
{
    return hundredths(divRoundHalfEven(won * 10000, orOne(played))) + QLatin1Char('%');
}

QString wholePercent(std::int64_t won, std::int64_t played)
{
    return QString::number(divRoundHalfEven(won * 100, orOne(played))) + QLatin1Char('%');
}

QStringList GeneralLines(const ScoreStat &s)
{
    const auto n = [](std::int64_t v) { return QString::number(v); };
    return {
        QStringLiteral("Games Played : ") + n(s.Played),
        QStringLiteral("Games Won : ") + n(s.Won),
        QStringLiteral("Games Lost : ") + n(s.Lost),
        QStringLiteral("Total Moves : ") + n(s.Moves),
        QStringLiteral("Total Score : ") + n(s.Score),
        QStringLiteral("Total Time : ") + mFunc::FormatTime(s.Time),
        QStringLiteral("Moves Per Game : ") + n(perGame(s.Moves, s.Played)),
        QStringLiteral("Score Per Game : ") + n(perGame(s.Score, s.Played)),
        QStringLiteral("Time Per Game : ") + mFunc::FormatTime(timePerGame(s.Time, s.Played)),
        QStringLiteral("Games Per Hour : ") + n(perHour(s.Played, s.Time)),
        QStringLiteral("Moves Per Hour : ") + n(perHour(s.Moves, s.Time)),
        QStringLiteral("Score Per Hour : ") + n(perHour(s.Score, s.Time)),
        QStringLiteral("Winning Percentage : ") + percent(s.Won, s.Played),
    };
}

std::vector<ScoreStat> GameStats(const cScore &score, const QStringList &games)
{
    std::vector<ScoreStat> stats(static_cast<std::size_t>(games.size()));
    QHash<QString, std::size_t> slot;
    slot.reserve(games.size());
    // A name listed twice gets its totals in its first row only, as a second lookup would.
    for (qsizetype i = games.size() - 1; i >= 0; --i)
        slot.insert(games.at(i), static_cast<std::size_t>(i));
    for (std::int32_t i = 1; i <= score.ScoreTop(); ++i) {
        const ScoreRecord &r = score.GetScore(i);
        const auto it = slot.constFind(r.GameName);
        if (it == slot.constEnd())
            continue;
        ScoreStat &st = stats[*it];
        ++st.Played;
        if (r.Won == 1)
            ++st.Won;
        st.Score += r.Score;
        st.Moves += r.Moves;
        st.Time += r.Time;
    }
    for (std::size_t i = 0; i < stats.size(); ++i) {
        stats[i].Lost = stats[i].Played - stats[i].Won;
        const auto first = slot.value(games.at(static_cast<qsizetype>(i)));
        if (first != i)
            stats[i] = stats[first];
    }
    return stats;
}

std::vector<ScoreRecord> FirstGames(const cScore &score, const QString &game, int limit)
{
    std::vector<ScoreRecord> out;
    for (std::int32_t i = 1; i <= score.ScoreTop() && static_cast<int>(out.size()) < limit; ++i) {
        const ScoreRecord &r = score.GetScore(i);
        if (r.GameName == game)
            out.push_back(r);
    }
    return out;
}

bool PassesDate(const ScoreRecord &r, const QString &key, const QDate &today)
{
    int days = -1;
    int months = -1;
    if (key == QLatin1String("t"))
        days = 0;
    else if (key == QLatin1String("3d"))
        days = 3;
    else if (key == QLatin1String("7d"))
        days = 7;
    else if (key == QLatin1String("30d"))
        days = 30;
    else if (key == QLatin1String("3m"))
        months = 3;
    else if (key == QLatin1String("5m"))
        months = 5;
    else
        return true;
    if (!r.HasDate())
        return false;
    const std::int64_t d = today.toJulianDay() - r.DayNo;
    if (days >= 0)
        return d >= 0 && d <= days;
    const std::int64_t m = static_cast<std::int64_t>(today.year()) * 12 + today.month() - 1 - r.MonthNo;
    return d >= 0 && m <= months;
}

QString PeriodInterval(const QString &key)
{
    if (key.endsWith(QLatin1Char('m')))
        return QStringLiteral("m");
    if (key.endsWith(QLatin1Char('y')))
        return QStringLiteral("yyyy");
    return QStringLiteral("d");
}

QString PeriodHeading(const QString &key)
{
    const QString interval = PeriodInterval(key);
    if (interval == QLatin1String("m"))
        return QStringLiteral("Month");
    if (interval == QLatin1String("yyyy"))
        return QStringLiteral("Year");
    return QStringLiteral("Day");
}

QList<QDate> PeriodDates(const QString &key, const QDate &today)
{
    int n = 4;
    if (key == QLatin1String("10d") || key == QLatin1String("10m"))
        n = 9;
    else if (key == QLatin1String("30d"))
        n = 29;
    const QString interval = PeriodInterval(key);
    QList<QDate> dates;
    for (int k = -n; k <= 0; ++k) {
        if (interval == QLatin1String("m"))
            dates << today.addMonths(k);
        else if (interval == QLatin1String("yyyy"))
            dates << today.addYears(k);
        else
            dates << today.addDays(k);
    }
    return dates;
}

} // namespace mStatistics
