// The pending list over a real pending folder and the main window's real menus: games
// put aside and resumed, written back or won, names never replaced, damaged files that
// never break the menu or the manager, and the manager's buttons.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "core/AppError.h"
#include "core/FolderList.h"
#include "library/frmPending.h"
#include "library/mPending.h"
#include "platform/QtMenuControl.h"
#include "platform/kMenu.h"
#include "shell/cGamePlay.h"
#include "shell/mMenu.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "support/FileBytes.h"
#include "support/WindowContext.h"

namespace {

struct Pending : WindowContext {
    Pending() { mMenu::InitMenuItems(ctx); }
    QString at(const QString &name) const { return FolderList::join(ctx.data().PendingFolder(), name); }
    QStringList captions() const
    {
        QStringList out;
        const kMenu &menu = ctx.menu();
        for (std::int32_t id : menu.findItem(menu.ItemIndex("mPendMain"))->children)
            out << menu.ItemCaption(menu.ItemKey(id));
        return out;
    }
    bool separatorShown() const { return window->Menu1->action(ctx.menu().ItemIndex("mPend(3)"))->isVisible(); }
    // Puts "Mission" 123 aside after one move.
    void putAside()
    {
        gp().PlayNumber("Mission", GameNumber::fromNumber(123));
        moveToFreeCell(0);
        mPending::AddToPending(ctx);
    }
};

QStringList column(const QTreeWidget *list, int col)
{
    QStringList out;
    for (int i = 0; i < list->topLevelItemCount(); ++i)
        out << list->topLevelItem(i)->text(col);
    return out;
}

} // namespace

TEST(PendingList, PutAsideTwiceResumeAbandonAndWin)
{
    Pending t;
    const QString sound = t.setSoundFile("AddPend");
    mPending::BuildPendMenu(t.ctx);
    EXPECT_TRUE(t.captions().isEmpty());
    EXPECT_FALSE(t.separatorShown());

    t.putAside();
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::NoGame);
    EXPECT_EQ(t.sounds.played, QStringList{sound});
    t.putAside();
    const QString first = t.at("Mission-123.qx0");
    const QString second = t.at("Mission-123-1.qx0");
    EXPECT_EQ(mPending::GetPendingFiles(t.ctx), (QStringList{"2", second, first}));
    const QString percent = QString::number(mFile::ReadGameHeader(first).Percentage);
    EXPECT_EQ(t.captions(),
              (QStringList{"Mission-123-1 (" + percent + "% Completed)", "Mission-123 (" + percent + "% Completed)"}));
    EXPECT_TRUE(t.separatorShown());
    const kMenu &menu = t.ctx.menu();
    EXPECT_EQ(menu.ItemCode(first), 300);
    EXPECT_EQ(menu.ItemTag(first), first);
    EXPECT_EQ(menu.ItemIcon(first), mMenu::GetMenuImageIndex("Q1") - 1);

    // Resumed: the entry is marked, and asking to put it aside again only says why not.
    t.gp().PlayPendFile(first);
    EXPECT_FALSE(QFile::exists(first));
    EXPECT_FALSE(menu.ItemEnabled(first));
    t.box.expect(MsgResult::Ok);
    mPending::AddToPending(t.ctx);
    EXPECT_EQ(t.box.last().text, "This game is already in Pending List. Once added, the game will remain in "
                                 "Pending List till you finish it or delete it.");
    EXPECT_EQ(t.box.last().icon, MsgIcon::Information);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);

    // The crash checkpoint writes the file while it is played; no list shows it then.
    t.moveToFreeCell(1);
    ASSERT_TRUE(t.gp().SaveProgress());
    EXPECT_TRUE(QFile::exists(first));
    EXPECT_EQ(mPending::GetPendingFiles(t.ctx), (QStringList{"1", second}));
    mPending::BuildPendMenu(t.ctx);
    EXPECT_EQ(t.captions().size(), 1);

    // Abandoned: back under its old name with its new state.
    const std::int16_t moves = t.gp().Moves();
    t.gp().EndGame(0, false);
    EXPECT_EQ(mFile::ReadGameHeader(first).Moves, moves);
    EXPECT_EQ(t.captions().size(), 2);
}

TEST(PendingList, TakenNamesAreSkippedAndADamagedFileBreaksNoList)
{
    Pending t;
    ASSERT_TRUE(QDir().mkpath(t.at("Mission-123.qx0")));
    writeBytes(t.at("Broken.qx0"), "not a saved game\r\n");
    writeBytes(t.at("Mission-123-1.qx0"), "mine");
    t.putAside();
    const QString written = t.at("Mission-123-2.qx0");
    EXPECT_EQ(bytesOf(t.at("Mission-123-1.qx0")), "mine");
    EXPECT_TRUE(QFileInfo(t.at("Mission-123.qx0")).isDir());
    EXPECT_EQ(mFile::ReadGameHeader(written).GameName, "Mission");
    // The menu skips the unreadable files, the manager lists them by name with empty cells.
    EXPECT_EQ(t.captions().size(), 1);
    const QList<mPending::PendingRow> rows = mPending::PendingRows(t.ctx);
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows[0].text, "Broken.qx0");
    EXPECT_EQ(rows[0].time + rows[0].moves + rows[0].score, "");
    EXPECT_EQ(rows[2].key, written);
    EXPECT_EQ(rows[2].moves, "1");
    EXPECT_EQ(rows[2].time, "0:00:00");
    EXPECT_THROW(t.gp().PlayPendFile(rows[0].key), AppError);
    EXPECT_TRUE(QFile::exists(rows[0].key));
}

TEST(PendingWindow, DeletesFileFirstAndPlayNowNamesTheGame)
{
    Pending t;
    const QString sound = t.setSoundFile("OrgPend");
    t.putAside();
    t.putAside();
    writeBytes(t.at("Broken.qx0"), "x");
    {
        frmPending manager(t.ctx);
        EXPECT_EQ(t.sounds.played.last(), sound);
        EXPECT_EQ(column(manager.lvPend, 0).size(), 3);
        // A file that cannot be deleted keeps its row and is reported.
        manager.lvPend->setCurrentItem(manager.lvPend->topLevelItem(0));
        QFile::setPermissions(t.at("Broken.qx0"), QFileDevice::ReadOwner);
        t.box.allowNotices();
        manager.cmdDelete->click();
        EXPECT_EQ(t.box.prompts().size(), 1);
        EXPECT_EQ(column(manager.lvPend, 0).size(), 3);
        EXPECT_TRUE(QFile::exists(t.at("Broken.qx0")));

        manager.lvPend->setCurrentItem(manager.lvPend->topLevelItem(1));
        manager.cmdDelete->click();
        EXPECT_FALSE(QFile::exists(t.at("Mission-123-1.qx0")));
        const QString percent = QString::number(mFile::ReadGameHeader(t.at("Mission-123.qx0")).Percentage);
        EXPECT_EQ(column(manager.lvPend, 0), (QStringList{"Broken.qx0", "Mission-123 (" + percent + "%)"}));
        EXPECT_EQ(t.captions().size(), 1);

        manager.lvPend->setCurrentItem(manager.lvPend->topLevelItem(1));
        manager.cmdPlay->click();
        EXPECT_EQ(manager.chosenPath(), t.at("Mission-123.qx0"));
    }
    QFile::setPermissions(t.at("Broken.qx0"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    QDir(t.ctx.data().PendingFolder()).removeRecursively();
    frmPending empty(t.ctx);
    EXPECT_FALSE(empty.cmdPlay->isEnabled());
    EXPECT_FALSE(empty.cmdDelete->isEnabled());
}
