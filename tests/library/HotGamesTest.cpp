// The Hot Games window: both lists from the stored marks, each move stored at once,
// the buttons after each move, and a damaged mark listed so that it can be mended.
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "app/mGen1.h"
#include "library/frmHotGames.h"
#include "store/cData.h"
#include "store/mRegistry.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {
QStringList names(const QTreeWidget *list)
{
    QStringList result;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        result << list->topLevelItem(i)->text(0);
    return result;
}
} // namespace

TEST(HotGames, MovesAreStoredAtOnceAndTheButtonsFollowTheLists)
{
    GameContext t;
    const cData &data = t.ctx.data();
    const QString first = data.GetGName(1);
    const QString second = data.GetGName(2);
    const QString third = data.GetGName(3);
    mGen1::SetHotFlag(t.ctx, third, 1);
    // A mark that is neither 0 nor 1 leaves the game on the left.
    mRegistry::SetRegInteger(t.ctx, "HotGames", second, 2);

    frmHotGames window(t.ctx);
    EXPECT_EQ(names(window.lvRight), QStringList{third});
    EXPECT_EQ(window.lvLeft->topLevelItemCount(), data.TotalGames() - 1);
    EXPECT_EQ(names(window.lvLeft).mid(0, 2), (QStringList{first, second}));
    EXPECT_EQ(window.lvRight->headerItem()->text(0), "Hot Games List");

    window.lvLeft->setCurrentItem(window.lvLeft->topLevelItem(1));
    window.cmdAdd->click();
    EXPECT_EQ(mGen1::GetHotFlag(t.ctx, second), 1);
    EXPECT_EQ(names(window.lvRight), (QStringList{third, second}));

    window.lvRight->setCurrentItem(window.lvRight->topLevelItem(0));
    window.cmdRemove->click();
    window.lvRight->setCurrentItem(window.lvRight->topLevelItem(0));
    window.cmdRemove->click();
    EXPECT_EQ(mGen1::GetHotFlag(t.ctx, third), 0);
    EXPECT_EQ(names(window.lvLeft).mid(data.TotalGames() - 2), (QStringList{third, second}));
    EXPECT_FALSE(window.cmdRemove->isEnabled());
    EXPECT_TRUE(window.cmdAdd->isEnabled());

    while (window.lvLeft->topLevelItemCount() > 0) {
        window.lvLeft->setCurrentItem(window.lvLeft->topLevelItem(0));
        window.cmdAdd->click();
    }
    EXPECT_FALSE(window.cmdAdd->isEnabled());
    EXPECT_TRUE(window.cmdRemove->isEnabled());
    // The next opening shows every game hot, in game-table order.
    frmHotGames again(t.ctx);
    EXPECT_EQ(names(again.lvRight).front(), first);
    EXPECT_EQ(again.lvLeft->topLevelItemCount(), 0);
}
