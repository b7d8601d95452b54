// The win dialog: what it shows of the won game, how it records the win, its two
// remembered choices, its closing steps whatever closes it, and the next game it leaves
// to its caller.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/FolderList.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "app/Context.h"
#include "shell/cGamePlay.h"
#include "shell/frmFinish.h"
#include "shell/mGen.h"
#include "store/cData.h"
#include "store/mRegistry.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"
#include "support/OnModal.h"

namespace {

struct WinTable : GameContext {
    // Deals the game and wins it.
    void win(const QString &name = QStringLiteral("Freecell"), std::int64_t number = 8)
    {
        gp().PlayNumber(name, GameNumber::fromNumber(number));
        takeAllHome();
        ASSERT_TRUE(gp().Won());
    }

    QString savedFolder() { return ctx.data().SavedFolder(); }
    QString autoSaveFolder() { return ctx.data().AutoSaveFolder(); }
    QStringList filesIn(const QString &folder, const QString &pattern)
    {
        return QDir(folder).entryList({pattern}, QDir::Files, QDir::Name);
    }
};

// Runs the dialog modally and lets the action act on it once it is open.
int runWith(frmFinish &dialog, const std::function<void(frmFinish &)> &action)
{
    bool acted = false;
    QTimer::singleShot(0, &dialog, [&] {
        frmFinish *open = frmFinish::openDialog();
        EXPECT_EQ(open, &dialog);
        acted = true;
        if (open)
            action(*open);
    });
    const int next = dialog.run();
    EXPECT_TRUE(acted);
    return next;
}

QStringList lines(const QListWidget *list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

void blockWith(const QString &path)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

} // namespace

// ---- What the dialog shows ----

TEST(WinDialog, ShowsTheGameThePlayerAndTheResultsOfTheWin)
{
    WinTable t;
    mCustomize::SetCurPlayer(t.ctx, QStringLiteral("Ann"));
    t.win();
    ASSERT_EQ(t.gp().Moves(), 52);
    t.gp().setTime(100);
    t.nullWindow.setGameClock(true);

    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Congrats"));
    EXPECT_EQ(dialog.Frame1->title(), QStringLiteral("Freecell"));
    EXPECT_FALSE(t.nullWindow.gameClock());
    // 10 x 52 - (100 / 3 + 52 / 2) = 460.67.
    EXPECT_EQ(lines(dialog.ListView1), (QStringList{QStringLiteral(" Game : 8"), QStringLiteral(" Player : Ann"),
                                                    QStringLiteral(" Time : 0:01:40"), QStringLiteral(" Moves : 52"),
                                                    QStringLiteral(" Score : 461")}));
    EXPECT_EQ(dialog.chartValues(), (QList<double>{461, 52, 100}));
    EXPECT_EQ(dialog.chartLabels(),
              (QStringList{QStringLiteral("Score"), QStringLiteral("Moves"), QStringLiteral("Time")}));
    EXPECT_EQ(dialog.chkSave->text(), QStringLiteral("Save this Game"));
    EXPECT_EQ(dialog.chkFav->text(), QStringLiteral("Add this Game to Favorites"));
    EXPECT_EQ(dialog.cmdBrowse->text(), QStringLiteral("Browse"));

    const QStringList keys = {QStringLiteral("New"),      QStringLiteral("Select"),    QStringLiteral("Restart"),
                              QStringLiteral("GameStat"), QStringLiteral("HighScore"), QStringLiteral("Close")};
    const QStringList captions = {QStringLiteral("New Game"),     QStringLiteral("Select Game"),
                                  QStringLiteral("Restart Game"), QStringLiteral("Statistics"),
                                  QStringLiteral("High Score"),   QStringLiteral("Close")};
    for (int i = 0; i < keys.size(); ++i) {
        QAction *button = dialog.toolButton(keys[i]);
        ASSERT_NE(button, nullptr) << keys[i].toStdString();
        EXPECT_EQ(button->text(), captions[i]);
        EXPECT_TRUE(button->isEnabled()) << keys[i].toStdString();
    }
    // The session still holds the won game until the dialog closes.
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
}

TEST(WinDialog, ANegativeScoreShowsInTheSummaryAndAsZeroInTheChart)
{
    WinTable t;
    t.win();
    // 520 - (5000 / 3 + 26) = -1172.67.
    t.gp().setTime(5000);
    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    EXPECT_EQ(dialog.ListView1->item(4)->text(), QStringLiteral(" Score : -1173"));
    EXPECT_EQ(dialog.ListView1->item(2)->text(), QStringLiteral(" Time : 1:23:20"));
    EXPECT_EQ(dialog.chartValues(), (QList<double>{0, 52, 5000}));
}

// ---- Recording the win ----

TEST(WinDialog, TheWinIsAutoSavedAsAFinishedGameAndNeverAsALoss)
{
    WinTable t;
    t.win();
    frmFinish dialog(t.ctx);
    const int next = runWith(dialog, [](frmFinish &d) { d.Toolbar1_ButtonClick(QStringLiteral("Restart")); });
    EXPECT_EQ(t.filesIn(t.autoSaveFolder(), QStringLiteral("*")), QStringList{QStringLiteral("Freecell-8.qx1")});
    // The next game ends the cleared table, not the won game: no incomplete save follows.
    frmFinish::StartNextGame(t.ctx, next);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(t.filesIn(t.autoSaveFolder(), QStringLiteral("*")), QStringList{QStringLiteral("Freecell-8.qx1")});
}

TEST(WinDialog, AFailingRecordingStepIsReportedAndTheOthersStillRun)
{
    WinTable t;
    t.win();
    frmFinish dialog(t.ctx);
    QStringList ran;
    const QList<frmFinish::RecordStep> defaults = frmFinish::DefaultRecordSteps();
    ASSERT_EQ(defaults.size(), 3);
    dialog.RecordSteps = {
        {defaults[0].failure,
         [&](Context &c) {
             ran << QStringLiteral("auto-save");
             defaults[0].run(c);
         }},
        {defaults[1].failure,
         [&](Context &) {
             ran << QStringLiteral("session");
             raiseError(err::PermissionDenied, QStringLiteral("The session list is locked."));
         }},
        {defaults[2].failure, [&](Context &) { ran << QStringLiteral("score"); }},
    };
    t.box.expect(MsgResult::Ok, QStringLiteral("The session list is locked."));
    dialog.Form_Load();
    EXPECT_EQ(ran, (QStringList{QStringLiteral("auto-save"), QStringLiteral("session"), QStringLiteral("score")}));
    EXPECT_TRUE(t.box.last().text.startsWith(defaults[1].failure));
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_EQ(t.filesIn(t.autoSaveFolder(), QStringLiteral("*.qx1")).size(), 1);
    EXPECT_EQ(t.box.prompts().size(), 1);

    // Shutdown while the dialog is open does not keep the won game to resume, nor end it
    // as a lost one.
    t.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(t.ctx), 0);
    EXPECT_TRUE(t.filesIn(t.autoSaveFolder(), QStringLiteral("*.qx0")).isEmpty());
}

