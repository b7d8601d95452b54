// The board window: the choice of the first game at start-up, the card handlers as the
// session allows them, the timers' ticks and the close that keeps the game.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QTimer>

#include "appearance/cSound.h"
#include "engine/DisplayList.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "shell/BoardView.h"
#include "shell/cGamePlay.h"
#include "shell/frmFinish.h"
#include "shell/frmMain.h"
#include "shell/kMenu.h"
#include "shell/mGen.h"
#include "store/cData.h"
#include "store/mOptions.h"
#include "support/BoardChecker.h"
#include "support/QtPrint.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempHome.h"

namespace {

// Pictures are not looked at here: every picture paints as nothing.
class NoImages : public CardImages {
public:
    QImage image(const CardPicture &, qreal) override { return {}; }
};

struct Window {
    Window() : ctx(services())
    {
        ctx.createSharedObjects();
        mStudio::InitProduct(ctx);
        window = std::make_unique<frmMain>(ctx, board, images);
        window->boardView().setFramePacing(std::chrono::milliseconds(0));
        mOptions::SetAutoPlay(ctx, 0);
    }

    Services services()
    {
        Services s;
        s.messages = &box;
        s.shellFolders = &home.folders();
        s.soundPlayer = &sounds;
        s.surface = &board;
        return s;
    }

    cGamePlay &gp() { return ctx.gamePlay(); }
    cPlay &play() { return ctx.play(); }

    // A saved game of Freecell with one move to a free cell, at the path.
    void writeGame(const QString &path, std::int64_t number)
    {
        gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(number));
        const int card = play().GetTopPicID(cGames::Tableau, 2);
        std::int32_t kind = cEngine::KindPlain;
        play().MoveCard(card, cGames::FreeCell, 0, 0, kind, 0, 0, true);
        ctx.engine().SavetoFile(path);
        gp().ClearArea();
    }

    QString unfinished() const { return ctx.data().UnFinFile(); }

    ScriptedMessageBox box;
    TempHome home;
    RecordingSoundPlayer sounds;
    DisplayList board;
    NoImages images;
    Context ctx;
    std::unique_ptr<frmMain> window;
};

const QString kQuestion = QStringLiteral("An unfinished game from previous session exists!");

} // namespace

TEST(MainWindowStart, WithNothingToResumeAGameIsSelected)
{
    Window w;
    w.window->StartFirstGame(QString());
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(w.gp().GameName(), QStringLiteral("Freecell"));
    EXPECT_TRUE(w.box.prompts().isEmpty());
}

TEST(MainWindowStart, TheUnfinishedGameIsResumedWithItsMoves)
{
    Window w;
    w.writeGame(w.unfinished(), 4242);
    mGen::SetUnFinFlag(w.ctx, 1);
    w.window->StartFirstGame(QStringLiteral("   "));
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(w.gp().GameNo().value(), 4242);
    EXPECT_EQ(w.ctx.engine().GetTransID(), 1);
    EXPECT_EQ(w.play().GetTop(cGames::FreeCell, 0), 0);
    // Resuming leaves the flag set for the session.
    EXPECT_EQ(mGen::GetUnFinFlag(w.ctx), 1);
    EXPECT_TRUE(BoardIsConsistent(w.ctx, w.board));
}

TEST(MainWindowStart, AFlagWithoutItsFileAsksNothingAndSelects)
{
    Window w;
    const QString path = w.home.path() + QStringLiteral("/Bouquet-7.qx0");
    w.writeGame(path, 7);
    mGen::SetUnFinFlag(w.ctx, 1);
    QFile::remove(w.unfinished());
    w.window->StartFirstGame(path);
    EXPECT_TRUE(w.box.prompts().isEmpty());
    EXPECT_EQ(w.gp().GameNo().value(), 7);
}

