// The Sounds dialog: the tree it fills, the buttons each click enables, and what each
// button stores. After every action the tree's pictures must agree with the store.
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "appearance/cSound.h"
#include "appearance/frmSounds.h"
#include "store/mRegistry.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"

namespace {
const char *kAbsent = "<absent>";

QString stored(Context &ctx, const QString &tag)
{
    return mRegistry::GetRegString(ctx, QStringLiteral("Sounds"), tag, QString::fromLatin1(kAbsent));
}

QTreeWidgetItem *eventNode(const frmSounds &dlg, const QString &tag)
{
    QTreeWidgetItemIterator it(dlg.tvSound);
    for (; *it; ++it) {
        if (frmSounds::nodeTag(*it) == tag)
            return *it;
    }
    return nullptr;
}

QTreeWidgetItem *groupNode(const frmSounds &dlg, const QString &text)
{
    QTreeWidgetItem *root = dlg.tvSound->topLevelItem(0);
    for (int i = 0; i < root->childCount(); ++i) {
        if (root->child(i)->text(0) == text)
            return root->child(i);
    }
    return nullptr;
}

// Every event node shows the picture its stored sound calls for.
void expectTreeAgreesWithStore(Context &ctx, const frmSounds &dlg)
{
    QTreeWidgetItemIterator it(dlg.tvSound);
    for (; *it; ++it) {
        const QString tag = frmSounds::nodeTag(*it);
        if (tag.isEmpty())
            continue;
        const int want = ctx.sound().GetSound(tag).isEmpty() ? 3 : 2;
        EXPECT_EQ(frmSounds::nodeImage(*it), want) << tag.toStdString();
    }
}

void click(frmSounds &dlg, QTreeWidgetItem *node)
{
    ASSERT_NE(node, nullptr);
    dlg.tvSound->setCurrentItem(node);
    dlg.tvSound_NodeClick(node);
}
} // namespace

TEST(SoundsDialog, OpensOnTheRootWithTheEventsThatHaveADefaultMarkedEvenWithoutTheirFiles)
{
    GameContext t;
    frmSounds dlg(t.ctx);
    EXPECT_EQ(dlg.windowTitle(), "Sounds");
    // The test program's folder holds no default sound files.
    ASSERT_FALSE(QFile::exists(t.ctx.sound().GetDefault("Start.wav")));

    ASSERT_EQ(dlg.tvSound->topLevelItemCount(), 1);
    QTreeWidgetItem *root = dlg.tvSound->topLevelItem(0);
    EXPECT_EQ(root->text(0), "Sound Schemes");
    EXPECT_EQ(frmSounds::nodeImage(root), 4);
    EXPECT_TRUE(root->isExpanded());
    EXPECT_EQ(dlg.tvSound->currentItem(), root);
    QStringList groups;
    int events = 0;
    for (int i = 0; i < root->childCount(); ++i) {
        groups << root->child(i)->text(0);
        events += root->child(i)->childCount();
    }
    EXPECT_EQ(groups, QStringList({"Game", "Favorites", "Pending List", "Statistics", "Customize", "Tools", "Help"}));
    EXPECT_EQ(events, 30);
    EXPECT_EQ(eventNode(dlg, "Hot")->text(0), "Hot Games");
    EXPECT_EQ(eventNode(dlg, "Move")->text(0), "Move Card");

    QStringList marked;
    QTreeWidgetItemIterator it(dlg.tvSound);
    for (; *it; ++it) {
        if (frmSounds::nodeImage(*it) == 2)
            marked << frmSounds::nodeTag(*it);
    }
    EXPECT_EQ(marked, QStringList({"Start", "Move", "Undo", "Redo", "AutoPlay", "Win"}));
    EXPECT_TRUE(dlg.cmdBrowse->isEnabled());
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    EXPECT_FALSE(dlg.cmdRemove->isEnabled());
    EXPECT_FALSE(dlg.cmdApply->isEnabled());
    EXPECT_TRUE(dlg.Text1->text().isEmpty());
    EXPECT_TRUE(dlg.Text1->isReadOnly());
    EXPECT_TRUE(dlg.cmdClose->isDefault());
}

