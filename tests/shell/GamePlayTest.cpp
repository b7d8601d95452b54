// The game session: starting games in every way, pausing, ending and keeping them, the
// caption, score and percentage, and the time format and random numbers.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/AppError.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "appearance/mCustomize.h"
#include "engine/DisplayList.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "engine/mFunc.h"
#include "shell/cGamePlay.h"
#include "shell/mGen.h"
#include "library/mAutoSave.h"
#include "store/cData.h"
#include "store/mOptions.h"
#include "store/mRegistry.h"
#include "support/BoardChecker.h"
#include "support/Errors.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {

struct Session : GameContext {
    DisplayList &surface() { return dynamic_cast<DisplayList &>(ctx.surface()); }
};

} // namespace

TEST(GamePlay, ANewDealPlaysWithTheClockRunningAndTheNameRemembered)
{
    Session s;
    s.gp().PlayNumber(QStringLiteral("Bouquet"), GameNumber::fromNumber(123));
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_TRUE(s.gp().Game_Running());
    EXPECT_TRUE(s.nullWindow.gameClock());
    EXPECT_EQ(s.gp().Game_LoadingType(), cGamePlay::NewDeal);
    EXPECT_EQ(s.gp().LastGName(), QStringLiteral("Bouquet"));
    EXPECT_EQ(s.gp().Time(), 0);
    EXPECT_EQ(s.engine().GetTransTop(), 0);
    EXPECT_TRUE(s.play().Dealt());
    EXPECT_FALSE(s.gp().Game_StartTime().isEmpty());
    EXPECT_TRUE(BoardIsConsistent(s.ctx, s.surface()));
}

TEST(GamePlay, AutomaticMovesOfANewDealRunOnceTheGameIsPlaying)
{
    Session s;
    mOptions::SetAutoPlay(s.ctx, 1);
    // Some early deal of Freecell has an Ace lying free; its deal must move it home.
    bool moved = false;
    for (std::int64_t n = 1; n <= 200 && !moved; ++n) {
        s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(n));
        moved = s.engine().GetTransTop() > 0;
    }
    ASSERT_TRUE(moved);
    for (int id = 1; id <= s.engine().GetTransTop(); ++id)
        EXPECT_EQ(s.engine().DCell(id), cGames::Foundation);
    EXPECT_GT(s.engine().TotalGoalCards(), 0);
    EXPECT_TRUE(BoardIsConsistent(s.ctx, s.surface()));
}

TEST(GamePlay, RestartDealsTheSameNumberAgainAsANewDeal)
{
    Session s;
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(77));
    const int firstTop = s.play().GetTopPicID(cGames::Tableau, 0);
    s.moveToFreeCell(3);
    s.gp().setTime(40);
    s.gp().Restart();
    EXPECT_EQ(s.gp().Time(), 0);
    EXPECT_EQ(s.engine().GetTransTop(), 0);
    EXPECT_EQ(s.play().GetTopPicID(cGames::Tableau, 0), firstTop);
    EXPECT_EQ(s.gp().GameNo().value(), 77);

    // After the table was cleared the last name and number still serve.
    s.gp().ClearArea();
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::NoGame);
    s.gp().Restart();
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(s.gp().GameName(), QStringLiteral("Freecell"));
    EXPECT_EQ(s.gp().GameNo().value(), 77);
}

TEST(GamePlay, RestartOfAGameNoLongerInTheTableDealsFromItsOwnDefinition)
{
    Session s;
    // A game known only from a file's header: the board is built from that definition.
    cCustom &custom = s.ctx.custom();
    mStudio::LoadBuiltInGame(s.ctx, QStringLiteral("Seven By Four"));
    GameDefinition def = custom.Definition();
    def.GameName = QStringLiteral("Gone Game");
    custom.SetDefinition(def);
    s.gp().StartGame(QStringLiteral("Gone Game"), GameNumber::fromNumber(5), cGamePlay::Unfinished, 0, 0, 0);
    ASSERT_EQ(s.ctx.games().Piles(cGames::Tableau), def.HPiles);
    // Something else is loaded meanwhile; the restart must not deal with it.
    mStudio::LoadBuiltInGame(s.ctx, QStringLiteral("Freecell"));
    s.gp().Restart();
    EXPECT_EQ(s.gp().GameName(), QStringLiteral("Gone Game"));
    EXPECT_EQ(s.ctx.custom().Definition(), def);
    EXPECT_EQ(s.ctx.games().Piles(cGames::Tableau), def.HPiles);
    EXPECT_TRUE(BoardIsConsistent(s.ctx, s.surface()));
}

