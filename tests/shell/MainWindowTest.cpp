// The board window: the choice of the first game at start-up, the card handlers as the
// session allows them, the timers' ticks and the close that keeps the game.
#include <gtest/gtest.h>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTemporaryFile>
#include <QTimer>
#include <QToolBar>
#include <csignal>
#include <cstdio>
#include <unistd.h>

#include "app/mGen1.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "shell/cGamePlay.h"
#include "shell/frmFinish.h"
#include "shell/frmMain.h"
#include "platform/TerminationSignals.h"
#include "platform/kMenu.h"
#include "shell/mGen.h"
#include "shell/m_Main.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "store/cData.h"
#include "store/frmOptions.h"
#include "store/cRegistry.h"
#include "store/mRegistry.h"
#include "support/BoardChecker.h"
#include "support/QtPrint.h"
#include "support/FileBytes.h"
#include "support/WindowContext.h"
#include "support/RefusingWriter.h"

namespace {

struct Window : WindowContext {
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
    // An unfinished game of Freecell with its flag set, as a closed session leaves it.
    void leaveUnfinished(std::int64_t number)
    {
        writeGame(unfinished(), number);
        mGen::SetUnFinFlag(ctx, 1);
    }
    // A saved game in the home beside an unfinished game; gives the saved game's path.
    QString savedBesideUnfinished(const QString &name, std::int64_t saved, std::int64_t unfinishedNumber)
    {
        const QString path = home.path() + "/" + name;
        writeGame(path, saved);
        leaveUnfinished(unfinishedNumber);
        return path;
    }
};

// Takes over the process's stderr while it lives; text() gives what was written to it.
class CapturedStderr {
public:
    CapturedStderr()
    {
        file_.open();
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        ::dup2(file_.handle(), STDERR_FILENO);
    }
    ~CapturedStderr() { restore(); }
    CapturedStderr(const CapturedStderr &) = delete;
    CapturedStderr &operator=(const CapturedStderr &) = delete;
    QString text()
    {
        restore();
        return QString::fromLocal8Bit(bytesOf(file_.fileName()));
    }

private:
    void restore()
    {
        if (saved_ < 0)
            return;
        std::fflush(stderr);
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        saved_ = -1;
    }
    QTemporaryFile file_;
    int saved_ = -1;
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

TEST(MainWindowStart, TheFirstLoadCreatesPlayer1RunsEveryStepAndSelectsAGame)
{
    Window w;
    w.window->Form_Load(QString());
    EXPECT_EQ(mCustomize::GetPlayer(w.ctx, 1), QStringLiteral("Player1"));
    EXPECT_EQ(mCustomize::GetCurPlayer(w.ctx), QStringLiteral("Player1"));
    EXPECT_FALSE(w.ctx.data().SesStartTime().isEmpty());
    EXPECT_FALSE(w.window->toolbar()->actions().isEmpty());
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Playing);
}

TEST(MainWindowStart, EachStartUpStepFailsAloneAndAStoredPlayerStays)
{
    // The menu icons fail; the toolbar after them is still set up.
    struct FailingIcons : NullMainWindow {
        void InitMenuItems() override { raiseError(err::FileNotFound); }
        void ApplyToolbar() override { ++toolbars; }
        int toolbars = 0;
    } window;
    GameContext g;
    g.ctx.setMainWindow(&window);
    mCustomize::SetPlayer(g.ctx, 1, QStringLiteral("Ann"), true);
    m_Main::InitSession(g.ctx);
    EXPECT_EQ(window.toolbars, 1);
    EXPECT_EQ(mCustomize::GetPlayer(g.ctx, 1), QStringLiteral("Ann"));
    EXPECT_EQ(mCustomize::GetCurPlayer(g.ctx), QStringLiteral("Ann"));
    g.ctx.setMainWindow(nullptr);
}

TEST(MainWindowStart, TheUnfinishedGameIsResumedWithItsMoves)
{
    Window w;
    w.leaveUnfinished(4242);
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
    const QString path = w.savedBesideUnfinished(QStringLiteral("My Game.qx0"), 11, 22);
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
    const QString path = w.savedBesideUnfinished(QStringLiteral("Other.qx0"), 11, 22);
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
    v.leaveUnfinished(22);
    v.box.expect(MsgResult::Yes, kQuestion);
    v.box.expect(MsgResult::Ok);
    v.window->StartFirstGame(damaged);
    EXPECT_EQ(v.gp().GameNo().value(), 22);
    EXPECT_EQ(v.gp().Game_Status(), cGamePlay::Playing);
}

TEST(MainWindowStart, AGameHandedOverByALaterStartOpensOnceTheFirstGameStandsAndThenAsOpenDoes)
{
    Window w;
    const QString first = w.home.path() + QStringLiteral("/Handed.qx0");
    const QString second = w.home.path() + QStringLiteral("/Later.qx0");
    w.writeGame(first, 44);
    w.writeGame(second, 55);
    // Handed over while the program still starts: it waits for the first game.
    w.window->OpenHandedOver(first);
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::NoGame);
    w.window->Form_Load(QString());
    EXPECT_EQ(w.gp().GameNo().value(), 44);
    EXPECT_EQ(w.gp().Game_Status(), cGamePlay::Playing);
    // During a game the next one replaces it; a start without a file only raises the window.
    w.window->OpenHandedOver(second);
    EXPECT_EQ(w.gp().GameNo().value(), 55);
    EXPECT_EQ(mGen1::GetSaveInitDir(w.ctx), w.home.path());
    w.window->OpenHandedOver(QString());
    EXPECT_EQ(w.gp().GameNo().value(), 55);
    EXPECT_TRUE(w.box.prompts().isEmpty());
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
    const QString wav = w.setSoundFile(QStringLiteral("Move"));
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

TEST(MainWindowCards, APressThatIsNotRefusedGivesTheKeyboardToTheToolbar)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(5));
    w.window->boardView().setFocus();
    const int card = w.play().GetPicID(cGames::Tableau, 1, w.play().GetTop(cGames::Tableau, 1) - 1);
    // A face-down card under the top is refused: the keyboard stays where it was.
    w.play().ChangeFaceMode(card, false);
    w.window->PicCD_MouseDown(card, 300, 200);
    w.window->PicCD_MouseUp(card);
    EXPECT_EQ(w.window->focusWidget(), &w.window->boardView());
    // A press that lifts nothing but was not refused (a broken run) hands it over.
    w.play().ChangeFaceMode(card, true);
    w.window->PicCD_MouseDown(card, 300, 200);
    w.window->PicCD_MouseUp(card);
    EXPECT_EQ(w.window->focusWidget(), w.window->toolbar());
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

