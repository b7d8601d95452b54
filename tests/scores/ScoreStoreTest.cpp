// The loaded logs: the top lists, the totals and date totals, the bounds of every
// list, loading by player and clearing.
#include <gtest/gtest.h>

#include <QDateTime>
#include <QFile>

#include "core/AppError.h"
#include "support/Errors.h"
#include "support/QtPrint.h"
#include "scores/ScoreFixture.h"

namespace {
// The Time of each filled top slot, which the tests use to name records.
QList<int> topTimes(const cScore &score)
{
    QList<int> times;
    for (std::int16_t s = 1; s <= cScore::kTopSlots; ++s) {
        const ScoreRecord &r = score.GetTopScore(s);
        if (!r.GameName.isEmpty())
            times << r.Time;
    }
    return times;
}
} // namespace

TEST(ScoreStore, SortKeepsTheTwentyBestScoresAboveZeroAndTheLaterOfEqualOnesFirst)
{
    ScoreContext t;
    QByteArray log;
    // Records are named by their time 1..: scores 100, 99, ..., 81 for times 1..20.
    for (int i = 1; i <= 20; ++i)
        log += logLine("2026-12-01 10:00:00", "Freecell", i, i, 5, 101 - i, i % 2);
    log += logLine("2026-12-01 10:00:00", "Freecell", 21, 21, 5, 80, 1);  // below all 20
    log += logLine("2026-12-01 10:00:00", "Freecell", 22, 22, 5, 81, 0);  // equal to slot 20
    log += logLine("2026-12-01 10:00:00", "Freecell", 23, 23, 5, 0, 1);   // zero
    log += logLine("2026-12-01 10:00:00", "Freecell", 24, 24, 5, -3, 1);  // negative
    log += logLine("2026-12-01 10:00:00", "freecell", 25, 25, 5, 500, 1); // another game
    log += logLine("2026-12-01 10:00:00", "Bouquet", 26, 26, 5, 100, 1);  // ties the best
    t.writeLog(QStringLiteral("Player1"), log);
    t.score().OpenAllScore();

    t.score().Sort(QStringLiteral("Freecell"), QString(), 0);
    QList<int> expected;
    for (int i = 1; i <= 19; ++i)
        expected << i;
    expected << 22;
    EXPECT_EQ(topTimes(t.score()), expected); // 22 pushed 20 out, 21 stayed out
    EXPECT_TRUE(t.score().GetTopScore(0).GameName.isEmpty());

    t.score().Sort(QString(), QString(), 1);
    expected = {25, 26, 1};
    for (int i = 3; i <= 19; i += 2)
        expected << i;
    expected << 21;
    EXPECT_EQ(topTimes(t.score()), expected); // won only, every game

    t.score().Sort(QString(), QStringLiteral("player1"), 0);
    EXPECT_TRUE(topTimes(t.score()).isEmpty()); // names are case-sensitive
}

TEST(ScoreStore, FinSortListsWonGamesByTheFewestSecondsOrMovesAndNeverAKeyBelowOne)
{
    ScoreContext t;
    QByteArray log;
    log += logLine("2026-12-01 10:00:00", "Freecell", 1, 0, 0, 10, 1); // both keys zero
    log += logLine("2026-12-01 10:00:00", "Freecell", 2, 50, 9, 10, 1);
    log += logLine("2026-12-01 10:00:00", "Freecell", 3, 40, 0, -5, 1); // no moves: never by moves
    log += logLine("2026-12-01 10:00:00", "Freecell", 4, 10, 3, 10, 0); // lost
    log += logLine("2026-12-01 10:00:00", "Freecell", 5, 50, 7, 10, 1); // ties 2 on time
    log += logLine("2026-12-01 10:00:00", "Freecell", 6, -1, 2, 10, 1); // negative time
    t.writeLog(QStringLiteral("Player1"), log);
    t.score().OpenAllScore();

    t.score().FinSort(true, false);
    EXPECT_EQ(topTimes(t.score()), (QList<int>{40, 50, 50}));
    EXPECT_EQ(t.score().GetTopScore(2).GameNo.value(), 5); // the later of the tie
    t.score().FinSort(false, true);
    QList<std::int64_t> numbers;
    for (std::int16_t s = 1; s <= 3; ++s)
        numbers << t.score().GetTopScore(s).GameNo.value();
    EXPECT_EQ(numbers, (QList<std::int64_t>{6, 5, 2}));
    EXPECT_TRUE(t.score().GetTopScore(4).GameName.isEmpty());
    t.score().FinSort(false, false);
    EXPECT_TRUE(topTimes(t.score()).isEmpty());
}