TEST(WinDialog, AnAutoSaveFolderThatCannotBeMadeIsReportedAndTheDialogStillWorks)
{
    WinTable t;
    blockWith(FolderList::join(t.savedFolder(), QStringLiteral("AutoSave Files")));
    t.win();
    frmFinish::setSaveFile(t.ctx, 1);
    frmFinish dialog(t.ctx);
    t.box.expect(MsgResult::Ok, QStringLiteral("could not be auto-saved"));
    const int next = runWith(dialog, [](frmFinish &d) { d.Toolbar1_ButtonClick(QStringLiteral("Close")); });
    EXPECT_EQ(next, frmFinish::NextNone);
    // The game is still saved where the user asked, and the table cleared.
    EXPECT_TRUE(QFile::exists(FolderList::join(t.savedFolder(), QStringLiteral("Freecell-8.qx1"))));
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
}

TEST(WinDialog, AWonPendingListGameIsAutoSavedAsFinishedAndNotWrittenBack)
{
    WinTable t;
    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(8));
    const QString pending = FolderList::join(t.ctx.data().PendingFolder(), QStringLiteral("Freecell-8.qx0"));
    t.ctx.engine().SavetoFile(pending);
    t.gp().ClearArea();
    t.gp().PlayPendFile(pending);
    ASSERT_TRUE(t.gp().IsPending());
    // The crash checkpoint writes the file again while the game is played.
    ASSERT_TRUE(t.gp().SaveProgress());
    ASSERT_TRUE(QFile::exists(pending));
    t.takeAllHome();
    ASSERT_TRUE(t.gp().Won());

    frmFinish dialog(t.ctx);
    runWith(dialog, [](frmFinish &d) { d.Toolbar1_ButtonClick(QStringLiteral("Close")); });
    EXPECT_TRUE(t.filesIn(t.autoSaveFolder(), QStringLiteral("*.qx1")).contains(QStringLiteral("Freecell-8.qx1")));
    EXPECT_FALSE(QFile::exists(pending));
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
}