TEST(MainWindowClose, ACloseDuringUndoAllEndsItAtOnceAndKeepsEveryMove)
{
    Window w;
    mCustomize::SetUndoallSpeed(w.ctx, 10);
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(9));
    w.moveToFreeCell(2);
    // Sixty more moves: a card between two free cells.
    const int card = w.play().GetTopPicID(cGames::FreeCell, 0);
    for (int i = 0; i < 60; ++i) {
        std::int32_t kind = cEngine::KindPlain;
        w.play().MoveCard(card, cGames::FreeCell, (i + 1) % 2, 0, kind, 0, 0, true);
    }
    ASSERT_EQ(w.engine().GetTransTop(), 61);
    const int steps = w.board.animationStepCount();
    // The close arrives while the first card goes back.
    bool accepted = true;
    QTimer::singleShot(0, w.window.get(), [&] {
        QCloseEvent close;
        QCoreApplication::sendEvent(w.window.get(), &close);
        accepted = close.isAccepted();
    });
    w.window->DoCommand(QStringLiteral("UndoAll"));
    EXPECT_FALSE(accepted);
    // That card was seen going; every other move of the Undo All went at once.
    EXPECT_EQ(w.board.animationStepCount() - steps, 10);
    // The close follows, keeping the game with all its moves done.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.window->isShutDown(); }, 60000));
    EXPECT_EQ(w.engine().GetTransID(), 61);
    EXPECT_EQ(mGen::GetUnFinFlag(w.ctx), 1);
    w.engine().LoadFile(w.unfinished());
    EXPECT_EQ(w.engine().GetTransTop(), 61);
}

TEST(MainWindowClose, InputThatReachesTheWindowDuringUndoAllDoesNothing)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(9));
    w.moveToFreeCell(2);
    w.moveToFreeCell(3);
    const int top = w.engine().GetTransTop();
    // Let in between the moves of the walk, so that a close is seen at once.
    QTimer::singleShot(0, w.window.get(), [&] {
        w.window->DoCommand(QStringLiteral("Redo"));
        w.window->PicCD_DblClick(w.play().GetTopPicID(cGames::Tableau, 5));
        w.window->PicCD_MouseDown(w.play().GetTopPicID(cGames::Tableau, 6), 0, 0);
    });
    w.window->DoCommand(QStringLiteral("UndoAll"));
    EXPECT_EQ(w.engine().GetTransID(), 0);
    EXPECT_EQ(w.engine().GetTransTop(), top);
    EXPECT_FALSE(w.play().drag().gDragActive);
}