TEST(MainWindowStart, YesStartsTheCommandLineFileAndDropsTheUnfinishedGame)
{
    Window w;
    const QString path = w.home.path() + QStringLiteral("/My Game.qx0");
    w.writeGame(path, 11);
    w.writeGame(w.unfinished(), 22);
    mGen::SetUnFinFlag(w.ctx, 1);
    w.box.expect(MsgResult::Yes, kQuestion);
    w.window->StartFirstGame(QStringLiteral("  ") + path + QStringLiteral(" "));
    EXPECT_EQ(w.box.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(w.box.last().icon, MsgIcon::Question);
    EXPECT_EQ(w.box.last().title, QStringLiteral("Brackenfold 6.0"));
    EXPECT_TRUE(w.box.last().text.contains(QStringLiteral("loose the previous Game.\r\nClick 'Yes'")));
    EXPECT_EQ(w.gp().GameNo().value(), 11);
    EXPECT_EQ(mGen::GetUnFinFlag(w.ctx), 0);
    // The unfinished file stays until the next save replaces it.
    EXPECT_TRUE(QFile::exists(w.unfinished()));
}

TEST(MainWindowStart, NoResumesTheUnfinishedGameAndIgnoresTheCommandLine)
{
    Window w;
    const QString path = w.home.path() + QStringLiteral("/Other.qx0");
    w.writeGame(path, 11);
    w.writeGame(w.unfinished(), 22);
    mGen::SetUnFinFlag(w.ctx, 1);
    w.box.expect(MsgResult::No, kQuestion);
    w.window->StartFirstGame(path);
    EXPECT_EQ(w.gp().GameNo().value(), 22);
    EXPECT_EQ(mGen::GetUnFinFlag(w.ctx), 1);
}

TEST(MainWindowStart, AFinishedGameOnTheCommandLineIsReplayedNotPlayed)
{
    Window w;
    // The path keeps its letter case: a case-sensitive file system must find it.
    const QString path = w.home.path() + QStringLiteral("/Won Game.QX1");
    w.writeGame(path, 31);
    w.window->StartFirstGame(path);
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Replaying);
    EXPECT_FALSE(w.gp().Game_Running());
    EXPECT_TRUE(w.window->tmrForward.enabled());
    EXPECT_FALSE(w.window->tmrGame.enabled());
}

TEST(MainWindowStart, AMissingOrDamagedCommandLineFileIsReportedAndFallsBack)
{
    Window w;
    w.box.expect(MsgResult::Ok, QStringLiteral("Missing.qx0"));
    w.window->StartFirstGame(w.home.path() + QStringLiteral("/Missing.qx0"));
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(w.gp().GameName(), QStringLiteral("Freecell"));

    // A damaged file with an unfinished game behind it: the unfinished game comes back.
    Window v;
    const QString damaged = v.home.path() + QStringLiteral("/Damaged.qx0");
    {
        QFile f(damaged);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("Freecell\r\n 5 \r\n");
    }
    v.writeGame(v.unfinished(), 22);
    mGen::SetUnFinFlag(v.ctx, 1);
    v.box.expect(MsgResult::Yes, kQuestion);
    v.box.expect(MsgResult::Ok);
    v.window->StartFirstGame(damaged);
    EXPECT_EQ(v.gp().GameNo().value(), 22);
    EXPECT_EQ(v.gp().Game_Status(), cGamePlay::Playing);
}

TEST(MainWindowCards, WithoutARunningGamePressesDoNothingButADoubleClickReachesTheBoard)
{
    Window w;
    w.gp().StartGame(QStringLiteral("Freecell"), GameNumber::fromNumber(3), cGamePlay::Finished, 0, 0, 0);
    const int card = w.play().GetTopPicID(cGames::Tableau, 0);
    w.window->PicCD_MouseDown(card, 100, 100);
    EXPECT_FALSE(w.play().drag().gDragActive);
    w.window->PicCD_MouseUp(card);
    EXPECT_TRUE(w.sounds.played.isEmpty());
    w.window->PicCD_DblClick(card);
    EXPECT_TRUE(BoardIsConsistent(w.ctx, w.board));
}

TEST(MainWindowCards, APressResumesAPausedGameAndAReleaseAlwaysSounds)
{
    Window w;
    const QString wav = w.home.path() + QStringLiteral("/move.wav");
    QFile(wav).open(QIODevice::WriteOnly);
    w.ctx.sound().SetSound(QStringLiteral("Move"), wav);
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(5));
    w.gp().PauseGame(true);
    ASSERT_FALSE(w.window->tmrGame.enabled());
    const int card = w.play().GetTopPicID(cGames::Tableau, 1);
    w.window->PicCD_MouseDown(card, 300, 200);
    EXPECT_FALSE(w.gp().PauseStatus());
    EXPECT_FALSE(w.window->PauseMark());
    EXPECT_TRUE(w.window->tmrGame.enabled());
    ASSERT_TRUE(w.play().drag().gDragActive);
    EXPECT_EQ(w.play().drag().gPressX, 300);
    // Released where it was pressed: the card goes back, and the move sound plays anyway.
    w.window->PicCD_MouseUp(card);
    EXPECT_FALSE(w.play().drag().gDragActive);
    EXPECT_EQ(w.play().GetTopPicID(cGames::Tableau, 1), card);
    EXPECT_EQ(w.sounds.played.size(), 1);
    EXPECT_TRUE(BoardIsConsistent(w.ctx, w.board));
}

TEST(MainWindowTimers, ClockCaptionAndStockTicks)
{
    Window w;
    w.window->tmrTime_Timer();
    EXPECT_EQ(w.window->windowTitle(), QStringLiteral("Brackenfold 6.0"));
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(6));
    w.window->tmrGame_Timer();
    w.window->tmrGame_Timer();
    EXPECT_EQ(w.gp().Time(), 2);
    w.window->tmrTime_Timer();
    EXPECT_TRUE(w.window->windowTitle().startsWith(QStringLiteral("Brackenfold 6.0 [Freecell - 6] [")));
    EXPECT_TRUE(w.window->windowTitle().contains(QStringLiteral("Time:0:00:02")));
}