// ---- The closing steps ----

TEST(WinDialog, ClosingSavesTheGameThenAddsTheFavouriteThenClearsTheTable)
{
    WinTable t;
    // A studio game whose foundations start with a card each and take any card, so that
    // taking every tableau card home keeps the rules and the saved game opens again.
    writeBytes(t.ctx.data().GamesFolder() + "/Homeward.gam", "\"Homeward\"\r\n8,6,13,0,1,2,0\r\n10,0,4\r\n4,0\r\n");
    t.ctx.data().Refresh_NewGames();
    t.win(QStringLiteral("Homeward"));
    frmFinish::setSaveFile(t.ctx, 1);
    frmFinish::setAddtoFav(t.ctx, 1);
    const QString path = FolderList::join(t.savedFolder(), QStringLiteral("Homeward-8.qx1"));

    frmFinish dialog(t.ctx);
    int favourites = 0;
    dialog.SaveFavorite = [&](Context &c) {
        ++favourites;
        EXPECT_TRUE(QFile::exists(path));
        EXPECT_EQ(c.gamePlay().Game_Status(), cGamePlay::Playing);
    };
    const int next = runWith(dialog, [&](frmFinish &d) {
        EXPECT_EQ(d.txtSave->text(), path);
        d.Toolbar1_ButtonClick(QStringLiteral("Close"));
    });
    EXPECT_EQ(next, frmFinish::NextNone);
    EXPECT_EQ(favourites, 1);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
    EXPECT_FALSE(t.nullWindow.gameClock());
    // Name and number stay for a restart.
    EXPECT_EQ(t.gp().GameName(), QStringLiteral("Homeward"));
    EXPECT_EQ(t.gp().GameNo().value(), 8);

    // The saved file is the finished game: opening it replays it.
    t.gp().PlayFile(path, false);
    EXPECT_EQ(t.gp().Game_LoadingType(), cGamePlay::Finished);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 48);
}

TEST(WinDialog, AFailedSaveIsReportedAndTheFavouriteAndClearingStillRun)
{
    WinTable t;
    t.win();
    frmFinish::setSaveFile(t.ctx, 1);
    frmFinish::setAddtoFav(t.ctx, 1);
    const QString blocker = FolderList::join(t.home.path(), QStringLiteral("not-a-folder"));
    blockWith(blocker);

    frmFinish dialog(t.ctx);
    int favourites = 0;
    dialog.SaveFavorite = [&](Context &) { ++favourites; };
    dialog.Form_Load();
    dialog.txtSave->setText(FolderList::join(blocker, QStringLiteral("Won.qx1")));
    t.box.expect(MsgResult::Ok, QStringLiteral("The game could not be saved."));
    dialog.Toolbar1_ButtonClick(QStringLiteral("Close"));
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_EQ(favourites, 1);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
}

TEST(WinDialog, AnEmptiedPathSavesNothingButStillClearsTheTable)
{
    WinTable t;
    t.win();
    frmFinish::setSaveFile(t.ctx, 1);
    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    dialog.txtSave->setText(QStringLiteral("   "));
    dialog.Toolbar1_ButtonClick(QStringLiteral("Close"));
    EXPECT_TRUE(t.filesIn(t.savedFolder(), QStringLiteral("*.qx*")).isEmpty());
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
}