TEST(MainWindowClose, ACloseOnRequestCancelsAnOpenDialogAndKeepsTheGame)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(9));
    QString seen;
    QTimer::singleShot(50, w.window.get(), [&] {
        if (QWidget *modal = QApplication::activeModalWidget())
            seen = QString::fromLatin1(modal->metaObject()->className());
        w.window->CloseOnRequest();
    });
    // Returns only once the dialog is gone: nobody answers it.
    w.window->DoCommand(QStringLiteral("Options"));
    EXPECT_EQ(seen, QStringLiteral("frmOptions"));
    QTRY_COMPARE_WITH_TIMEOUT(mGen::GetUnFinFlag(w.ctx), 1, 60000);
    EXPECT_TRUE(QFile::exists(w.unfinished()));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST(MainWindowClose, AfterASignalAShutdownErrorGoesToTheLogAndTheCloseGoesOn)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(9));
    w.window->show();
    RefusingWriter refusing;
    w.ctx.registry().settingsFile().setWriter(&refusing);
    const TerminationSignals termination([&] { w.window->CloseOnRequest(); });
    CapturedStderr log;
    // No box is scripted: one shown would fail the test, and nobody would answer it.
    ASSERT_EQ(::raise(SIGTERM), 0);
    QTRY_VERIFY_WITH_TIMEOUT(!w.window->isVisible(), 60000);
    const QString logged = log.text();
    EXPECT_TRUE(w.box.prompts().isEmpty());
    EXPECT_TRUE(logged.contains(QDir::toNativeSeparators(w.ctx.registry().settingsFile().path())))
        << logged.toStdString();
}

TEST(MainWindowMenu, DynamicItemsStopTheReplayThenActByTheirCode)
{
    Window w;
    const QString path = w.home.path() + QStringLiteral("/Won.qx1");
    w.writeGame(path, 8);
    w.gp().PlayFile(path, false);
    ASSERT_TRUE(w.window->tmrForward.enabled());

    // Added after the game starts, which rebuilds the recent submenus.
    kMenu &menu = w.ctx.menu();
    const std::int32_t parent = menu.ItemIndex(QStringLiteral("mFile(14)"));
    const std::int32_t played =
        menu.AddItem(QStringLiteral("Bouquet - 617"), QStringLiteral("R0"), QString(), 202, parent, -1);
    menu.setItemTag(QStringLiteral("R0"), QStringLiteral("Bouquet - 617"));
    const std::int32_t none =
        menu.AddItem(QStringLiteral("None"), QStringLiteral("R1"), QString(), 0, parent, -1, false, false);

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
    w.takeAllHome();
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

TEST(MainWindowWin, ACommandOrACloseBeforeTheAnnouncementRecordsTheWinFirst)
{
    // A command that comes before the queued announcement shows the win instead.
    {
        Window w;
        w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(15));
        w.takeAllHome();
        ASSERT_TRUE(w.gp().Won());
        bool seen = false;
        QTimer::singleShot(0, [&] {
            if (frmFinish *dialog = frmFinish::openDialog()) {
                seen = true;
                dialog->Toolbar1_ButtonClick(QStringLiteral("Close"));
            }
        });
        w.window->DoCommand(QStringLiteral("Close"));
        EXPECT_TRUE(seen);
        EXPECT_EQ(w.gp().Game_Status(), cGamePlay::NoGame);
        const QStringList saved = QDir(w.ctx.data().AutoSaveFolder()).entryList(QDir::Files);
        EXPECT_EQ(saved, QStringList{QStringLiteral("Freecell-15.qx1")});
        // The queued announcement finds nothing left to announce.
        QCoreApplication::processEvents();
        EXPECT_EQ(frmFinish::openDialog(), nullptr);
    }
    // Closing the program records it without showing the dialog, and keeps no game.
    {
        Window w;
        w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(16));
        w.takeAllHome();
        QCloseEvent close;
        QCoreApplication::sendEvent(w.window.get(), &close);
        EXPECT_TRUE(close.isAccepted());
        EXPECT_EQ(QDir(w.ctx.data().AutoSaveFolder()).entryList(QDir::Files),
                  QStringList{QStringLiteral("Freecell-16.qx1")});
        EXPECT_EQ(mGen::GetUnFinFlag(w.ctx), 0);
        EXPECT_FALSE(QFile::exists(w.ctx.data().UnFinFile()));
    }
}

