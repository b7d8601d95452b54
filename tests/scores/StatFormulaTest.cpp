// The statistics figures in exact integers: truncation toward zero, halves to even from
// the remainder, percentages without trailing zeros, and the calendar periods.
#include <gtest/gtest.h>

#include "scores/mStatistics.h"
#include "support/QtPrint.h"

using namespace mStatistics;

namespace {
ScoreStat stat(std::int64_t played, std::int64_t won, std::int64_t score, std::int64_t moves, std::int64_t time)
{
    ScoreStat s;
    s.Played = played, s.Won = won, s.Lost = played - won, s.Score = score, s.Moves = moves, s.Time = time;
    return s;
}
} // namespace

TEST(StatFormula, GeneralSummaryOfTwoGamesOneWon)
{
    const QStringList expected = {
        "Games Played : 2",         "Games Won : 1",        "Games Lost : 1",        "Total Moves : 181",
        "Total Score : -7",         "Total Time : 0:06:00", "Moves Per Game : 90",   "Score Per Game : -3",
        "Time Per Game : 0:03:00",  "Games Per Hour : 20",  "Moves Per Hour : 1810", "Score Per Hour : -70",
        "Winning Percentage : 50%",
    };
    EXPECT_EQ(GeneralLines(stat(2, 1, -7, 181, 90 + 270)), expected);
}

TEST(StatFormula, NoGamesGiveZerosAndTotalsPassADay)
{
    const QStringList empty = GeneralLines(ScoreStat{});
    EXPECT_EQ(empty.at(6), "Moves Per Game : 0");
    EXPECT_EQ(empty.at(8), "Time Per Game : 0:00:00");
    EXPECT_EQ(empty.at(9), "Games Per Hour : 0");
    EXPECT_EQ(empty.at(12), "Winning Percentage : 0%");
    const QStringList long_ = GeneralLines(stat(1, 0, 0, 0, 3 * 86400 + 61));
    EXPECT_EQ(long_.at(5), "Total Time : 72:01:01");
    EXPECT_EQ(long_.at(8), "Time Per Game : 72:01:01");
}

TEST(StatFormula, PerHourIsExactWhereDoublesFallShort)
{
    EXPECT_EQ(perHour(13, 3), 15600); // 13 / 3 x 3600 in doubles is 15599.99...
    EXPECT_EQ(perHour(-7, 360), -70);
    EXPECT_EQ(perHour(-1, 7200), 0);                                                // toward zero, not down
    EXPECT_EQ(perHour(INT64_C(4000000000000000), 2), INT64_C(7200000000000000000)); // product passes 64 bits
    EXPECT_EQ(perGame(-7, 2), -3);
}

TEST(StatFormula, HalvesGoToEvenThroughTheRemainder)
{
    EXPECT_EQ(timePerGame(5, 2), 2);
    EXPECT_EQ(timePerGame(7, 2), 4);
    EXPECT_EQ(timePerGame(8, 3), 3);
    EXPECT_EQ(divRoundHalfEven(-5, 2), -2);
    EXPECT_EQ(divRoundHalfEven(-7, 2), -4);
    EXPECT_EQ(percent(1, 20000), "0%");    // 0.005 goes down to even
    EXPECT_EQ(percent(3, 20000), "0.02%"); // 0.015 goes up to even
    EXPECT_EQ(percent(2, 3), "66.67%");
    EXPECT_EQ(wholePercent(2, 3), "67%");
    EXPECT_EQ(wholePercent(1, 8), "12%"); // 0.125 rounds to 0.12 first
    EXPECT_EQ(wholePercent(3, 8), "38%");
    EXPECT_EQ(percent(1, 8), "12.5%");
    EXPECT_EQ(percent(1, 2), "50%");
    EXPECT_EQ(percent(0, 0), "0%");
    EXPECT_EQ(percent(1, 10), "10%");
    EXPECT_EQ(percent(1, 1000), "0.1%");
}

TEST(StatFormula, PeriodsStepByCalendarAndClampAtAMonthsEnd)
{
    const QList<QDate> months = PeriodDates("10m", QDate(2026, 12, 9));
    ASSERT_EQ(months.size(), 10);
    EXPECT_EQ(months.first(), QDate(2026, 3, 9));
    EXPECT_EQ(months.last(), QDate(2026, 12, 9));
    EXPECT_EQ(PeriodHeading("10m"), "Month");
    EXPECT_EQ(PeriodDates("5m", QDate(2027, 3, 31)),
              (QList<QDate>{{2026, 11, 30}, {2026, 12, 31}, {2027, 1, 31}, {2027, 2, 28}, {2027, 3, 31}}));
    EXPECT_EQ(PeriodDates("5y", QDate(2028, 2, 29)),
              (QList<QDate>{{2024, 2, 29}, {2025, 2, 28}, {2026, 2, 28}, {2027, 2, 28}, {2028, 2, 29}}));
    EXPECT_EQ(PeriodDates("30d", QDate(2026, 3, 1)).first(), QDate(2026, 1, 31));
    EXPECT_EQ(PeriodInterval("5y"), "yyyy");
    EXPECT_EQ(PeriodHeading("5d"), "Day");
}