TEST(WinDialog, ATypedPathGetsTheFinishedExtensionUnlessItEndsInItInAnyCase)
{
    WinTable t;
    const QString dir = t.home.path();
    const QString saved = t.savedFolder();
    EXPECT_EQ(frmFinish::CompletePath(t.ctx, dir + QStringLiteral("/won")), dir + QStringLiteral("/won.qx1"));
    EXPECT_EQ(frmFinish::CompletePath(t.ctx, dir + QStringLiteral("/won.QX1")), dir + QStringLiteral("/won.QX1"));
    EXPECT_EQ(frmFinish::CompletePath(t.ctx, dir + QStringLiteral("/won.Qx1")), dir + QStringLiteral("/won.Qx1"));
    EXPECT_EQ(frmFinish::CompletePath(t.ctx, dir + QStringLiteral("/won.qx0")), dir + QStringLiteral("/won.qx0.qx1"));
    EXPECT_EQ(frmFinish::CompletePath(t.ctx, dir + QStringLiteral("/qx1")), dir + QStringLiteral("/qx1.qx1"));
    // A bare name goes into the saved-games folder.
    EXPECT_EQ(frmFinish::CompletePath(t.ctx, QStringLiteral("mine")), saved + QStringLiteral("/mine.qx1"));

    t.win();
    frmFinish::setSaveFile(t.ctx, 1);
    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    dialog.txtSave->setText(dir + QStringLiteral("/Best Game"));
    dialog.Toolbar1_ButtonClick(QStringLiteral("Close"));
    EXPECT_TRUE(QFile::exists(dir + QStringLiteral("/Best Game.qx1")));
    EXPECT_FALSE(QFile::exists(dir + QStringLiteral("/Best Game")));
}

TEST(WinDialog, AGameNameWithPathCharactersMakesASafeFileName)
{
    WinTable t;
    t.win();
    t.gp().setGameName(QStringLiteral("../Odd/Name\\X\x01"));
    EXPECT_EQ(frmFinish::SaveFileName(t.ctx), QStringLiteral(".._Odd_Name_X_-8.qx1"));
    EXPECT_EQ(frmFinish::SavePath(t.ctx), t.savedFolder() + QStringLiteral("/.._Odd_Name_X_-8.qx1"));
}

// ---- The remembered choices and the folder picker ----

TEST(WinDialog, ChoicesAreStoredAtOnceAndShownAtTheNextWin)
{
    WinTable t;
    t.win();
    {
        frmFinish dialog(t.ctx);
        dialog.Form_Load();
        EXPECT_FALSE(dialog.chkSave->isChecked());
        EXPECT_FALSE(dialog.chkFav->isChecked());
        EXPECT_FALSE(dialog.txtSave->isEnabled());
        EXPECT_FALSE(dialog.cmdBrowse->isEnabled());
        EXPECT_EQ(dialog.txtSave->text(), t.savedFolder() + QStringLiteral("/Freecell-8.qx1"));

        dialog.chkSave->click();
        EXPECT_EQ(frmFinish::SaveFile(t.ctx), 1);
        EXPECT_TRUE(dialog.txtSave->isEnabled());
        EXPECT_TRUE(dialog.cmdBrowse->isEnabled());
        dialog.chkFav->click();
        EXPECT_EQ(frmFinish::AddtoFav(t.ctx), 1);
        dialog.Toolbar1_ButtonClick(QStringLiteral("Close"));
    }
    EXPECT_TRUE(QFile::exists(t.savedFolder() + QStringLiteral("/Freecell-8.qx1")));

    t.win(QStringLiteral("Freecell"), 9);
    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    EXPECT_TRUE(dialog.chkSave->isChecked());
    EXPECT_TRUE(dialog.chkFav->isChecked());
    EXPECT_TRUE(dialog.txtSave->isEnabled());
    // Unticking is stored as well, and takes the path controls with it.
    dialog.chkSave->click();
    EXPECT_EQ(frmFinish::SaveFile(t.ctx), 0);
    EXPECT_FALSE(dialog.txtSave->isEnabled());
    EXPECT_FALSE(dialog.cmdBrowse->isEnabled());
    dialog.Toolbar1_ButtonClick(QStringLiteral("Close"));
    EXPECT_FALSE(QFile::exists(t.savedFolder() + QStringLiteral("/Freecell-9.qx1")));
}

