// The Add to Favorites and Organize Favorites windows on a temporary favourites folder,
// with scripted input and message boxes: names refused by any entry in the way, moves
// between folders that differ only in letter case, a linked folder deleted as a link,
// a new folder chosen wherever it is listed, and failures reported with the tree showing
// what is on disk.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "appearance/mCustomize.h"
#include "core/FolderList.h"
#include "library/frmAddtoFav.h"
#include "library/frmOrgFav.h"
#include "library/mFavorites.h"
#include "platform/kMenu.h"
#include "shell/MenuImages.h"
#include "shell/cGamePlay.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "support/Errors.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {

struct FavFolder : GameContext {
    FavFolder()
    {
        ctx.menu().AddStaticItem("mFavMain", "Favorites", true);
        ctx.menu().setImageList(MenuImages::ImageList());
        box.allowNotices(false);
    }
    QString root() { return ctx.data().FavFolder(); }
    QString at(const QString &relative) { return root() + "/" + relative; }
    void fav(const QString &relative)
    {
        writeBytes(at(relative),
                   mFavorites::FavRecord("Freecell", GameNumber::fromNumber(5), "Ann", {{2026, 3, 4}, {}}));
    }
    void folder(const QString &relative) { ASSERT_TRUE(QDir().mkpath(at(relative))); }
    bool exists(const QString &relative) { return QFileInfo::exists(at(relative)); }
};

QTreeWidgetItem *find(QTreeWidget *tree, const QString &path)
{
    for (QTreeWidgetItemIterator it(tree); *it; ++it) {
        if ((*it)->data(0, frmOrgFav::kKeyRole).toString() == path)
            return *it;
    }
    return nullptr;
}

void select(frmOrgFav &w, const QString &path)
{
    QTreeWidgetItem *item = find(w.tvFav, path);
    ASSERT_NE(item, nullptr) << path.toStdString();
    w.tvFav->setCurrentItem(item);
}

void target(frmOrgFav &w, const QString &path)
{
    w.icFav->setCurrentIndex(w.icFav->findData(path));
    ASSERT_EQ(w.GetTargetFolder(), path);
}

} // namespace

TEST(OrganizeFavorites, CreateRenameMoveAndDeleteRefuseAnyEntryInTheWay)
{
    FavFolder t;
    t.folder("Games/deep");
    t.fav("a");
    t.fav("Games/b");
    frmOrgFav w(t.ctx);
    EXPECT_EQ(w.GetSelectedKind(), frmOrgFav::kRoot);
    EXPECT_FALSE(w.cmdRename->isEnabled());
    EXPECT_FALSE(w.cmdDelete->isEnabled());
    EXPECT_FALSE(w.cmdMove->isEnabled());
    EXPECT_FALSE(w.cmdPlay->isEnabled());

    // "games" is a folder of its own beside "Games".
    t.box.expectInput("games");
    w.cmdCreate->click();
    EXPECT_EQ(t.box.last().title, "Create a Folder");
    ASSERT_TRUE(t.exists("games"));
    select(w, t.at("Games"));
    EXPECT_TRUE(w.cmdRename->isEnabled());
    EXPECT_FALSE(w.cmdPlay->isEnabled());

    select(w, t.at("a"));
    EXPECT_TRUE(w.cmdPlay->isEnabled());
    EXPECT_EQ(w.lbGameNo->text(), "Game No : 5");
    // The record's date in the general form that folder dates take: the date alone at midnight.
    EXPECT_EQ(w.lbDate->text(), "Date Created : " + QLocale().toString(QDate(2026, 3, 4), QLocale::ShortFormat));
    target(w, t.at("Games"));
    w.cmdMove->click();
    ASSERT_TRUE(t.exists("Games/a"));
    select(w, t.at("Games/a"));
    target(w, t.at("games"));
    w.cmdMove->click();
    ASSERT_TRUE(t.exists("games/a"));
    select(w, t.at("games/a"));
    target(w, t.at("games"));
    t.box.expect(MsgResult::Ok, "Same Source and Destination Folders !");
    w.cmdMove->click();

    // A favourite may not take the name of a folder, nor move onto one.
    select(w, t.at("Games/b"));
    t.box.expectInput("deep");
    t.box.expect(MsgResult::Ok, "Game already exists");
    w.cmdRename->click();
    EXPECT_EQ(t.box.prompts()[t.box.prompts().size() - 2].text, "Please enter a new name for the game:\r\nb");
    t.folder("games/b");
    select(w, t.at("Games/b"));
    target(w, t.at("games"));
    t.box.expect(MsgResult::Ok, "Game Already Exists in the destination Folder.");
    w.cmdMove->click();
    EXPECT_TRUE(t.exists("Games/b"));

    select(w, t.at("Games/b"));
    t.box.expect(MsgResult::No, "Are you sure you want to delele the Game b ?");
    w.cmdDelete->click();
    EXPECT_TRUE(t.exists("Games/b"));
    select(w, t.at("Games"));
    t.box.expect(MsgResult::Yes, "Are you sure you want to remove the Folder Games and all its contents ?");
    w.cmdDelete->click();
    EXPECT_FALSE(t.exists("Games"));

    // The menu follows once the window closes.
    w.cmdClose->click();
    EXPECT_TRUE(t.ctx.menu().HasItem(t.at("games/a")));
    EXPECT_FALSE(t.ctx.menu().HasItem(t.at("Games")));
}