TEST(GamePlay, ANewDealOfANameNotInTheTableTakesTheSelection)
{
    Session s;
    // Cancelled, the selection starts nothing.
    s.gp().PlayNumber(QStringLiteral("No Such Game"), GameNumber::fromNumber(5));
    EXPECT_EQ(s.nullWindow.selectDialogs(), 1);
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::NoGame);
    s.nullWindow.selectScript = [] {
        return SelectChoice{QStringLiteral("All"), QStringLiteral("Freecell"), QStringLiteral("Freecell")};
    };
    s.gp().PlayNumber(QStringLiteral("No Such Game"), GameNumber::fromNumber(5));
    EXPECT_EQ(s.gp().GameName(), QStringLiteral("Freecell"));
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::Playing);

    mRegistry::SetRegString(s.ctx, QStringLiteral("General"), QStringLiteral("LastGName"), QString());
    s.gp().ClearArea();
    s.gp().PlayRandom();
    EXPECT_EQ(s.gp().GameName(), QStringLiteral("Freecell"));
}

TEST(GamePlay, PlayStringSplitsAtTheFirstDashAndKeepsTheNumberAsText)
{
    Session s;
    s.gp().PlayString(QStringLiteral("Bouquet - 617"));
    EXPECT_EQ(s.gp().GameName(), QStringLiteral("Bouquet"));
    EXPECT_EQ(s.gp().GameNo().value(), 617);
    EXPECT_TRUE(s.gp().GameNo().isText());

    s.gp().PlayString(QStringLiteral("Baker's Game - 1"));
    EXPECT_EQ(s.gp().GameName(), QStringLiteral("Baker's Game"));

    const auto before = s.gp().GameNo();
    EXPECT_EQ(errorOf([&] { s.gp().PlayString(QStringLiteral("Bouquet 617")); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { s.gp().PlayString(QStringLiteral("-617")); }), err::InvalidCall);
    EXPECT_EQ(s.gp().GameName(), QStringLiteral("Baker's Game"));
    EXPECT_EQ(s.gp().GameNo(), before);
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::Playing);
}

TEST(GamePlay, PauseStopsTheClockAndMarksItAndAResumeUndoesBoth)
{
    Session s;
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(3));
    s.gp().PauseGame(true);
    EXPECT_TRUE(s.gp().PauseStatus());
    EXPECT_FALSE(s.nullWindow.gameClock());
    EXPECT_TRUE(s.nullWindow.pauseMark());
    s.gp().PauseGame(false);
    EXPECT_FALSE(s.gp().PauseStatus());
    EXPECT_TRUE(s.nullWindow.gameClock());
    EXPECT_FALSE(s.nullWindow.pauseMark());

    // A new game starts unpaused and clears the marks.
    s.gp().PauseGame(true);
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(4));
    EXPECT_FALSE(s.gp().PauseStatus());
    EXPECT_FALSE(s.nullWindow.pauseMark());
}

TEST(GamePlay, ScoreAndPercentageRoundHalvesToEvenAndStayWithinSixteenBits)
{
    EXPECT_EQ(cGamePlay::ScoreOf(30, 90, 41), 250); // 249.5
    EXPECT_EQ(cGamePlay::ScoreOf(30, 90, 39), 250); // 250.5
    EXPECT_EQ(cGamePlay::ScoreOf(3, 125, 14), -19); // -18.67
    EXPECT_EQ(cGamePlay::ScoreOf(0, 3, 1), -2);     // -1.5
    EXPECT_EQ(cGamePlay::ScoreOf(0, 0, 0), 0);
    // A clock that ran for days gives the lowest score instead of failing.
    EXPECT_EQ(cGamePlay::ScoreOf(0, 200000, 0), -32768);
    EXPECT_EQ(cGamePlay::ScoreOf(0, std::numeric_limits<std::int32_t>::max(), 0), -32768);

    EXPECT_EQ(cGamePlay::PercentageOf(13, 52), 25);
    EXPECT_EQ(cGamePlay::PercentageOf(1, 8), 12); // 12.5
    EXPECT_EQ(cGamePlay::PercentageOf(3, 8), 38); // 37.5
    EXPECT_EQ(cGamePlay::PercentageOf(52, 52), 100);
    EXPECT_EQ(cGamePlay::PercentageOf(5, 0), 0);
}

TEST(GamePlay, TheStoredScoreStandsWhileNoGameRuns)
{
    Session s;
    QFile::remove(s.ctx.data().UnFinFile());
    s.gp().StartGame(QStringLiteral("Freecell"), GameNumber::fromNumber(9), cGamePlay::Finished, 75, 412, 0);
    EXPECT_FALSE(s.gp().Game_Running());
    EXPECT_EQ(s.gp().Score(), 412);
    EXPECT_EQ(s.gp().CardsLeft(), 52);
    EXPECT_EQ(s.gp().Percentage(), 0);
}