TEST(WinDialog, BrowseTakesAnExistingFolderAndKeepsTheFileName)
{
    WinTable t;
    t.win();
    frmFinish::setSaveFile(t.ctx, 1);
    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    const QString original = dialog.txtSave->text();
    const QString other = t.home.path() + QStringLiteral("/Elsewhere");
    ASSERT_TRUE(QDir().mkpath(other));

    t.dialogs.expectFolder(QString());
    dialog.cmdBrowse_Click();
    EXPECT_EQ(t.dialogs.last().request.title, QStringLiteral("Save Folder"));
    EXPECT_EQ(t.dialogs.last().request.folder, t.savedFolder());
    EXPECT_EQ(dialog.txtSave->text(), original);

    t.dialogs.expectFolder(t.home.path() + QStringLiteral("/Gone"));
    dialog.cmdBrowse_Click();
    EXPECT_EQ(dialog.txtSave->text(), original);

    // A path the user typed is replaced by the folder with the game's own file name.
    dialog.txtSave->setText(QStringLiteral("typed"));
    t.dialogs.expectFolder(other);
    dialog.cmdBrowse_Click();
    EXPECT_EQ(dialog.txtSave->text(), other + QStringLiteral("/Freecell-8.qx1"));
    dialog.Toolbar1_ButtonClick(QStringLiteral("Close"));
    EXPECT_TRUE(QFile::exists(other + QStringLiteral("/Freecell-8.qx1")));
}

// ---- Leaving the dialog ----

TEST(WinDialog, ToolbarChoicesCloseTheDialogFirstAndLeaveTheNextGameToTheCaller)
{
    struct Case {
        const char *key;
        int next;
    };
    for (const Case c : {Case{"New", frmFinish::NextNew}, Case{"Select", frmFinish::NextSelect},
                         Case{"Restart", frmFinish::NextRestart}, Case{"Close", frmFinish::NextNone}}) {
        SCOPED_TRACE(c.key);
        WinTable t;
        t.nullWindow.selectScript = [] { return SelectChoice{"rPlay", "Freecell - 8", "Freecell"}; };
        t.win();
        QTimer::singleShot(0, [&] {
            frmFinish *open = frmFinish::openDialog();
            ASSERT_NE(open, nullptr);
            open->toolButton(QLatin1String(c.key))->trigger();
        });
        const int next = frmFinish::ShowWin(t.ctx);
        EXPECT_EQ(next, c.next);
        EXPECT_EQ(frmFinish::openDialog(), nullptr);
        // Nothing was started inside the dialog: the table is clear until the caller acts.
        EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
        frmFinish::StartNextGame(t.ctx, next);
        EXPECT_EQ(t.gp().Game_Status(), next == frmFinish::NextNone ? cGamePlay::NoGame : cGamePlay::Playing);
        if (next == frmFinish::NextRestart || next == frmFinish::NextSelect) {
            EXPECT_EQ(t.gp().GameNo().value(), 8);
        }
        EXPECT_EQ(t.nullWindow.selectDialogs(), next == frmFinish::NextSelect ? 1 : 0);
        if (next != frmFinish::NextNone) {
            EXPECT_EQ(t.gp().GameName(), QStringLiteral("Freecell"));
        }
    }
}