TEST(SoundsDialog, RemoveOnRedoStoresAnEmptyPathAndSilencesIt)
{
    GameContext t;
    const QString undo = t.setSoundFile("Undo");
    frmSounds dlg(t.ctx);
    EXPECT_EQ(stored(t.ctx, "Redo"), kAbsent);
    click(dlg, eventNode(dlg, "Redo"));
    EXPECT_EQ(dlg.Text1->text(), t.ctx.sound().GetDefault("Undo.wav"));
    EXPECT_TRUE(dlg.cmdRemove->isEnabled());
    EXPECT_TRUE(dlg.cmdPlay->isEnabled());

    dlg.cmdRemove_Click();
    EXPECT_EQ(stored(t.ctx, "Redo"), "");
    EXPECT_TRUE(dlg.Text1->text().isEmpty());
    EXPECT_FALSE(dlg.cmdRemove->isEnabled());
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    EXPECT_EQ(frmSounds::nodeImage(eventNode(dlg, "Redo")), 3);
    expectTreeAgreesWithStore(t.ctx, dlg);

    // Still silent when clicked again: the default does not come back.
    click(dlg, eventNode(dlg, "Redo"));
    EXPECT_TRUE(dlg.Text1->text().isEmpty());
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    t.sounds.played.clear();
    t.ctx.sound().Redo();
    t.ctx.sound().Undo();
    EXPECT_EQ(t.sounds.played, QStringList{undo});
}

TEST(SoundsDialog, BrowseThenApplyStoresTheFileAndAGroupClickedBetweenStoresNothing)
{
    GameContext t;
    const QString chosen = t.home.path() + "/chime.wav";
    writeBytes(chosen, "RIFF");
    frmSounds dlg(t.ctx);

    click(dlg, eventNode(dlg, "Hot"));
    EXPECT_FALSE(dlg.cmdPlay->isEnabled());
    t.dialogs.expectOpen(chosen);
    dlg.cmdBrowse_Click();
    EXPECT_EQ(t.dialogs.last().request.filter, "Sound Files (*.wav)|*.wav");
    EXPECT_TRUE(t.dialogs.last().request.fileName.isEmpty());
    EXPECT_EQ(dlg.Text1->text(), chosen);
    EXPECT_TRUE(dlg.cmdApply->isEnabled());
    EXPECT_TRUE(dlg.cmdPlay->isEnabled());
    dlg.cmdPlay_Click();
    EXPECT_EQ(t.sounds.played.last(), chosen);

    // A group keeps Apply enabled, but has no event to store for.
    click(dlg, groupNode(dlg, "Tools"));
    EXPECT_FALSE(dlg.cmdBrowse->isEnabled());
    EXPECT_TRUE(dlg.cmdApply->isEnabled());
    dlg.cmdApply_Click();
    EXPECT_FALSE(dlg.cmdApply->isEnabled());
    EXPECT_EQ(stored(t.ctx, "Hot"), kAbsent);

    click(dlg, eventNode(dlg, "Hot"));
    t.dialogs.expectOpen(chosen);
    dlg.cmdBrowse_Click();
    dlg.cmdApply_Click();
    EXPECT_EQ(stored(t.ctx, "Hot"), chosen);
    EXPECT_EQ(frmSounds::nodeImage(eventNode(dlg, "Hot")), 2);
    expectTreeAgreesWithStore(t.ctx, dlg);

    // A cancelled dialog changes nothing.
    t.dialogs.expectOpen("");
    dlg.cmdBrowse_Click();
    EXPECT_EQ(dlg.Text1->text(), chosen);
    EXPECT_FALSE(dlg.cmdApply->isEnabled());
}

TEST(SoundsDialog, ApplyOfAFileDeletedMeanwhileStoresNothing)
{
    GameContext t;
    const QString chosen = t.home.path() + "/gone.wav";
    writeBytes(chosen, "RIFF");
    frmSounds dlg(t.ctx);
    click(dlg, eventNode(dlg, "Win"));
    t.dialogs.expectOpen(chosen);
    dlg.cmdBrowse_Click();
    ASSERT_TRUE(QFile::remove(chosen));
    dlg.cmdApply_Click();
    EXPECT_EQ(stored(t.ctx, "Win"), kAbsent);
    EXPECT_FALSE(dlg.cmdApply->isEnabled());
    expectTreeAgreesWithStore(t.ctx, dlg);
}