TEST(OrganizeFavorites, ALinkedFolderLosesOnlyTheLinkAndAFailedDeleteIsReported)
{
    FavFolder t;
    const QString outside = t.home.path() + "/outside";
    ASSERT_TRUE(QDir().mkpath(outside));
    writeBytes(outside + "/keep", "x");
    ASSERT_TRUE(QFile::link(outside, t.at("Linked")));
    t.fav("x");
    frmOrgFav w(t.ctx);
    select(w, t.at("Linked"));
    t.box.expect(MsgResult::Yes, "remove the Folder Linked");
    w.cmdDelete->click();
    EXPECT_FALSE(QFileInfo(t.at("Linked")).isSymLink());
    EXPECT_TRUE(QFile::exists(outside + "/keep"));

    // The favourite became a folder behind the window's back.
    select(w, t.at("x"));
    ASSERT_TRUE(QFile::remove(t.at("x")));
    t.folder("x");
    t.box.expect(MsgResult::Yes, "delele the Game x ?");
    t.box.expect(MsgResult::Ok, "Could not delete");
    w.cmdDelete->click();
    EXPECT_TRUE(t.exists("x"));
    EXPECT_EQ(find(w.tvFav, t.at("x"))->data(0, frmOrgFav::kTagRole).toString(), "FLD");
}

TEST(AddToFavorites, ProposesTheGameRefusesATakenNameAndSelectsANewFolder)
{
    FavFolder t;
    t.gp().PlayNumber("Freecell", GameNumber::fromText("077"));
    t.folder("Old");
    {
        frmAddtoFav w(t.ctx);
        EXPECT_EQ(w.txFav->text(), "Freecell - 077");
        w.cmdOK->click();
    }
    EXPECT_EQ(mFile::ReadFavRecord(t.at("Freecell - 077")).GameNo.text(), "077");
    EXPECT_TRUE(t.ctx.menu().HasItem(t.at("Freecell - 077")));

    frmAddtoFav w(t.ctx);
    t.box.expect(MsgResult::Ok, "Game already exists");
    w.cmdOK->click();
    EXPECT_EQ(w.txFav->text(), "Freecell - 077");

    t.box.expectInput("Zed", "Please Enter a Folder Name");
    w.cmdCreate->click();
    EXPECT_EQ(t.box.last().defaultText, "New Folder");
    EXPECT_EQ(w.tvFav->currentItem()->text(0), "Zed");
    w.cmdOK->click();
    EXPECT_TRUE(t.exists("Zed/Freecell - 077"));

    // A new folder that comes first in name order is the one chosen too.
    frmAddtoFav again(t.ctx);
    t.box.expectInput("Alpha", "Please Enter a Folder Name");
    again.cmdCreate->click();
    EXPECT_EQ(again.tvFav->currentItem()->text(0), "Alpha");
    again.cmdOK->click();
    EXPECT_TRUE(t.exists("Alpha/Freecell - 077"));
}

TEST(AddToFavorites, APlayerNameARecordCannotHoldIsReportedAndNothingIsWritten)
{
    FavFolder t;
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(5));
    // A player name with a double quote, as a carried-over settings file may hold.
    mCustomize::SetCurPlayer(t.ctx, "Ann \"Fox\"");
    frmAddtoFav w(t.ctx);
    w.show();
    t.box.expect(MsgResult::Ok, "Ann \"Fox\"");
    w.cmdOK->click();
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(FolderList::files(t.root()).isEmpty());
    EXPECT_FALSE(t.ctx.menu().HasItem(t.at("Freecell - 5")));
    // The win dialog's way, under the default name, is refused the same way.
    EXPECT_EQ(errorOf([&] { mFavorites::SaveFavorite(t.ctx); }), err::InvalidCall);
    EXPECT_TRUE(FolderList::files(t.root()).isEmpty());

    // The name is still free once the player can be written.
    mCustomize::SetCurPlayer(t.ctx, "Ann");
    w.cmdOK->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(mFile::ReadFavRecord(t.at("Freecell - 5")).AddedBy, "Ann");
    EXPECT_TRUE(t.ctx.menu().HasItem(t.at("Freecell - 5")));
}
