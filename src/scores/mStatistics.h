// The figures the statistics windows show, worked out in exact 64-bit integers: averages
// truncated toward zero, roundings with halves to even taken from the remainder, and
// percentages printed without trailing zeros. Also the date filters of the game log and
// the periods of the date-wise table, both counted in calendar days and months.
#pragma once

#include <QDate>
#include <QList>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "scores/cScore.h"

namespace mStatistics {

// n / d rounded to the nearest whole number, halves to even; d must be above 0.
std::int64_t divRoundHalfEven(std::int64_t n, std::int64_t d);
// Fix(total / P'), P' the games played or 1 when none.
std::int64_t perGame(std::int64_t total, std::int64_t played);
// Fix(total / T' x 3600), T' the seconds played or 1 when none.
std::int64_t perHour(std::int64_t total, std::int64_t seconds);
// Seconds per game rounded to whole seconds, halves to even.
std::int64_t timePerGame(std::int64_t seconds, std::int64_t played);
// 100 x won / P' rounded to 2 decimals: "66.67%", "50%", "12.5%".
QString percent(std::int64_t won, std::int64_t played);
// Won / P' rounded to 2 decimals, times 100: a whole number of percent, "67%".
QString wholePercent(std::int64_t won, std::int64_t played);

// The 13 lines of the general summary.
QStringList GeneralLines(const ScoreStat &s);

// Totals of each named game, in the order given, from one pass over the loaded records.
std::vector<ScoreStat> GameStats(const cScore &score, const QStringList &games);
// The first `limit` loaded records of the game, in load order.
std::vector<ScoreRecord> FirstGames(const cScore &score, const QString &game, int limit);

// Whether a record passes the log's date filter ("t", "3d", "7d", "30d", "3m", "5m"; any
// other key passes all). A date that cannot be read passes only "show all".
bool PassesDate(const ScoreRecord &r, const QString &key, const QDate &today);

// The periods of the date-wise table for a key ("5d", "10d", "30d", "5m", "10m", "5y"),
// oldest first, the last holding today; a month step past a month's end clamps.
QList<QDate> PeriodDates(const QString &key, const QDate &today);
// The interval of a key: "d", "m" or "yyyy".
QString PeriodInterval(const QString &key);
// The heading of the period column: "Day", "Month" or "Year".
QString PeriodHeading(const QString &key);

} // namespace mStatistics
