#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "appearance/cSound.h"
#include "engine/mStudio.h"
#include "library/mRecent.h"
#include "store/frmOptions.h"
#include "store/mOptions.h"
#include "store/mRegistry.h"
#include "support/RecordingSoundPlayer.h"
#include "support/TestContext.h"

namespace {
const QStringList kOptionNames = {"GameSave",  "EnableInc",     "EnableFin",  "ShowTime",    "ShowScore",
                                  "ShowMoves", "ShowCardsLeft", "RangeIndex", "ShowToolbar", "AutoPlay"};

void expectNothingStored(Context &ctx)
{
    for (const QString &name : kOptionNames)
        EXPECT_EQ(mRegistry::GetRegString(ctx, "Options", name, "sentinel"), "sentinel") << name.toStdString();
}

QString labelText(const frmOptions &dlg, const char *name)
{
    const auto *label = dlg.findChild<QLabel *>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<missing>");
}
} // namespace

TEST(OptionsDialog, FirstRunShowsEveryBoxTickedAndTheSixDigitRange)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    for (QCheckBox *box :
         {dlg.chkTime, dlg.chkScore, dlg.chkMoves, dlg.chkCardsLeft, dlg.chkGameSave, dlg.chkInc, dlg.chkFin})
        EXPECT_TRUE(box->isChecked()) << box->objectName().toStdString();
    ASSERT_EQ(dlg.imcRange->count(), 15);
    EXPECT_EQ(dlg.imcRange->currentIndex(), 5);
    EXPECT_EQ(dlg.imcRange->currentText(), "999,999");
    expectNothingStored(t.ctx);
}

TEST(OptionsDialog, CaptionsAreThoseOfTheProgram)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    EXPECT_EQ(dlg.windowTitle(), "Options");
    ASSERT_EQ(dlg.SSTab1->count(), 4);
    EXPECT_EQ(dlg.SSTab1->tabText(0), "General");
    EXPECT_EQ(dlg.SSTab1->tabText(1), "Random ");
    EXPECT_EQ(dlg.SSTab1->tabText(2), "AutoSave");
    EXPECT_EQ(dlg.SSTab1->tabText(3), "Recent List");

    EXPECT_EQ(dlg.chkTime->text(), "Show Game Time ");
    EXPECT_EQ(dlg.chkScore->text(), "Show Game Score");
    EXPECT_EQ(dlg.chkMoves->text(), "Show Game Moves");
    EXPECT_EQ(dlg.chkCardsLeft->text(), "Show Cards Left");
    EXPECT_EQ(dlg.chkGameSave->text(), "Save unfinished game and restart it in next session");
    EXPECT_EQ(dlg.chkInc->text(), "Enable Incomplete AutoSave");
    EXPECT_EQ(dlg.chkFin->text(), "Enable Finished AutoSave");
    EXPECT_EQ(dlg.cmdClose->text(), "Close");
    for (QPushButton *b : {dlg.cmdrSave, dlg.cmdrOpen, dlg.cmdrPlay})
        EXPECT_EQ(b->text(), "Clear Now");

    EXPECT_EQ(labelText(dlg, "Label13"), "Display Options");
    EXPECT_EQ(labelText(dlg, "Label2"), "While exiting the Game");
    EXPECT_EQ(labelText(dlg, "Label3"), "Random Range Selection");
    EXPECT_EQ(labelText(dlg, "Label1"), "Select Random Range ");
    EXPECT_EQ(labelText(dlg, "Label4"), "When you select a game with random game number, radom generator will "
                                        "generate a game number between 0 and this number.");
    EXPECT_EQ(labelText(dlg, "Label14"), "AutoSave Options");
    EXPECT_EQ(labelText(dlg, "Label5"), "If this option is enabled then it will save all lost or unfinised games to "
                                        "Incomplete AutoSave folder. ");
    EXPECT_EQ(labelText(dlg, "Label6"),
              "If this option is enabled then it will save all Won games to Finished AutoSave folder. ");
    EXPECT_EQ(labelText(dlg, "Label7"), "Clear Recently Saved List");
    EXPECT_EQ(labelText(dlg, "Label8"), "Clear Recent List containing info of all recently saved games.");
    EXPECT_EQ(labelText(dlg, "Label9"), "Clear Recently Opened List");
    EXPECT_EQ(labelText(dlg, "Label10"), "Clear Recent List containing info of all recently opened games.");
    EXPECT_EQ(labelText(dlg, "Label11"), "Clear Recently Played List");
    EXPECT_EQ(labelText(dlg, "Label12"), "Clear Recent List containing info of all recently played games.");
}