TEST(WinDialog, TheStatisticsButtonsLeaveTheDialogOpen)
{
    WinTable t;
    t.win();
    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    // The statistics window opens over the dialog; closing it returns here.
    bool opened = false;
    QTimer::singleShot(0, [&opened] {
        if (QWidget *open = QApplication::activeModalWidget()) {
            opened = open->windowTitle() == QStringLiteral("Game Statistics");
            open->close();
        }
    });
    dialog.Toolbar1_ButtonClick(QStringLiteral("GameStat"));
    EXPECT_TRUE(opened);
    EXPECT_EQ(titleOfModalRejected([&] { dialog.Toolbar1_ButtonClick(QStringLiteral("HighScore")); }),
              QStringLiteral("High Score"));
    EXPECT_FALSE(dialog.unloaded());
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
}

TEST(WinDialog, ClosingForShutdownRunsTheClosingStepsOnceAndStartsNothing)
{
    WinTable t;
    t.win();
    frmFinish::setSaveFile(t.ctx, 1);
    frmFinish::setAddtoFav(t.ctx, 1);
    frmFinish dialog(t.ctx);
    int favourites = 0;
    dialog.SaveFavorite = [&](Context &) { ++favourites; };
    const int next = runWith(dialog, [](frmFinish &d) {
        d.closeForShutdown();
        d.closeForShutdown();
    });
    EXPECT_EQ(next, frmFinish::NextNone);
    EXPECT_EQ(favourites, 1);
    EXPECT_TRUE(QFile::exists(t.savedFolder() + QStringLiteral("/Freecell-8.qx1")));
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
    // Shutdown goes on with an empty table: nothing is kept to resume.
    t.gp().Unload();
    EXPECT_EQ(mGen::GetUnFinFlag(t.ctx), 0);
}

TEST(WinDialog, TheWindowCloseBoxRunsTheClosingSteps)
{
    WinTable t;
    t.win();
    frmFinish::setAddtoFav(t.ctx, 1);
    frmFinish dialog(t.ctx);
    int favourites = 0;
    dialog.SaveFavorite = [&](Context &) { ++favourites; };
    const int next = runWith(dialog, [](frmFinish &d) { d.close(); });
    EXPECT_EQ(next, frmFinish::NextNone);
    EXPECT_EQ(favourites, 1);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
}

// ---- The win check ----

TEST(WinDialog, TheWinCheckAnswersOnceForAPlayedGameWithEveryCardHome)
{
    WinTable t;
    EXPECT_FALSE(mGen::CheckGameWon(t.ctx));
    t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(8));
    EXPECT_FALSE(mGen::CheckGameWon(t.ctx));
    EXPECT_EQ(t.nullWindow.wins(), 0);
    t.win();
    EXPECT_EQ(t.nullWindow.wins(), 1);
    // Once the session has marked the win, later checks (after an undo and redo, say)
    // do not announce it again.
    EXPECT_FALSE(mGen::CheckGameWon(t.ctx));
    t.gp().CheckGameWon();
    EXPECT_EQ(t.nullWindow.wins(), 1);
    t.gp().ClearArea();
    EXPECT_FALSE(mGen::CheckGameWon(t.ctx));
}

TEST(WinDialog, DamagedChoicesReadAsNoAndTheWinIsStillRecorded)
{
    WinTable t;
    mRegistry::SetRegString(t.ctx, QStringLiteral("Finish"), QStringLiteral("SaveFile"), QStringLiteral("abc"));
    mRegistry::SetRegString(t.ctx, QStringLiteral("Finish"), QStringLiteral("AddtoFav"), QStringLiteral("abc"));
    // Each is named once, then read as unset.
    t.box.expect(MsgResult::Ok, QStringLiteral("\"Finish\\AddtoFav\""));
    t.box.expect(MsgResult::Ok, QStringLiteral("\"Finish\\SaveFile\""));
    t.win();
    frmFinish dialog(t.ctx);
    runWith(dialog, [](frmFinish &d) { d.Toolbar1_ButtonClick(QStringLiteral("Close")); });
    EXPECT_FALSE(dialog.chkSave->isChecked());
    EXPECT_FALSE(dialog.chkFav->isChecked());
    EXPECT_EQ(t.filesIn(t.autoSaveFolder(), QStringLiteral("*")), QStringList{QStringLiteral("Freecell-8.qx1")});
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
}
