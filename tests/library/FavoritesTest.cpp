// Favourites: the record file byte for byte and read back, files that are no records,
// the Favorites menu built from the folder tree, the name checks, and the win dialog's
// favourite written or its failure reported.
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "appearance/mCustomize.h"
#include "core/FolderList.h"
#include "library/mFavorites.h"
#include "platform/kMenu.h"
#include "shell/cGamePlay.h"
#include "shell/MenuImages.h"
#include "shell/frmFinish.h"
#include "shell/mMenu.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {

struct Favourites : GameContext {
    Favourites()
    {
        if (!ctx.menu().HasItem("mFavMain"))
            ctx.menu().AddStaticItem("mFavMain", "Favorites", true);
        if (!ctx.menu().HasItem("mFav(3)"))
            ctx.menu().AddStaticItem("mFav(3)", "-", false);
        ctx.menu().setImageList(MenuImages::ImageList());
    }
    QString root() { return ctx.data().FavFolder(); }
    QString at(const QString &relative) { return root() + "/" + relative; }
    void fav(const QString &relative, const QString &game = "Freecell")
    {
        writeBytes(at(relative),
                   mFavorites::FavRecord(game, GameNumber::fromNumber(7), "Ann", {{2026, 1, 2}, {3, 4, 5}}));
    }
    void folder(const QString &relative) { ASSERT_TRUE(QDir().mkpath(at(relative))); }
    // The captions under a menu item, in order; "[x]" marks an item shown as a submenu.
    QStringList under(const QString &key)
    {
        const kMenu &menu = ctx.menu();
        QStringList captions;
        for (const std::int32_t id : menu.findItem(menu.ItemIndex(key))->children) {
            const kMenuItem *item = menu.findItem(id);
            captions << (item->holdsItems ? "[" + item->caption + "]" : item->caption);
        }
        return captions;
    }
};

} // namespace

TEST(Favorites, RecordIsOneLineByteForByteAndReadsBackAsTheSameDeal)
{
    const QDateTime when({2026, 12, 9}, {14, 5, 9});
    EXPECT_EQ(mFavorites::FavRecord("Baker's Game", GameNumber::fromNumber(617), "Ann, Bob", when),
              QByteArray("\"Baker's Game\",617,\"Ann, Bob\",#2026-12-09 14:05:09#\r\n"));
    // A typed number is quoted as typed; midnight writes the date alone.
    EXPECT_EQ(mFavorites::FavRecord("Freecell", GameNumber::fromText("0042"), "", QDateTime({2026, 1, 5}, {0, 0})),
              QByteArray("\"Freecell\",\"0042\",\"\",#2026-01-05#\r\n"));

    Favourites t;
    t.fav("a");
    writeBytes(t.at("b"), mFavorites::FavRecord("Baker's Game", GameNumber::fromText("0042"), "Ann, Bob", when));
    writeBytes(t.at("c"),
               mFavorites::FavRecord("Freecell", GameNumber::fromNumber(42), "x", QDateTime({2026, 1, 5}, {})));
    const FavoriteInfo b = mFile::ReadFavRecord(t.at("b"));
    const FavoriteInfo c = mFile::ReadFavRecord(t.at("c"));
    EXPECT_EQ(b.GameName, "Baker's Game");
    EXPECT_EQ(b.AddedBy, "Ann, Bob");
    EXPECT_EQ(b.DateCreated, "2026-12-09 14:05:09");
    EXPECT_TRUE(b.GameNo.isText());
    EXPECT_FALSE(c.GameNo.isText());
    EXPECT_EQ(b.GameNo, c.GameNo);
    EXPECT_EQ(c.DateCreated, "2026-01-05");

    EXPECT_EQ(mFavorites::DefaultFavName("Baker's Game", GameNumber::fromNumber(617)), "Baker's Game - 617");
    EXPECT_EQ(mFavorites::DefaultFavName("a/b", GameNumber::fromText("9")), "a_b - 9");
}

TEST(Favorites, FilesThatAreNoRecordsOrOfUnknownGamesAreSkippedAndKept)
{
    Favourites t;
    t.fav("good");
    t.fav("gone", "No Such Game");
    writeBytes(t.at("empty"), {});
    writeBytes(t.at("short"), "\"Freecell\",7\r\n");
    writeBytes(t.at("binary"), QByteArray("\x00\xff\x01\"Freecell\",7,\"a\",#2026-01-02#", 33));
    writeBytes(t.at("bad date"), "\"Freecell\",7,\"a\",#never#\r\n");
    // A record line longer than the head that is read.
    writeBytes(t.at("large"), "\"Freecell\",7,\"" + QByteArray(10000, 'a') + "\",#2026-01-02#\r\n");
    // A good record followed by anything still counts.
    writeBytes(t.at("tail"), mFavorites::FavRecord("Freecell", GameNumber::fromNumber(1), "a", {{2026, 1, 2}, {}}) +
                                 QByteArray(100000, '\xff'));
    EXPECT_EQ(mFavorites::GetFavFiles(t.ctx, t.root()), (QStringList{"2", t.at("good"), t.at("tail")}));
    EXPECT_TRUE(QFile::exists(t.at("gone")));
}