TEST(MainWindowTimers, AReplayRunsToItsEndAndStopsThere)
{
    Window w;
    const QString path = w.home.path() + QStringLiteral("/Won.qx1");
    w.writeGame(path, 8);
    w.gp().PlayFile(path, false);
    ASSERT_EQ(w.gp().Game_Status(), cGamePlay::Replaying);
    EXPECT_EQ(w.ctx.engine().GetTransID(), 0);
    w.window->tmrForward_Timer();
    EXPECT_TRUE(w.window->StopEnabled());
    EXPECT_EQ(w.ctx.engine().GetTransID(), 1);
    w.window->tmrForward_Timer();
    EXPECT_FALSE(w.window->tmrForward.enabled());
    EXPECT_FALSE(w.window->tmrBackward.enabled());
    EXPECT_FALSE(w.window->StopEnabled());
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Replaying);

    w.window->tmrBackward.setEnabled(true);
    w.window->tmrBackward_Timer();
    EXPECT_EQ(w.ctx.engine().GetTransID(), 0);
    EXPECT_FALSE(w.window->tmrForward.enabled());
    EXPECT_TRUE(BoardIsConsistent(w.ctx, w.board));
}

TEST(MainWindowClose, ClosingKeepsTheGameForTheNextStart)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(9));
    QCloseEvent close;
    QCoreApplication::sendEvent(w.window.get(), &close);
    EXPECT_TRUE(close.isAccepted());
    EXPECT_EQ(mGen::GetUnFinFlag(w.ctx), 1);
    EXPECT_TRUE(QFile::exists(w.unfinished()));
    // A second request (a signal after the close) changes nothing.
    QFile::remove(w.unfinished());
    w.window->ShutDown();
    EXPECT_FALSE(QFile::exists(w.unfinished()));
}

TEST(MainWindowMenu, DynamicItemsStopTheReplayThenActByTheirCode)
{
    Window w;
    kMenu &menu = w.ctx.menu();
    const std::int32_t parent = menu.ItemIndex(QStringLiteral("mFile(14)"));
    const std::int32_t played =
        menu.AddItem(QStringLiteral("Bouquet - 617"), QStringLiteral("R0"), QString(), 202, parent, -1);
    menu.setItemTag(QStringLiteral("R0"), QStringLiteral("Bouquet - 617"));
    const std::int32_t none =
        menu.AddItem(QStringLiteral("None"), QStringLiteral("R1"), QString(), 0, parent, -1, false, false);

    const QString path = w.home.path() + QStringLiteral("/Won.qx1");
    w.writeGame(path, 8);
    w.gp().PlayFile(path, false);
    ASSERT_TRUE(w.window->tmrForward.enabled());

    w.window->Menu1_ItemClick(none);
    EXPECT_FALSE(w.window->tmrForward.enabled());
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Replaying);

    w.window->Menu1_ItemClick(played);
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(w.gp().GameName(), QStringLiteral("Bouquet"));
    EXPECT_EQ(w.gp().GameNo().value(), 617);
}

TEST(MainWindowWin, AWinIsAnnouncedAfterTheMoveAndTheChosenNextGameStartsThen)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(14));
    const std::int64_t first = w.gp().GameNo().value();
    // Every card home from the tableau tops; the last move wins.
    for (bool moved = true; moved;) {
        moved = false;
        for (int pile = 0; pile < 8; ++pile) {
            if (w.play().GetTop(cGames::Tableau, pile) < 0)
                continue;
            const int card = w.play().GetTopPicID(cGames::Tableau, pile);
            const int home = w.play().Suit(card);
            std::int32_t kind = cEngine::KindPlain;
            w.play().MoveCard(card, cGames::Foundation, home, w.play().GetTop(cGames::Foundation, home) + 1, kind, 0, 0,
                              true);
            moved = true;
        }
    }
    ASSERT_TRUE(w.gp().Won());
    // Nothing is announced inside the move; the dialog opens once the event loop turns.
    EXPECT_EQ(frmFinish::openDialog(), nullptr);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        if (frmFinish *dialog = frmFinish::openDialog()) {
            seen = true;
            dialog->Toolbar1_ButtonClick(QStringLiteral("New"));
        }
    });
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_TRUE(seen);
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_FALSE(w.gp().Won());
    EXPECT_EQ(w.gp().GameName(), QStringLiteral("Freecell"));
    EXPECT_NE(w.gp().GameNo().value(), first);
    EXPECT_EQ(mGen::GetUnFinFlag(w.ctx), 0);
}