TEST(GamePlay, TheCaptionFollowsTheOptionsAndTheGame)
{
    Session s;
    EXPECT_EQ(s.gp().Title(), QStringLiteral("Brackenfold 6.0"));
    mCustomize::SetPlayer(s.ctx, 1, QStringLiteral("Player1"), true);
    mOptions::SetShowTime(s.ctx, 0);
    mOptions::SetShowScore(s.ctx, 0);
    mOptions::SetShowMoves(s.ctx, 0);
    mOptions::SetShowCardsLeft(s.ctx, 0);
    s.gp().PlayNumber(QStringLiteral("Bouquet"), GameNumber::fromNumber(123));
    EXPECT_EQ(s.gp().Title(), QStringLiteral("Brackenfold 6.0 [Bouquet - 123] [Player1]"));

    mOptions::SetShowTime(s.ctx, 1);
    mOptions::SetShowCardsLeft(s.ctx, 1);
    s.gp().setTime(125);
    s.gp().PauseGame(true);
    EXPECT_EQ(s.gp().Title(),
              QStringLiteral("Brackenfold 6.0 [Bouquet - 123] [Player1] [Time:0:02:05 Cards Left:52] [Game Paused]"));
    mOptions::SetShowScore(s.ctx, 1);
    mOptions::SetShowMoves(s.ctx, 1);
    s.gp().PauseGame(false);
    EXPECT_EQ(s.gp().Title(), QStringLiteral("Brackenfold 6.0 [Bouquet - 123] [Player1] [Time:0:02:05 Score:-42 "
                                             "Moves:0 Cards Left:52]"));
    s.gp().Update_Title();
    EXPECT_EQ(s.nullWindow.caption(), s.gp().Title());

    s.gp().StartGame(QStringLiteral("Bouquet"), GameNumber::fromNumber(123), cGamePlay::Finished, 0, 7, 0);
    EXPECT_TRUE(s.gp().Title().endsWith(QStringLiteral("[Finished Game]")));

    s.gp().StartGame(QStringLiteral("Bouquet"), GameNumber::fromNumber(123), cGamePlay::Pending, 0, 0, 0);
    s.gp().PauseGame(true);
    EXPECT_TRUE(s.gp().Title().endsWith(QStringLiteral("] [Pending List Game] [Game Paused]")))
        << qPrintable(s.gp().Title());
    s.gp().ClearArea();
}

TEST(GamePlay, ElapsedTimesAreShownAsHoursMinutesAndSeconds)
{
    EXPECT_EQ(mFunc::FormatTime(0), QStringLiteral("0:00:00"));
    EXPECT_EQ(mFunc::FormatTime(59), QStringLiteral("0:00:59"));
    EXPECT_EQ(mFunc::FormatTime(60), QStringLiteral("0:01:00"));
    EXPECT_EQ(mFunc::FormatTime(3725), QStringLiteral("1:02:05"));
    EXPECT_EQ(mFunc::FormatTime(86399), QStringLiteral("23:59:59"));
    // Past a day the hours go on counting.
    EXPECT_EQ(mFunc::FormatTime(90000), QStringLiteral("25:00:00"));
    EXPECT_EQ(mFunc::FormatTime(30000000), QStringLiteral("8333:20:00"));
    EXPECT_EQ(mFunc::FormatTime(3000000000LL), QStringLiteral("833333:20:00"));
    EXPECT_EQ(mFunc::FormatTime(-5), QStringLiteral("0:00:00"));
}

TEST(GamePlay, RandomNumbersStayWithinTheChosenRange)
{
    Session s;
    mOptions::SetRangeIndex(s.ctx, 1);
    for (int i = 0; i < 300; ++i) {
        const auto n = mFunc::GetRandomGameNo(s.ctx).value();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 9);
    }
    mOptions::SetRangeIndex(s.ctx, 15);
    for (int i = 0; i < 100; ++i) {
        const auto n = mFunc::GetRandomGameNo(s.ctx).value();
        ASSERT_GE(n, 1);
        ASSERT_LE(n, 999999999999999LL);
    }
}

TEST(GamePlay, ShutdownKeepsTheGameWhenAskedAndOnlyThen)
{
    Session s;
    const QString unfin = s.ctx.data().UnFinFile();
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(12345));
    s.moveToFreeCell(3);
    s.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 1);
    ASSERT_TRUE(QFile::exists(unfin));
    EXPECT_TRUE(bytesOf(unfin).startsWith("Freecell\r\n 12345 \r\n"));
    // Unload leaves the status as it was.
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::Playing);

    // Not kept: the game ends as lost, auto-saved as incomplete, and stays on the table.
    QFile::remove(unfin);
    mOptions::SetGameSave(s.ctx, 0);
    ASSERT_EQ(mAutoSave::GetAutoSaveFiles(s.ctx, false).value(0), QStringLiteral("0"));
    s.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 0);
    EXPECT_FALSE(QFile::exists(unfin));
    const QStringList saved = mAutoSave::GetAutoSaveFiles(s.ctx, false);
    ASSERT_EQ(saved.value(0), QStringLiteral("1"));
    EXPECT_TRUE(bytesOf(saved.value(1)).startsWith("Freecell\r\n 12345 \r\n")) << qPrintable(saved.value(1));
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::Playing);

    // A replay leaves nothing behind.
    mOptions::SetGameSave(s.ctx, 1);
    s.gp().StartGame(QStringLiteral("Freecell"), GameNumber::fromNumber(1), cGamePlay::Finished, 0, 0, 0);
    s.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 0);
    EXPECT_FALSE(QFile::exists(unfin));
}