TEST(MainWindowTimers, ATickThatKeepsFailingReportsOnce)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(17));
    mRegistry::SetRegString(w.ctx, QStringLiteral("Options"), QStringLiteral("ShowTime"), QStringLiteral("abc"));
    // A text where a number belongs is read as unset, named once, never a raw error.
    w.box.expect(MsgResult::Ok, QStringLiteral("\"Options\\ShowTime\""));
    w.window->tmrTime_Timer();
    w.window->tmrTime_Timer();
    w.window->tmrTime_Timer();
    EXPECT_EQ(w.box.prompts().size(), 1);
    EXPECT_EQ(w.box.last().icon, MsgIcon::Exclamation);
    EXPECT_TRUE(w.window->caption().contains(QStringLiteral("Time:"))) << w.window->caption().toStdString();
}

TEST(MainWindowTimers, ProgressIsKeptRightAfterEachDropBeforeTheNextDragAndNeverDuringOne)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(19));
    // A real drag onto free cell 0 through the window's handlers.
    const int card = w.play().GetTopPicID(cGames::Tableau, 0);
    const PicRef pic{PicArray::Card, card};
    const cGames &g = w.ctx.games();
    w.window->PicCD_MouseDown(card, 300, 200);
    w.window->PicCD_MouseMove(card, 300 + g.GetCordX(cGames::FreeCell, 0, 0) - w.board.left(pic),
                              200 + g.GetCordY(cGames::FreeCell, 0, 0) - w.board.top(pic));
    w.window->PicCD_MouseUp(card);
    ASSERT_EQ(w.play().Cell(card), cGames::FreeCell);
    // The next drag starts at once: the drop is already on disk.
    const int next = w.play().GetTopPicID(cGames::Tableau, 1);
    w.window->PicCD_MouseDown(next, 300, 200);
    ASSERT_TRUE(w.play().drag().gDragActive);
    const QByteArray first = bytesOf(w.unfinished());
    const QByteArray moveLine = QStringLiteral(" %1  0  0 ").arg(card).toLatin1();
    EXPECT_TRUE(first.contains(moveLine)) << first.toStdString();
    // Nothing is written in the middle of the drag; its end is kept when it changes the game.
    QTest::qWait(150);
    EXPECT_EQ(bytesOf(w.unfinished()), first);
    w.window->PicCD_MouseUp(next);
    w.window->PicCD_DblClick(w.play().GetTopPicID(cGames::Tableau, 2));
    EXPECT_GE(w.ctx.engine().GetTransID(), 2);
    EXPECT_NE(bytesOf(w.unfinished()), first);
}

TEST(MainWindowTimers, NoProgressIsKeptWhileAReplayRuns)
{
    Window w;
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(18));
    w.moveToFreeCell(1);
    ASSERT_TRUE(w.gp().SaveProgress());
    const QByteArray kept = bytesOf(w.unfinished());
    w.window->DoCommand(QStringLiteral("ReplayAll"));
    ASSERT_TRUE(w.window->tmrForward.enabled());
    EXPECT_EQ(w.ctx.engine().GetTransID(), 0);
    EXPECT_EQ(bytesOf(w.unfinished()), kept);
}

TEST(MainWindowTimers, NothingPollsAnIdleBoardYetCaptionAndCommandsFollowEachTurnOfTheLoop)
{
    // A turn of the event loop that waits, as the program's own loop does when idle.
    const auto turnLoop = [] {
        QEventLoop loop;
        QTimer::singleShot(5, &loop, &QEventLoop::quit);
        loop.exec();
    };
    Window w;
    QAction *restart = w.window->commandAction(QStringLiteral("Restart"));
    w.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(6));
    // Only the game clock runs on a dealt board; the wallpaper timer without an interval does not.
    EXPECT_TRUE(w.window->tmrGame.active());
    EXPECT_FALSE(w.window->tmrWallPaper.active());
    turnLoop();
    EXPECT_TRUE(restart->isEnabled());
    EXPECT_TRUE(w.window->windowTitle().startsWith(QStringLiteral("Brackenfold 6.0 [Freecell - 6] [")));

    w.gp().PauseGame(true);
    EXPECT_FALSE(w.window->tmrGame.active());
    w.gp().ClearArea();
    EXPECT_FALSE(w.window->tmrGame.active());
    turnLoop();
    EXPECT_FALSE(restart->isEnabled());
    EXPECT_EQ(w.window->windowTitle(), QStringLiteral("Brackenfold 6.0"));
}