TEST(ScoreStore, DateTotalsCountTheDayMonthOrYearOfTheDateAndSkipUnreadableDates)
{
    ScoreContext t;
    QByteArray log;
    log += logLine("2026-12-31 23:59:59", "Freecell", 1, 1, 1, 1, 1);
    log += logLine("2027-01-01 00:00:00", "Freecell", 2, 2, 2, 2, 0);
    log += logLine("2026-12-01 00:00:00", "Freecell", 3, 4, 4, 4, 1);
    log += logLine("2026-11-30 12:00:00", "Freecell", 4, 8, 8, 8, 1);
    log += logLine("2025-12-31 12:00:00", "Freecell", 5, 16, 16, 16, 1);
    log += logLine("sometime", "Freecell", 6, 32, 32, 32, 1);
    t.writeLog(QStringLiteral("Player1"), log);
    t.score().OpenAllScore();

    const DateStat day = t.score().GetDateStat(QStringLiteral("2026-12-31"), QStringLiteral("d"));
    EXPECT_EQ(day.Label, QStringLiteral("Dec 31"));
    EXPECT_EQ(day.Played, 1);
    const DateStat month = t.score().GetDateStat(QStringLiteral("2026-12-08 22:15:03"), QStringLiteral("m"));
    EXPECT_EQ(month.Label, QStringLiteral("Dec 26"));
    EXPECT_EQ(month.Time, 1 + 4);
    const DateStat year = t.score().GetDateStat(QStringLiteral("2026-01-01"), QStringLiteral("yyyy"));
    EXPECT_EQ(year.Label, QStringLiteral("2026"));
    EXPECT_EQ(year.Score, 1 + 4 + 8);
    EXPECT_EQ(year.Won, 3);
    EXPECT_EQ(year.Lost, 0);
    const DateStat jan = t.score().GetDateStat(QStringLiteral("1/8/2027"), QStringLiteral("d"));
    EXPECT_EQ(jan.Label, QStringLiteral("Jan 08"));
    EXPECT_EQ(jan.Played, 0);
    EXPECT_EQ(t.score().GetDateStat(QStringLiteral("2027-01-01"), QStringLiteral("m")).Lost, 1);
    const DateStat other = t.score().GetDateStat(QStringLiteral("2026-12-31"), QStringLiteral("q"));
    EXPECT_TRUE(other.Label.isEmpty());
    EXPECT_EQ(other.Played, 0);
    // The record without a date still counts everywhere else.
    EXPECT_EQ(t.score().GetGenStat().Played, 6);
    EXPECT_EQ(errorOf([&] { t.score().GetDateStat(QStringLiteral("soon"), QStringLiteral("d")); }), err::TypeMismatch);
}