TEST(Favorites, MenuFollowsTheFolderTreeOneLevelDeepWithoutDuplicates)
{
    Favourites t;
    mFavorites::BuildFavMenu(t.ctx);
    EXPECT_TRUE(t.under("mFavMain").isEmpty());
    EXPECT_FALSE(t.ctx.menu().ItemVisible("mFav(3)"));
    // A favourite with no folder shows the separator, and so does an empty folder alone.
    t.fav("alone");
    mFavorites::BuildFavMenu(t.ctx);
    EXPECT_TRUE(t.ctx.menu().ItemVisible("mFav(3)"));
    ASSERT_TRUE(QFile::remove(t.at("alone")));
    t.folder("Empty");
    mFavorites::BuildFavMenu(t.ctx);
    EXPECT_TRUE(t.ctx.menu().ItemVisible("mFav(3)"));

    t.folder("Keep/Deeper");
    t.fav("Keep/one");
    t.fav("Keep/Deeper/hidden");
    t.fav("Keep/unknown", "No Such Game");
    t.fav("top");
    mFavorites::BuildFavMenu(t.ctx);
    mFavorites::BuildFavMenu(t.ctx);
    EXPECT_EQ(t.under("mFavMain"), (QStringList{"[Empty]", "[Keep]", "top"}));
    EXPECT_EQ(t.under(t.at("Keep")), QStringList{"one"});
    EXPECT_TRUE(t.under(t.at("Empty")).isEmpty());
    const kMenu &menu = t.ctx.menu();
    EXPECT_EQ(menu.ItemCode(t.at("top")), mFavorites::kFavouriteCode);
    EXPECT_EQ(menu.ItemCode(t.at("Keep")), 0);
    // The icons are the menu image list's "FOLDER" and "Q1".
    EXPECT_EQ(menu.findItem(menu.ItemIndex(t.at("Keep")))->icon, mMenu::GetMenuImageIndex("FOLDER") - 1);
    EXPECT_EQ(menu.findItem(menu.ItemIndex(t.at("top")))->icon, mMenu::GetMenuImageIndex("Q1") - 1);

    // No limit on the items directly under the menu.
    for (int i = 0; i < 120; ++i)
        t.fav(QString("many %1").arg(i, 3, 10, QChar('0')));
    mFavorites::BuildFavMenu(t.ctx);
    EXPECT_EQ(t.under("mFavMain").size(), 123);
}

TEST(Favorites, NamesAreRefusedForForbiddenCharactersAndAnyEntryInTheWay)
{
    Favourites t;
    t.folder("Games");
    t.fav("Mine");
    const auto check = [&](const QString &name, std::int32_t kind) {
        return mFavorites::ValidateFavName(t.ctx, name, kind, t.root());
    };
    EXPECT_FALSE(check("", 1));
    EXPECT_TRUE(t.box.prompts().isEmpty());
    EXPECT_TRUE(check("-", 1));
    EXPECT_TRUE(check("New", 2));
    EXPECT_TRUE(check("Mine", 3));

    t.box.expect(MsgResult::Ok, "Name should not contain these characters : /\\:*?\"<>|");
    EXPECT_FALSE(check("why?", 2));
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_EQ(t.box.last().buttons, MsgButtons::Ok);
    // A favourite named like a folder, a folder like a favourite, and the dot names.
    for (const char *name : {"Games", "Mine", ".", ".."}) {
        t.box.expect(MsgResult::Ok, "Game already exists");
        EXPECT_FALSE(check(name, 1)) << name;
        t.box.expect(MsgResult::Ok, "Folder already exists");
        EXPECT_FALSE(check(name, 2)) << name;
    }
    // A dangling link takes its name too.
    ASSERT_TRUE(QFile::link(t.at("nowhere"), t.at("link")));
    t.box.expect(MsgResult::Ok, "Game already exists");
    EXPECT_FALSE(check("link", 1));
}

TEST(Favorites, TheWinDialogWritesTheFavouriteOrReportsThatItCouldNot)
{
    Favourites t;
    mCustomize::SetCurPlayer(t.ctx, "Ann");
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(8));
    frmFinish::setAddtoFav(t.ctx, 1);
    {
        frmFinish dialog(t.ctx);
        dialog.Form_Load();
        dialog.Toolbar1_ButtonClick("Close");
    }
    const FavoriteInfo fav = mFile::ReadFavRecord(t.at("Freecell - 8"));
    EXPECT_EQ(fav.AddedBy, "Ann");
    EXPECT_EQ(fav.GameNo.value(), 8);
    EXPECT_EQ(t.under("mFavMain"), QStringList{"Freecell - 8"});

    // A folder in the way of the favourite's name.
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(9));
    t.folder("Freecell - 9");
    frmFinish dialog(t.ctx);
    dialog.Form_Load();
    t.box.expect(MsgResult::Ok, "The game could not be added to the favourites.");
    dialog.Toolbar1_ButtonClick("Close");
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
}
