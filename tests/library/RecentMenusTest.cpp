// The three recent submenus of the main window, read back from the menu model: what a
// rebuild lists and leaves out, and what a click, a clear or a refusing store does.
#include <gtest/gtest.h>

#include <QFile>
#include <QPushButton>

#include "library/mRecent.h"
#include "platform/kMenu.h"
#include "shell/cGamePlay.h"
#include "store/cFunc.h"
#include "store/cRegistry.h"
#include "store/frmOptions.h"
#include "store/mRegistry.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"
#include "support/RefusingWriter.h"

namespace {

const char *const kSaved = "mFile(12)";
const char *const kOpened = "mFile(13)";
const char *const kPlayed = "mFile(14)";

struct Menus : WindowContext {
    kMenu &menu() const { return ctx.menu(); }
    const kMenuItem &submenu(const char *key) const { return *menu().findItem(menu().ItemIndex(key)); }
    // The items under a submenu, in the order shown.
    std::vector<const kMenuItem *> items(const char *key) const
    {
        std::vector<const kMenuItem *> found;
        for (const std::int32_t id : submenu(key).children)
            found.push_back(menu().findItem(id));
        return found;
    }
    QStringList captions(const char *key) const
    {
        QStringList shown;
        for (const kMenuItem *item : items(key))
            shown.append(item->caption);
        return shown;
    }
    // Writes the list's slots as a hand edit would, then rebuilds the menus.
    void storeList(std::int32_t list, const QStringList &entries)
    {
        for (int slot = 1; slot <= 10; ++slot)
            mRegistry::SetRegString(ctx, QStringLiteral("MRU%1").arg(list), QString::number(slot),
                                    entries.value(slot - 1));
        mRecent::RefreshRecentMenus(ctx);
    }
    QString makeFile(const QString &name) const
    {
        const QString path = home.path() + QLatin1Char('/') + name;
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }
};

} // namespace

TEST(RecentMenus, AnEmptyListShowsOneNoneItemThatDoesNothing)
{
    Menus m;
    mRecent::RefreshRecentMenus(m.ctx);
    const std::pair<const char *, const char *> expected[] = {
        {kSaved, "200None"}, {kOpened, "201None"}, {kPlayed, "202None"}};
    for (const auto &[parent, key] : expected) {
        const auto shown = m.items(parent);
        ASSERT_EQ(shown.size(), 1U) << parent;
        EXPECT_EQ(shown[0]->caption, "None");
        EXPECT_EQ(shown[0]->key, key);
        EXPECT_EQ(shown[0]->code, 0);
        EXPECT_EQ(shown[0]->icon, -1);
    }
    m.window->Menu1_ItemClick(m.items(kPlayed)[0]->id);
    EXPECT_EQ(m.gp().Game_Status(), cGamePlay::NoGame);
    EXPECT_TRUE(m.box.prompts().isEmpty());
}

TEST(RecentMenus, OnlyWhatCanStillBePlayedIsListedAndNothingRaises)
{
    Menus m;
    const QString kept = m.makeFile(QStringLiteral("Kept.qx0"));
    const QString gone = m.makeFile(QStringLiteral("Gone.qx0"));
    m.storeList(mRecent::kSaved, {gone, kept});
    EXPECT_EQ(m.captions(kSaved), QStringList({gone, kept}));
    const kMenuItem &first = *m.items(kSaved)[0];
    EXPECT_EQ(first.key, "200" + gone);
    EXPECT_EQ(first.tag, gone);
    EXPECT_EQ(first.code, 200);
    EXPECT_EQ(first.icon, m.menu().ImageIndex(QStringLiteral("Q1")) - 1);

    // Deleted outside the program: gone from the menu at the next rebuild, still in the list.
    QFile::remove(gone);
    mRecent::RefreshRecentMenus(m.ctx);
    EXPECT_EQ(m.captions(kSaved), QStringList({kept}));
    EXPECT_EQ(mRecent::GetRecent(m.ctx, mRecent::kSaved).mid(1, 2), QStringList({gone, kept}));

    // A game no longer in the table, a dashed name that splits wrongly, a name starting
    // with a dash, a slot written twice, and numbers that cannot be dealt (no digits, a
    // fraction, more than 15 digits, none at all).
    m.storeList(mRecent::kPlayed,
                {"Old Studio Game - 4", "Ace-High - 3", "-x - 5", "Bouquet - 617", "Freecell - 1", "Bouquet - 617",
                 "Freecell - abc", "Freecell - 12.5", "Freecell - 1234567890123456", "Freecell - "});
    EXPECT_EQ(m.captions(kPlayed), QStringList({"Bouquet - 617", "Freecell - 1"}));
    EXPECT_TRUE(m.box.prompts().isEmpty());

    // Entries that are all left out show nothing, not "None".
    m.storeList(mRecent::kOpened, {gone});
    EXPECT_TRUE(m.captions(kOpened).isEmpty());
}

