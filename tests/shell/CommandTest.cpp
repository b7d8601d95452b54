// The menu bar, the toolbar and the one dispatcher behind them: the states the refresh
// computes for each session state, and what every command key does.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QMenuBar>
#include <QTimer>
#include <QToolBar>

#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "shell/cGamePlay.h"
#include "shell/frmMain.h"
#include "platform/kMenu.h"
#include "shell/mGen.h"
#include "shell/mMenu.h"
#include "store/cData.h"
#include "store/mOptions.h"
#include "store/mRegistry.h"
#include "support/BoardChecker.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"
#include "support/OnModal.h"

namespace {

struct Commands : WindowContext {
    bool enabled(const char *key) { return window->commandAction(QLatin1String(key))->isEnabled(); }
    bool checked(const char *key) { return window->commandAction(QLatin1String(key))->isChecked(); }
    void refresh() { window->tmrMain_Timer(); }

    void deal(std::int64_t number) { gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(number)); }
};

const char *const kGameItems[] = {"Restart", "Save",    "Pause",   "Close", "AddFav",    "AddPend",  "Undo",   "Redo",
                                  "UndoAll", "RedoAll", "Forward", "Back",  "ReplayAll", "MovesMan", "History"};

} // namespace

TEST(MenuBar, HasTheNineMenusWithTheirItemsKeysAndShortcuts)
{
    Commands c;
    const QList<QAction *> tops = c.window->menuBar()->actions();
    ASSERT_EQ(tops.size(), 9);
    EXPECT_EQ(tops[0]->text(), QStringLiteral("&File"));
    EXPECT_EQ(tops[8]->text(), QStringLiteral("&Help"));
    EXPECT_EQ(c.window->commandAction(QStringLiteral("New"))->shortcut(), QKeySequence(Qt::Key_F2));
    EXPECT_EQ(c.window->commandAction(QStringLiteral("Redo"))->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    EXPECT_EQ(c.window->commandAction(QStringLiteral("Forward"))->shortcut(), QKeySequence(QStringLiteral("Shift+F1")));
    EXPECT_EQ(c.window->commandAction(QStringLiteral("UndoAll"))->shortcutContext(), Qt::WindowShortcut);
    EXPECT_EQ(c.window->commandAction(QStringLiteral("Hot"))->text(), QStringLiteral("Hot Games "));
    // The Recent key names three submenus and is never a command.
    EXPECT_EQ(c.window->commandAction(QStringLiteral("Recent")), nullptr);
    EXPECT_TRUE(c.ctx.menu().HasItem(QStringLiteral("mFile(12)")));
    EXPECT_TRUE(c.ctx.menu().HasItem(QStringLiteral("mPendMain")));
    // One action serves the item and its button.
    EXPECT_TRUE(c.window->toolbar()->actions().contains(c.window->commandAction(QStringLiteral("Undo"))));
    EXPECT_EQ(mMenu::GetMenuImageIndex(QStringLiteral("FOLDER")), 1);
    EXPECT_EQ(mMenu::GetMenuImageIndex(QStringLiteral("Editor")), 37);
    EXPECT_EQ(mMenu::GetMenuImageIndex(QStringLiteral("Nope")), 0);
}

TEST(MenuBar, IconsComeFromTheImageListAndTheToolbarShowsTheChosenButtons)
{
    Commands c;
    c.window->InitMenuItems();
    EXPECT_EQ(c.ctx.menu().ImageList().size(), 37);
    EXPECT_FALSE(c.window->commandAction(QStringLiteral("Open"))->icon().isNull());
    EXPECT_EQ(c.ctx.menu().ItemIcon(QStringLiteral("mFile(7)")), mMenu::GetMenuImageIndex(QStringLiteral("Open")) - 1);

    const QList<QAction *> shown = c.window->toolbar()->actions();
    EXPECT_TRUE(shown.contains(c.window->commandAction(QStringLiteral("New"))));
    EXPECT_FALSE(shown.contains(c.window->commandAction(QStringLiteral("UndoAll"))));
    mRegistry::SetRegInteger(c.ctx, QStringLiteral("Toolbar"), QStringLiteral("UndoAll"), 1);
    mRegistry::SetRegInteger(c.ctx, QStringLiteral("Toolbar"), QStringLiteral("New"), 0);
    c.window->ApplyToolbar();
    const QList<QAction *> now = c.window->toolbar()->actions();
    EXPECT_TRUE(now.contains(c.window->commandAction(QStringLiteral("UndoAll"))));
    EXPECT_FALSE(now.contains(c.window->commandAction(QStringLiteral("New"))));
    // No shown separator stands first, last or beside another.
    QList<QAction *> visible = now;
    visible.removeIf([](QAction *a) { return !a->isVisible(); });
    ASSERT_FALSE(visible.isEmpty());
    EXPECT_FALSE(visible.front()->isSeparator());
    EXPECT_FALSE(visible.back()->isSeparator());
    for (int i = 1; i < visible.size(); ++i)
        EXPECT_FALSE(visible[i]->isSeparator() && visible[i - 1]->isSeparator());
}

TEST(MenuState, WithNoGameEveryGameItemIsDisabled)
{
    Commands c;
    c.refresh();
    for (const char *key : kGameItems)
        EXPECT_FALSE(c.enabled(key)) << key;
    EXPECT_TRUE(c.enabled("New"));
    EXPECT_TRUE(c.enabled("Open"));
    EXPECT_TRUE(c.enabled("AutoPlay"));
    EXPECT_FALSE(c.enabled("Stop"));
}

TEST(MenuState, WhilePlayingTheMovesDecideUndoAndRedo)
{
    Commands c;
    c.deal(21);
    c.refresh();
    EXPECT_TRUE(c.enabled("Restart"));
    EXPECT_TRUE(c.enabled("Save"));
    EXPECT_TRUE(c.enabled("Pause"));
    EXPECT_TRUE(c.enabled("Close"));
    EXPECT_FALSE(c.enabled("Undo"));
    EXPECT_FALSE(c.enabled("ReplayAll"));
    EXPECT_FALSE(c.enabled("MovesMan"));
    c.moveToFreeCell(2);
    c.refresh();
    EXPECT_TRUE(c.enabled("MovesMan"));
    EXPECT_TRUE(c.enabled("Undo"));
    EXPECT_TRUE(c.enabled("UndoAll"));
    EXPECT_TRUE(c.enabled("Back"));
    EXPECT_TRUE(c.enabled("ReplayAll"));
    EXPECT_FALSE(c.enabled("Redo"));
    c.window->DoCommand(QStringLiteral("Undo"));
    EXPECT_TRUE(c.enabled("Redo"));
    EXPECT_TRUE(c.enabled("Forward"));
    // A game on the table can be added to the favourites.
    EXPECT_TRUE(c.enabled("AddFav"));
    // The history needs only a move made.
    EXPECT_TRUE(c.enabled("History"));
    // The help stands: the rules of the game or, without one, the contents.
    EXPECT_TRUE(c.enabled("Rules"));
}

TEST(MenuState, AReplayDisablesPlayingItemsAndARunningReplayEveryMoveItem)
{
    Commands c;
    const QString path = c.home.path() + QStringLiteral("/Won.qx1");
    c.deal(4);
    c.moveToFreeCell(1);
    c.engine().SavetoFile(path);
    c.gp().PlayFile(path, false);
    c.window->StopReplay();
    c.refresh();
    EXPECT_FALSE(c.enabled("Restart"));
    EXPECT_FALSE(c.enabled("Save"));
    EXPECT_FALSE(c.enabled("Pause"));
    EXPECT_TRUE(c.enabled("Close"));
    EXPECT_TRUE(c.enabled("Redo"));
    EXPECT_TRUE(c.enabled("Forward"));

    c.window->DoCommand(QStringLiteral("Forward"));
    c.refresh();
    for (const char *key : {"Undo", "Redo", "UndoAll", "RedoAll", "Forward", "Back", "ReplayAll"})
        EXPECT_FALSE(c.enabled(key)) << key;
    c.window->tmrForward_Timer();
    c.refresh();
    EXPECT_TRUE(c.enabled("Stop"));
}

TEST(MenuState, ChecksFollowTheOptionsAndThePausedSession)
{
    Commands c;
    c.deal(5);
    mOptions::SetAutoPlay(c.ctx, 1);
    c.refresh();
    EXPECT_TRUE(c.checked("AutoPlay"));
    mOptions::SetAutoPlay(c.ctx, 0);
    c.refresh();
    EXPECT_FALSE(c.checked("AutoPlay"));

    c.window->DoCommand(QStringLiteral("Pause"));
    EXPECT_TRUE(c.checked("Pause"));
    // A new game unpauses; the mark follows at the next refresh.
    c.window->DoCommand(QStringLiteral("New"));
    c.refresh();
    EXPECT_FALSE(c.checked("Pause"));
    EXPECT_FALSE(c.gp().PauseStatus());

    c.window->DoCommand(QStringLiteral("ViewTool"));
    EXPECT_EQ(mOptions::GetShowToolbar(c.ctx), 0);
    EXPECT_FALSE(c.checked("ViewTool"));
    EXPECT_FALSE(c.window->toolbar()->isVisibleTo(c.window.get()));
    c.window->DoCommand(QStringLiteral("ViewTool"));
    EXPECT_TRUE(c.checked("ViewTool"));
}

TEST(Commands, NewSelectAndRestartDeal)
{
    Commands c;
    c.gp().PlayNumber(QStringLiteral("Bouquet"), GameNumber::fromNumber(3));
    c.window->DoCommand(QStringLiteral("New"));
    EXPECT_EQ(c.gp().GameName(), QStringLiteral("Bouquet"));
    EXPECT_EQ(c.gp().Game_Status(), cGamePlay::Playing);

    c.moveToFreeCell(0);
    const auto number = c.gp().GameNo();
    c.window->DoCommand(QStringLiteral("Restart"));
    EXPECT_EQ(c.gp().GameNo(), number);
    EXPECT_EQ(c.engine().GetTransTop(), 0);

    c.window->DoCommand(QStringLiteral("Select"));
    EXPECT_EQ(c.gp().GameName(), QStringLiteral("Freecell"));
    EXPECT_TRUE(BoardIsConsistent(c.ctx, c.board));
}

TEST(Commands, CloseEndsAGameOrClearsAReplayAndSounds)
{
    Commands c;
    const QString wav = c.setSoundFile(QStringLiteral("Close"));
    c.deal(6);
    c.window->DoCommand(QStringLiteral("Close"));
    EXPECT_EQ(c.gp().Game_Status(), cGamePlay::NoGame);
    EXPECT_FALSE(c.play().Dealt());
    EXPECT_EQ(c.sounds.played.count(wav), 1);

    const QString path = c.home.path() + QStringLiteral("/W.qx1");
    c.deal(6);
    c.engine().SavetoFile(path);
    c.gp().PlayFile(path, false);
    c.window->DoCommand(QStringLiteral("Close"));
    EXPECT_EQ(c.gp().Game_Status(), cGamePlay::NoGame);
    EXPECT_FALSE(c.window->tmrForward.enabled());
    EXPECT_EQ(c.sounds.played.count(wav), 2);
}

TEST(Commands, UndoRedoAndTheirAllFormsMoveTheRecord)
{
    Commands c;
    c.deal(7);
    c.moveToFreeCell(0);
    c.moveToFreeCell(1);
    c.window->DoCommand(QStringLiteral("Undo"));
    EXPECT_EQ(c.engine().GetTransID(), 1);
    c.window->DoCommand(QStringLiteral("Redo"));
    EXPECT_EQ(c.engine().GetTransID(), 2);
    c.window->DoCommand(QStringLiteral("UndoAll"));
    EXPECT_EQ(c.engine().GetTransID(), 0);
    c.window->DoCommand(QStringLiteral("RedoAll"));
    EXPECT_EQ(c.engine().GetTransID(), 2);
    EXPECT_TRUE(BoardIsConsistent(c.ctx, c.board));
}

TEST(Commands, ReplayKeysDriveTheTimersAndEveryCommandStopsTheReplayFirst)
{
    Commands c;
    c.deal(8);
    c.moveToFreeCell(0);
    c.window->DoCommand(QStringLiteral("Back"));
    EXPECT_TRUE(c.window->tmrBackward.enabled());
    c.window->DoCommand(QStringLiteral("Forward"));
    EXPECT_FALSE(c.window->tmrBackward.enabled());
    EXPECT_TRUE(c.window->tmrForward.enabled());
    c.window->DoCommand(QStringLiteral("Stop"));
    EXPECT_FALSE(c.window->tmrForward.enabled());

    c.window->DoCommand(QStringLiteral("ReplayAll"));
    EXPECT_EQ(c.engine().GetTransID(), 0);
    EXPECT_TRUE(c.window->tmrForward.enabled());
    c.window->DoCommand(QStringLiteral("NoSuchKey"));
    EXPECT_FALSE(c.window->tmrForward.enabled());
    EXPECT_EQ(c.gp().Game_Status(), cGamePlay::Playing);
}

TEST(Commands, AutoPlayTogglesAndPlaysAtOnceWhenTurnedOn)
{
    Commands c;
    // A deal whose Aces can go home at once when automatic moves are turned on.
    bool found = false;
    for (std::int64_t n = 1; n <= 200 && !found; ++n) {
        c.deal(n);
        for (int pile = 0; pile < 8 && !found; ++pile)
            found = c.play().FoundationFor(c.play().GetTopPicID(cGames::Tableau, pile)) >= 0;
    }
    ASSERT_TRUE(found);
    c.window->DoCommand(QStringLiteral("AutoPlay"));
    EXPECT_EQ(mOptions::GetAutoPlay(c.ctx), 1);
    EXPECT_GT(c.engine().TotalGoalCards(), 0);
    c.window->DoCommand(QStringLiteral("AutoPlay"));
    EXPECT_EQ(mOptions::GetAutoPlay(c.ctx), 0);
}

TEST(Commands, ACommandEndsADragAndHighScoresAndPlayersOpenTheirWindows)
{
    Commands c;
    c.deal(9);
    const int card = c.play().GetTopPicID(cGames::Tableau, 3);
    c.window->PicCD_MouseDown(card, 200, 200);
    ASSERT_TRUE(c.play().drag().gDragActive);
    QStringList opened;
    opened << titleOfModalRejected([&] { c.window->DoCommand(QStringLiteral("HighScore")); });
    EXPECT_FALSE(c.play().drag().gDragActive);
    EXPECT_EQ(c.play().GetTopPicID(cGames::Tableau, 3), card);
    EXPECT_TRUE(BoardIsConsistent(c.ctx, c.board));
    opened << titleOfModalRejected([&] { c.window->DoCommand(QStringLiteral("Players")); });
    EXPECT_EQ(opened, QStringList({"High Score", "Players"}));
    c.refresh();
    for (const char *key : {"HighScore", "Players"})
        EXPECT_TRUE(c.enabled(key)) << key;
}

TEST(Commands, AboutOpensModallyAndExitClosesTheWindowKeepingTheGame)
{
    Commands c;
    QString opened;
    QWidget *owner = nullptr;
    const OnModal<QDialog> accept([&](QDialog &dialog) {
        opened = dialog.windowTitle();
        owner = dialog.parentWidget();
        dialog.accept();
    });
    c.window->DoCommand(QStringLiteral("About"));
    EXPECT_EQ(opened, QStringLiteral("About..."));
    // Owned by the board window, so a window manager keeps it above the board.
    EXPECT_EQ(owner, c.window.get());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

    c.window->show();
    c.deal(10);
    c.window->DoCommand(QStringLiteral("Exit"));
    QCoreApplication::processEvents();
    EXPECT_FALSE(c.window->isVisible());
    EXPECT_EQ(mGen::GetUnFinFlag(c.ctx), 1);
}