TEST(OptionsDialog, RangeItemsGroupTheirThousands)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    EXPECT_EQ(dlg.imcRange->itemText(0), "9");
    EXPECT_EQ(dlg.imcRange->itemText(2), "999");
    EXPECT_EQ(dlg.imcRange->itemText(3), "9,999");
    EXPECT_EQ(dlg.imcRange->itemText(6), "9,999,999");
    EXPECT_EQ(dlg.imcRange->itemText(14), "999,999,999,999,999");
    EXPECT_FALSE(dlg.imcRange->itemIcon(0).isNull());
}

TEST(OptionsDialog, OpeningAndClosingStoresNothing)
{
    TestContext t;
    {
        frmOptions dlg(t.ctx);
        dlg.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
        for (int tab = 0; tab < dlg.SSTab1->count(); ++tab)
            dlg.SSTab1->setCurrentIndex(tab);
        QTest::mouseClick(dlg.cmdClose, Qt::LeftButton);
        EXPECT_FALSE(dlg.isVisible());
        EXPECT_EQ(dlg.result(), QDialog::Accepted);
    }
    expectNothingStored(t.ctx);
    EXPECT_TRUE(t.box.prompts().isEmpty());
}

TEST(OptionsDialog, ShowsStoredValuesWithoutRewritingThem)
{
    TestContext t;
    mOptions::SetShowTime(t.ctx, 0);
    mOptions::SetEnableFin(t.ctx, 0);
    mOptions::SetRangeIndex(t.ctx, 15);
    frmOptions dlg(t.ctx);
    EXPECT_FALSE(dlg.chkTime->isChecked());
    EXPECT_FALSE(dlg.chkFin->isChecked());
    EXPECT_TRUE(dlg.chkScore->isChecked());
    EXPECT_EQ(dlg.imcRange->currentIndex(), 14);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Options", "ShowScore", "sentinel"), "sentinel");
}

TEST(OptionsDialog, RangeIndexOutsideTheListSelectsNoItemAndIsKept)
{
    TestContext t;
    mOptions::SetRangeIndex(t.ctx, 20);
    frmOptions dlg(t.ctx);
    EXPECT_EQ(dlg.imcRange->currentIndex(), -1);
    EXPECT_EQ(mOptions::GetRangeIndex(t.ctx), 20);
}

TEST(OptionsDialog, EveryBoxStoresItsStateTheMomentItIsClicked)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    const std::vector<std::pair<QCheckBox *, const char *>> boxes = {
        {dlg.chkTime, "ShowTime"},     {dlg.chkScore, "ShowScore"},
        {dlg.chkMoves, "ShowMoves"},   {dlg.chkCardsLeft, "ShowCardsLeft"},
        {dlg.chkGameSave, "GameSave"}, {dlg.chkInc, "EnableInc"},
        {dlg.chkFin, "EnableFin"}};
    for (const auto &[box, name] : boxes) {
        box->click();
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", name, -1), 0) << name;
        box->click();
        EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", name, -1), 1) << name;
    }
    // Nothing else was touched.
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Options", "RangeIndex", "sentinel"), "sentinel");
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Options", "AutoPlay", "sentinel"), "sentinel");
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Options", "ShowToolbar", "sentinel"), "sentinel");
}