TEST(RecentMenus, OnePathInTwoLetterCasesIsTwoEntriesAndReaddingKeepsTheOrder)
{
    Menus m;
    const QString lower = m.makeFile(QStringLiteral("game.qx0"));
    const QString upper = m.makeFile(QStringLiteral("GAME.qx0"));
    mRecent::AddRecent(m.ctx, mRecent::kOpened, lower);
    EXPECT_EQ(m.captions(kOpened), QStringList({lower}));
    mRecent::AddRecent(m.ctx, mRecent::kOpened, upper);
    EXPECT_EQ(m.captions(kOpened), QStringList({upper, lower}));
    mRecent::AddRecent(m.ctx, mRecent::kOpened, lower);
    EXPECT_EQ(m.captions(kOpened), QStringList({upper, lower}));

    mRecent::ClearRecent(m.ctx, mRecent::kOpened);
    EXPECT_EQ(m.captions(kOpened), QStringList({"None"}));
}

TEST(RecentMenus, AClickOnAPlayedEntryDealsItAndTheEntryStaysListedOnce)
{
    Menus m;
    m.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(5));
    m.gp().PlayNumber(QStringLiteral("Bouquet"), GameNumber::fromNumber(617));
    ASSERT_EQ(m.captions(kPlayed), QStringList({"Bouquet - 617", "Freecell - 5"}));

    m.window->Menu1_ItemClick(m.items(kPlayed)[1]->id);
    EXPECT_EQ(m.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(m.gp().GameName(), "Freecell");
    EXPECT_EQ(m.gp().GameNo().value(), 5);
    EXPECT_EQ(m.captions(kPlayed), QStringList({"Bouquet - 617", "Freecell - 5"}));
}

TEST(RecentMenus, ClearNowInTheOptionsEmptiesTheSubmenu)
{
    Menus m;
    m.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(5));
    frmOptions options(m.ctx);
    ASSERT_TRUE(options.cmdrPlay->isEnabled());
    m.box.expect(MsgResult::Yes, "Are you sure");
    m.box.expect(MsgResult::Ok, "Successfully Cleared");
    options.cmdrPlay->click();
    EXPECT_FALSE(options.cmdrPlay->isEnabled());
    EXPECT_EQ(m.captions(kPlayed), QStringList({"None"}));
}

TEST(RecentMenus, ASettingsStoreThatRefusesWritesStopsNoGame)
{
    Menus m;
    RefusingWriter refusing;
    m.ctx.registry().settingsFile().setWriter(&refusing);
    m.box.expect(MsgResult::Ok, "The settings cannot be saved");
    m.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(9));
    m.ctx.registry().settingsFile().setWriter(nullptr);
    EXPECT_EQ(m.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(m.gp().GameNo().value(), 9);
    // Reported once, naming the settings file.
    ASSERT_EQ(m.box.prompts().size(), 1);
    EXPECT_TRUE(m.box.last().text.contains(QStringLiteral("registry.json")));
}
