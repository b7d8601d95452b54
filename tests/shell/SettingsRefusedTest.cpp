// Windows that store their own settings, driven with a settings store that refuses every
// write: the user is told once, in words naming the settings file and the reason, never by
// the store's raw key, and what the window was asked to do still happens.
#include <QCheckBox>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTreeWidget>
#include <functional>
#include <gtest/gtest.h>

#include "appearance/frmAnimation.h"
#include "appearance/frmCardDeck.h"
#include "appearance/mCustomize.h"
#include "core/FolderList.h"
#include "library/frmHotGames.h"
#include "scores/frmPlayers.h"
#include "shell/cGamePlay.h"
#include "shell/frmFinish.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "store/frmOptions.h"
#include "store/mOptions.h"
#include "support/GameContext.h"
#include "support/RefusingWriter.h"

namespace {

struct Refusing : GameContext {
    Refusing() { refusing.why = QStringLiteral("Read-only file system"); }
    ~Refusing() { ctx.registry().settingsFile().setWriter(nullptr); }
    void refuse() { ctx.registry().settingsFile().setWriter(&refusing); }
    RefusingWriter refusing;
};

struct Case {
    const char *window;
    // What the user is told, in part.
    const char *told;
    // Drives the window with the store refusing (at least two writes where the window has
    // them); true when the window's own action happened.
    std::function<bool(Refusing &)> drive;
};

QTreeWidgetItem *deckNode(const frmCardDeck &dlg, int index)
{
    for (QTreeWidgetItemIterator it(dlg.tvDeck); *it; ++it) {
        if (frmCardDeck::nodeTag(*it) == index)
            return *it;
    }
    return nullptr;
}

const char *const kReport = "The settings cannot be saved to the file";

const Case kCases[] = {
    {"Options", kReport,
     [](Refusing &t) {
         t.refuse();
         frmOptions dlg(t.ctx);
         dlg.chkTime->click();
         dlg.chkScore->click();
         dlg.cmdClose->click();
         // The boxes show what is stored, not a choice that was not kept.
         return dlg.result() == QDialog::Accepted && dlg.chkTime->isChecked() == (mOptions::GetShowTime(t.ctx) != 0);
     }},
    {"Animation", kReport,
     [](Refusing &t) {
         t.refuse();
         frmAnimation dlg(t.ctx);
         dlg.Slider[3]->setValue(40);
         dlg.Slider[4]->setValue(50);
         dlg.cmdOK->click();
         return dlg.result() == QDialog::Accepted;
     }},
    {"Card Deck", kReport,
     [](Refusing &t) {
         t.refuse();
         frmCardDeck dlg(t.ctx);
         dlg.tvDeck->setCurrentItem(deckNode(dlg, 3));
         dlg.cmdOK->click();
         // The back chosen stays for the run: every later deal reads it.
         return dlg.result() == QDialog::Accepted && mCustomize::GetDeckIndex(t.ctx) == 3;
     }},
    {"Hot Games", kReport,
     [](Refusing &t) {
         t.refuse();
         frmHotGames dlg(t.ctx);
         const int left = dlg.lvLeft->topLevelItemCount();
         dlg.lvLeft->setCurrentItem(dlg.lvLeft->topLevelItem(0));
         dlg.cmdAdd->click();
         dlg.cmdAdd->click();
         // Nothing moves that was not stored.
         return dlg.lvLeft->topLevelItemCount() == left && dlg.lvRight->topLevelItemCount() == 0;
     }},
    {"Win dialog", kReport,
     [](Refusing &t) {
         t.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(8));
         t.takeAllHome();
         t.refuse();
         {
             frmFinish dlg(t.ctx);
             dlg.Form_Load();
             dlg.chkSave->click();
             dlg.chkFav->click();
             dlg.Toolbar1_ButtonClick(QStringLiteral("Close"));
         }
         // The ticks decide the closing even though they could not be stored.
         return QFile::exists(FolderList::join(t.ctx.data().SavedFolder(), QStringLiteral("Freecell-8.qx1")));
     }},
    {"Players", "The player \"Bob\" cannot be made current: the settings cannot be saved to the file",
     [](Refusing &t) {
         mCustomize::SetPlayer(t.ctx, 1, QStringLiteral("Ann"), false);
         mCustomize::SetPlayer(t.ctx, 2, QStringLiteral("Bob"), false);
         mCustomize::SetCurPlayer(t.ctx, QStringLiteral("Ann"));
         t.refuse();
         frmPlayers dlg(t.ctx);
         dlg.show();
         dlg.lvPlayer->setCurrentItem(dlg.lvPlayer->findItems(QStringLiteral("Bob"), Qt::MatchExactly).value(0));
         dlg.cmdSelect->click();
         // Choosing the player is the window's own action: it stays to choose again.
         return dlg.isVisible() && mCustomize::GetCurPlayer(t.ctx) == QStringLiteral("Ann");
     }},
};

} // namespace

TEST(SettingsRefused, EachWindowTellsOnceInWordsAndItsActionStillHappens)
{
    for (const Case &c : kCases) {
        SCOPED_TRACE(c.window);
        Refusing t;
        t.box.expect(MsgResult::Ok, QString::fromUtf8(c.told));
        const bool acted = c.drive(t);
        EXPECT_TRUE(acted);
        ASSERT_EQ(t.box.prompts().size(), 1);
        const QString text = t.box.last().text;
        EXPECT_TRUE(text.contains(QStringLiteral("registry.json"))) << text.toStdString();
        EXPECT_TRUE(text.contains(QStringLiteral("Read-only file system"))) << text.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("Failed to set registry"))) << text.toStdString();
    }
}