TEST(OptionsDialog, UntickingIncompleteAutoSaveStoresZeroBeforeClose)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.SSTab1->setCurrentIndex(2);
    // On the box itself: a check box answers only over its indicator and caption.
    QTest::mouseClick(dlg.chkInc, Qt::LeftButton, {}, QPoint(6, dlg.chkInc->height() / 2));
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(mOptions::GetEnableInc(t.ctx), 0);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "Options", "EnableFin", "sentinel"), "sentinel");
}

TEST(OptionsDialog, ChoosingTheFirstOrLastRangeStoresOneOrFifteen)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    dlg.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dlg));
    dlg.SSTab1->setCurrentIndex(1);
    dlg.imcRange->setFocus();
    QTest::keyClick(dlg.imcRange, Qt::Key_Home);
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", -1), 1);
    QTest::keyClick(dlg.imcRange, Qt::Key_End);
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "Options", "RangeIndex", -1), 15);
    QTest::keyClick(dlg.imcRange, Qt::Key_Up);
    EXPECT_EQ(mOptions::GetRangeIndex(t.ctx), 14);
}

TEST(OptionsDialog, ClearButtonsFollowTheirListsCounts)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    EXPECT_EQ(dlg.cmdrSave->isEnabled(), mRecent::GetRecentCount(t.ctx, mRecent::kSaved) > 0);
    EXPECT_EQ(dlg.cmdrOpen->isEnabled(), mRecent::GetRecentCount(t.ctx, mRecent::kOpened) > 0);
    EXPECT_EQ(dlg.cmdrPlay->isEnabled(), mRecent::GetRecentCount(t.ctx, mRecent::kPlayed) > 0);
    // With an empty recently-opened list its button is disabled.
    if (mRecent::GetRecentCount(t.ctx, mRecent::kOpened) == 0) {
        EXPECT_FALSE(dlg.cmdrOpen->isEnabled());
    }
}

TEST(OptionsDialog, ClearingAsksFirstAndNoChangesNothing)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    t.box.expect(MsgResult::No);
    dlg.ClearRecentList(mRecent::kSaved);
    ASSERT_EQ(t.box.prompts().size(), 1);
    const RecordedPrompt &q = t.box.last();
    EXPECT_EQ(q.text, "Are you sure you want to clear this recent list ?");
    EXPECT_EQ(q.buttons, MsgButtons::YesNo);
    EXPECT_EQ(q.icon, MsgIcon::Critical);
    EXPECT_EQ(q.title, "Brackenfold 6.0");
}

TEST(OptionsDialog, ClearingOnYesEmptiesTheListAndSaysSo)
{
    TestContext t;
    frmOptions dlg(t.ctx);
    t.box.expect(MsgResult::Yes, "Are you sure");
    t.box.expect(MsgResult::Ok, "Successfully Cleared");
    dlg.ClearRecentList(mRecent::kSaved);
    ASSERT_EQ(t.box.prompts().size(), 2);
    EXPECT_EQ(t.box.last().text, "Successfully Cleared");
    EXPECT_EQ(t.box.last().icon, MsgIcon::Information);
    EXPECT_EQ(mRecent::GetRecentCount(t.ctx, mRecent::kSaved), 0);
    EXPECT_FALSE(dlg.cmdrSave->isEnabled());
    expectNothingStored(t.ctx);
}

TEST(OptionsDialog, OpeningPlaysTheOptionsSound)
{
    ScriptedMessageBox box;
    TempHome home;
    RecordingSoundPlayer player;
    Services s;
    s.messages = &box;
    s.shellFolders = &home.folders();
    s.soundPlayer = &player;
    Context ctx(s);
    ctx.createSharedObjects();
    mStudio::InitProduct(ctx);

    const QString wav = home.path() + "/options.wav";
    QFile file(wav);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("RIFF");
    file.close();
    ctx.sound().SetSound("Options", wav);

    frmOptions dlg(ctx);
    EXPECT_EQ(player.played, QStringList{wav});
    expectNothingStored(ctx);
}