TEST(ScoreStore, TotalsAreSixtyFourBitAndListsRaiseTheSubscriptErrorOutsideTheirBounds)
{
    ScoreContext t;
    QByteArray log;
    for (int i = 0; i < 3; ++i)
        log += logLine("2026-12-01 10:00:00", "Freecell", 1, 2'000'000'000, 2'000'000'000, 2'000'000'000, 1);
    log += logLine("2026-12-01 10:00:00", "Mania", 1, 5, 6, -2'000'000'000, 1);
    t.writeLog(QStringLiteral("Player1"), log);
    t.score().OpenAllScore();
    const ScoreStat all = t.score().GetGenStat();
    EXPECT_EQ(all.Time, 6'000'000'005LL);
    EXPECT_EQ(all.Score, 4'000'000'000LL);
    EXPECT_EQ(t.score().GetGameStat(QStringLiteral("Freecell")).Moves, 6'000'000'000LL);
    EXPECT_EQ(t.score().GetPlayerStat(QStringLiteral("Player1")).Played, 4);

    EXPECT_EQ(t.score().GetGameScore(QStringLiteral("Mania"), 1).Time, 5);
    EXPECT_TRUE(t.score().GetGameScore(QStringLiteral("Mania"), 2).GameName.isEmpty());
    EXPECT_EQ(errorOf([&] { t.score().GetScore(0); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { t.score().GetScore(5); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { t.score().GetTopScore(21); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { t.score().GetSesGame(1); }), err::Subscript);
    t.score().AddSesGame(1);
    EXPECT_EQ(t.score().GetSesGame(1).Player, QStringLiteral("Player1"));
    EXPECT_EQ(t.score().GetSesStat().Won, 1);

    t.score().Sort(QString(), QString(), 0);
    t.score().CloseScore();
    EXPECT_EQ(t.score().ScoreTop(), 0);
    EXPECT_TRUE(t.score().GetTopScore(1).GameName.isEmpty());
    EXPECT_EQ(t.score().SesTop(), 1);
}

TEST(ScoreStore, EveryFilledSlotIsLoadedInSlotOrderEvenAfterAGap)
{
    ScoreContext t;
    t.setPlayers({QStringLiteral("Cy"), QString(), QStringLiteral("Ann")});
    t.writeLog(QStringLiteral("Ann"), logLine("2026-12-01 10:00:00", "Freecell", 1, 1, 1, 1, 1));
    t.writeLog(QStringLiteral("Cy"), logLine("2026-12-01 10:00:00", "Freecell", 2, 2, 2, 2, 1) +
                                         logLine("2026-12-01 10:00:00", "Freecell", 3, 3, 3, 3, 1));
    t.writeLog(QStringLiteral("Gone"), logLine("2026-12-01 10:00:00", "Freecell", 4, 4, 4, 4, 1));
    t.score().OpenAllScore();
    ASSERT_EQ(t.score().ScoreTop(), 3);
    EXPECT_EQ(t.score().GetScore(1).Player, QStringLiteral("Cy"));
    EXPECT_EQ(t.score().GetScore(2).Time, 3);
    EXPECT_EQ(t.score().GetScore(3).Player, QStringLiteral("Ann"));
    // Reopening starts over.
    t.score().OpenAllScore();
    EXPECT_EQ(t.score().ScoreTop(), 3);

    t.box.expect(MsgResult::No, QStringLiteral("clear the Statistics"));
    t.score().ClearStat();
    EXPECT_TRUE(QFile::exists(t.logOf(QStringLiteral("Ann"))));
    t.box.expect(MsgResult::Yes, QStringLiteral("Are you sure you want to clear the Statistics, High Score and Log "
                                                "for all Players and Games ?"));
    t.box.expect(MsgResult::Ok, QStringLiteral("Statistics, High Score and Log have been Cleared."));
    t.score().ClearStat();
    EXPECT_FALSE(QFile::exists(t.logOf(QStringLiteral("Ann"))));
    EXPECT_FALSE(QFile::exists(t.logOf(QStringLiteral("Cy"))));
    EXPECT_TRUE(QFile::exists(t.logOf(QStringLiteral("Gone"))));
    EXPECT_EQ(t.box.prompts().at(1).icon, MsgIcon::Question);
    EXPECT_EQ(t.box.prompts().at(1).buttons, MsgButtons::YesNo);
    EXPECT_EQ(t.box.last().icon, MsgIcon::Information);
    // What was loaded stays until the store is reloaded.
    EXPECT_EQ(t.score().ScoreTop(), 3);
}

// Logs are kept in memory between openings: one rewritten in place (same size) keeps its
// old figures only while its modification time is the same; a new time or a new size
// has it read again.
TEST(ScoreStore, AnUnchangedLogIsTakenFromMemoryAndAChangedOneIsReadAgain)
{
    ScoreContext t;
    const QString path = t.logOf(QStringLiteral("Player1"));
    const auto scoresAfterOpening = [&] {
        t.score().OpenAllScore();
        QList<int> scores;
        for (std::int32_t i = 1; i <= t.score().ScoreTop(); ++i)
            scores << t.score().GetScore(i).Score;
        t.score().CloseScore();
        return scores;
    };
    t.writeLog(QStringLiteral("Player1"), logLine("2026-12-08 10:00:00", "Bouquet", 1, 100, 30, 40, 1));
    const QDateTime first = QDateTime::currentDateTime().addSecs(-60);
    setModified(path, first);
    EXPECT_EQ(scoresAfterOpening(), QList<int>{40});

    t.writeLog(QStringLiteral("Player1"), logLine("2026-12-08 10:00:00", "Bouquet", 1, 100, 30, 50, 1));
    setModified(path, first);
    EXPECT_EQ(scoresAfterOpening(), QList<int>{40}); // from memory: size and time as before
    setModified(path, first.addSecs(1));
    EXPECT_EQ(scoresAfterOpening(), QList<int>{50});

    t.writeLog(QStringLiteral("Player1"), logLine("2026-12-08 10:00:00", "Bouquet", 1, 100, 30, 50, 1) +
                                              logLine("2026-12-09 10:00:00", "Bouquet", 2, 100, 30, 60, 0));
    setModified(path, first.addSecs(1));
    EXPECT_EQ(scoresAfterOpening(), (QList<int>{50, 60}));
    ASSERT_TRUE(QFile::remove(path));
    EXPECT_EQ(scoresAfterOpening(), QList<int>{});
}
