// The data folders of the game library may hold anything: every listing (favourites menu,
// pending list, auto-save browser, saved games, studio games and the selection's
// categories) offers only regular files and links to them, and opens no FIFO or device.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "core/FolderList.h"
#include "core/TextFile.h"
#include "engine/cCustom.h"
#include "engine/mStudio.h"
#include "library/AutoSaveRows.h"
#include "library/mAutoSave.h"
#include "library/mFavorites.h"
#include "library/mPending.h"
#include "library/mSelect.h"
#include "platform/kMenu.h"
#include "shell/mMenu.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "support/Errors.h"
#include "support/Fifo.h"
#include "support/FileBytes.h"
#include "support/WindowContext.h"

namespace {

struct Folders : WindowContext {
    Folders() { mMenu::InitMenuItems(ctx); }
    // A saved game of "Freecell" without moves.
    QString game(const QString &path)
    {
        mStudio::LoadBuiltInGame(ctx, "Freecell");
        const GameDefinition d = ctx.custom().Definition();
        QStringList lines = {"Freecell"};
        for (std::int64_t v : {7, 60, 0, 0, 0})
            lines << TextFile::printed(v);
        for (std::int16_t v : {d.GOrder, d.GBase, d.GCards, d.HOrder, d.HSpace, d.HPiles, d.HAK, d.HMulti, d.RPiles,
                               d.RCards, d.MOrder, d.Suits})
            lines << TextFile::printed(v);
        writeBytes(path, TextFile::joinLines(lines));
        return path;
    }
    // Entry keys of a selection category, the root left out.
    QStringList keys(const QString &category)
    {
        QStringList out;
        const mSelect::SelectTree tree = mSelect::FillCategory(ctx, category);
        for (qsizetype i = 1; i < tree.nodes.size(); ++i)
            out << tree.nodes[i].key;
        return out;
    }
};

} // namespace

TEST(UserFolders, EveryListingLeavesOutFifosAndDevicesAndTakesLinksToFiles)
{
    Folders t;
    const cData &data = t.ctx.data();
    const QString fav = data.FavFolder(), pend = data.PendingFolder(), autoSave = data.AutoSaveFolder(),
                  saved = data.SavedFolder(), studio = data.GamesFolder();
    QDir(fav).mkdir("Group");
    // One of them where a favourites folder could be.
    const QStringList fifos = {fav + "/Freecell - 1", fav + "/Group/Freecell - 2", fav + "/Pipe Folder",
                               pend + "/Pipe.qx0",    autoSave + "/Pipe.qx0",      autoSave + "/Pipe.qx1",
                               saved + "/Pipe.qx1",   studio + "/Pipe.gam"};
    for (const QString &fifo : fifos)
        makeFifo(fifo);
    for (const QString &folder : {pend, autoSave, saved})
        QFile::link("/dev/zero", folder + "/Zero.qx0");

    // One real entry of each kind; the pending game is a link to a file kept elsewhere.
    const QString favourite = fav + "/Freecell - 3";
    writeBytes(favourite,
               mFavorites::FavRecord("Freecell", GameNumber::fromNumber(3), "Ann", {{2026, 1, 2}, {3, 4, 5}}));
    const QString pendLink = pend + "/Kept.qx0";
    QFile::link(t.game(t.home.path() + "/kept.qx0"), pendLink);
    const QString inc = t.game(autoSave + "/Freecell-7.qx0");
    const QString savedGame = t.game(saved + "/Freecell-7.qx1");

    EXPECT_TRUE(runsWithoutOpening(fifos, [&] {
        mFavorites::BuildFavMenu(t.ctx);
        EXPECT_EQ(mFavorites::GetFavFolders(t.ctx), QStringList({"1", fav + "/Group"}));
        EXPECT_EQ(mFavorites::GetFavFiles(t.ctx, fav), QStringList({"1", favourite}));
        EXPECT_TRUE(t.ctx.menu().HasItem(favourite));

        EXPECT_EQ(mPending::GetPendingFiles(t.ctx), QStringList({"1", pendLink}));
        mPending::BuildPendMenu(t.ctx);
        EXPECT_EQ(t.ctx.menu().ItemCaption(pendLink), "Kept (0% Completed)");
        const QList<mPending::PendingRow> pendRows = mPending::PendingRows(t.ctx);
        ASSERT_EQ(pendRows.size(), 1);
        EXPECT_EQ(pendRows[0].time, "0:01:00");

        EXPECT_EQ(mAutoSave::GetAutoSaveFiles(t.ctx, false), QStringList({"1", inc}));
        EXPECT_EQ(mAutoSave::GetAutoSaveFiles(t.ctx, true), QStringList({"0"}));
        EXPECT_EQ(AutoSaveRows::List(t.ctx, false).size(), 1);
        EXPECT_TRUE(AutoSaveRows::List(t.ctx, true).isEmpty());
        EXPECT_EQ(mFile::GetSavedGames(t.ctx), QStringList({"1", savedGame}));
        EXPECT_EQ(t.ctx.custom().GetStudioGames().value(0), "0");

        EXPECT_EQ(t.keys("Fav"), QStringList({fav + "/Group", favourite}));
        EXPECT_EQ(t.keys("Pend"), QStringList({pendLink}));
        EXPECT_EQ(t.keys("Inc"), QStringList({inc}));
        EXPECT_TRUE(t.keys("Fin").isEmpty());
        EXPECT_EQ(t.keys("Save"), QStringList({savedGame}));
    }));
}

TEST(UserFolders, ASavedGameThatIsALinkToADeviceIsRefusedByName)
{
    Folders t;
    const QString zero = t.home.path() + "/Zero.qx0";
    QFile::link("/dev/zero", zero);
    QString text;
    EXPECT_EQ(errorOf([&] { mFile::ReadSavedGame(t.ctx, zero); }, &text), err::PathFileAccess);
    EXPECT_TRUE(text.contains(zero)) << text.toStdString();
    t.dialogs.expectOpen(zero);
    EXPECT_EQ(errorOf([&] { mFile::OpenGameDialog(t.ctx); }, &text), err::PathFileAccess);
    EXPECT_TRUE(text.contains(zero) && text.contains("not a regular file")) << text.toStdString();
}

TEST(UserFolders, ADanglingLinkWhereAFolderBelongsIsToldAsSuch)
{
    Folders t;
    // A link to a place that is gone, where the favourites folder belongs.
    const QString favorites = FolderList::join(t.ctx.data().AppDir(), "Favorites");
    QDir(favorites).removeRecursively();
    ASSERT_TRUE(QFile::link(t.home.path() + "/gone", favorites));
    QString text;
    EXPECT_EQ(errorOf([&] { t.ctx.data().FavFolder(); }, &text), err::PathNotFound);
    EXPECT_TRUE(text.contains(favorites) && text.contains("a place that does not exist")) << text.toStdString();
}