TEST(GamePlay, AFailedExitSaveLeavesTheFlagClearAndShutdownGoesOn)
{
    Session s;
    const QString unfin = s.ctx.data().UnFinFile();
    // A folder in the file's place makes every write fail.
    ASSERT_TRUE(QDir().mkpath(unfin));
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(2));
    s.box.expect(MsgResult::Ok, QStringLiteral("recorded as lost"));
    s.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 0);
    EXPECT_TRUE(QFileInfo(unfin).isDir());
}

TEST(GamePlay, ProgressIsKeptWhileAGameIsPlayedAndNeverForAWonOrClearedGame)
{
    Session s;
    const QString unfin = s.ctx.data().UnFinFile();
    EXPECT_FALSE(s.gp().SaveProgress());
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(12345));
    const int card = s.play().GetTopPicID(cGames::Tableau, 3);
    const int pos = s.play().Pos(card);
    s.moveToFreeCell(3);
    ASSERT_TRUE(s.gp().SaveProgress());
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 1);
    const QByteArray line = QStringLiteral(" %1  0  3  %2  4  0  0  0  0  0 \r\n").arg(card).arg(pos).toLatin1();
    EXPECT_TRUE(bytesOf(unfin).endsWith(line)) << bytesOf(unfin).toStdString();

    // An open move group means a half-made move: nothing is written.
    s.engine().StartMulti();
    EXPECT_FALSE(s.gp().SaveProgress());
    s.engine().EndMulti();

    mOptions::SetGameSave(s.ctx, 0);
    EXPECT_FALSE(s.gp().SaveProgress());
    mOptions::SetGameSave(s.ctx, 1);

    // A game that leaves the table is never resumed.
    s.gp().ClearArea();
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 0);
    EXPECT_FALSE(s.gp().SaveProgress());
}

TEST(GamePlay, AWinStopsTheClockClearsTheResumeFlagAndIsAnnouncedOnce)
{
    Session s;
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(8));
    ASSERT_TRUE(s.gp().SaveProgress());
    s.gp().CheckGameWon();
    EXPECT_EQ(s.nullWindow.wins(), 0);
    EXPECT_TRUE(s.nullWindow.gameClock());

    // Every card home, taken from the tops of the tableau piles; the win check counts
    // the cards on the foundations.
    s.takeAllHome();
    ASSERT_EQ(s.engine().TotalGoalCards(), 52);
    EXPECT_TRUE(s.gp().Won());
    EXPECT_EQ(s.nullWindow.wins(), 1);
    EXPECT_FALSE(s.nullWindow.gameClock());
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 0);
    EXPECT_FALSE(s.gp().SaveProgress());
    // Neither shutdown nor the next game records it again or keeps it.
    s.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(s.ctx), 0);
}

TEST(GamePlay, AShutdownBeforeAnyGameReachedTheTableKeepsTheLastSessionsGame)
{
    Session s;
    s.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(12));
    s.moveToFreeCell(2);
    ASSERT_TRUE(s.gp().SaveProgress());
    const QByteArray kept = bytesOf(s.ctx.data().UnFinFile());

    // The next run closes during its splash or its start-up question.
    Session next;
    QDir().mkpath(QFileInfo(next.ctx.data().UnFinFile()).path());
    writeBytes(next.ctx.data().UnFinFile(), kept);
    mGen::SetUnFinFlag(next.ctx, 1);
    next.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(next.ctx), 1);
    EXPECT_EQ(bytesOf(next.ctx.data().UnFinFile()), kept);
}

TEST(GamePlay, PlayStringWithoutDigitsAfterTheDashIsRefused)
{
    Session s;
    EXPECT_EQ(errorOf([&] { s.gp().PlayString(QStringLiteral("Bouquet -")); }), err::InvalidCall);
    EXPECT_EQ(errorOf([&] { s.gp().PlayString(QStringLiteral("Bouquet - ")); }), err::InvalidCall);
    EXPECT_EQ(s.gp().Game_Status(), cGamePlay::NoGame);
}
