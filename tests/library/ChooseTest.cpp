// Choosing a deal by number: the range for 1, 6 and 15 digits under a fixed locale, the
// texts refused, and the window's Select, its range message and the player it proposes,
// also over a settings store that refuses every write.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "appearance/mCustomize.h"
#include "library/frmChoose.h"
#include "library/mChoose.h"
#include "platform/SettingsFile.h"
#include "shell/cGamePlay.h"
#include "store/cRegistry.h"
#include "store/mOptions.h"
#include "support/WindowContext.h"
#include "support/OnModal.h"
#include "support/RefusingWriter.h"

namespace {

struct EnglishLocale {
    EnglishLocale() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }
    ~EnglishLocale() { QLocale::setDefault(QLocale::system()); }
};
} // namespace

TEST(SelectByNumber, RangeOfOneSixAndFifteenDigitsExcludesBothBounds)
{
    EnglishLocale english;
    GameContext t;
    const struct {
        std::int16_t digits;
        std::int64_t max;
        const char *shown;
    } cases[] = {{1, 9, "9"}, {6, 999999, "999,999"}, {15, 999999999999999LL, "999,999,999,999,999"}};
    for (const auto &c : cases) {
        mOptions::SetRangeIndex(t.ctx, c.digits);
        const std::int64_t max = mChoose::GetMaxGameNumber(t.ctx);
        EXPECT_EQ(max, c.max);
        EXPECT_EQ(mChoose::FormatMax(max), c.shown);
        EXPECT_EQ(mChoose::AcceptedNumber(QString::number(max - 1), max), max - 1);
        EXPECT_FALSE(mChoose::AcceptedNumber(QString::number(max), max));
        EXPECT_FALSE(mChoose::AcceptedNumber("0", max));
    }
    mOptions::SetRangeIndex(t.ctx, 0);
    EXPECT_EQ(mChoose::GetMaxGameNumber(t.ctx), 9);
    mOptions::SetRangeIndex(t.ctx, 16);
    EXPECT_EQ(mChoose::GetMaxGameNumber(t.ctx), 999999999999999LL);
}

TEST(SelectByNumber, OnlyDecimalDigitsAreANumber)
{
    const std::int64_t max = 999999;
    EXPECT_EQ(mChoose::AcceptedNumber(" 0617 ", max), 617);
    for (const char *text : {"1,000", "1e3", "+5", "-5", "12.5", "", "  ", "0x10", "99999999999999999999"})
        EXPECT_FALSE(mChoose::AcceptedNumber(text, max)) << text;
}

TEST(SelectByNumber, WindowRefusesOutOfRangeThenChoosesGameNumberAndPlayer)
{
    EnglishLocale english;
    GameContext t;
    mOptions::SetRangeIndex(t.ctx, 6);
    mCustomize::SetPlayer(t.ctx, 1, "Ann", false);
    mCustomize::SetPlayer(t.ctx, 2, "Bob", false);
    mCustomize::SetCurPlayer(t.ctx, "Nobody");
    frmChoose choose(t.ctx);
    EXPECT_EQ(choose.lblRange->text(), "0 and 999,999");
    EXPECT_TRUE(mChoose::AcceptedNumber(choose.Text1->text(), 1000000));
    EXPECT_EQ(choose.imcPlayer->currentText(), "Ann");

    choose.Text1->setText("999999");
    t.box.expect(MsgResult::Ok);
    choose.cmdSelect->click();
    EXPECT_EQ(t.box.last().text, "Please enter a number between 0 and 999,999");
    EXPECT_EQ(t.box.last().icon, MsgIcon::Information);
    EXPECT_EQ(choose.Text1->text(), "0");
    EXPECT_TRUE(choose.chosenGame().isEmpty());

    choose.imcGames->setCurrentIndex(choose.imcGames->findText("Mission"));
    choose.imcPlayer->setCurrentIndex(1);
    choose.Text1->setText("617");
    choose.cmdSelect->click();
    EXPECT_EQ(choose.chosenGame(), "Mission");
    EXPECT_EQ(choose.chosenNumber(), "617");
    EXPECT_EQ(mCustomize::GetCurPlayer(t.ctx), "Bob");
}

TEST(SelectByNumber, ASettingsStoreThatRefusesWritesStillDealsForTheCurrentPlayer)
{
    WindowContext w;
    mCustomize::SetPlayer(w.ctx, 1, "Ann", false);
    mCustomize::SetPlayer(w.ctx, 2, "Bob", false);
    mCustomize::SetCurPlayer(w.ctx, "Bob");
    RefusingWriter refusing;
    w.ctx.registry().settingsFile().setWriter(&refusing);
    // Ann cannot be made current: the window says why in words and stays to choose again.
    // Bob, already current, is dealt Mission 617; the recent list the deal cannot keep is
    // reported once.
    w.box.expect(MsgResult::Ok, "The player \"Ann\" cannot be made current: the settings cannot be saved");
    w.box.expect(MsgResult::Ok, "The settings cannot be saved");
    const OnModal<frmChoose> answer([](frmChoose &dlg) {
        dlg.imcGames->setCurrentIndex(dlg.imcGames->findText("Mission"));
        dlg.Text1->setText("617");
        dlg.imcPlayer->setCurrentIndex(0);
        dlg.cmdSelect->click();
        EXPECT_TRUE(dlg.isVisible());
        dlg.imcPlayer->setCurrentIndex(1);
        dlg.cmdSelect->click();
    });
    w.window->DoCommand("SelNum");
    EXPECT_TRUE(answer.acted());
    w.ctx.registry().settingsFile().setWriter(nullptr);
    EXPECT_EQ(w.box.pending(), 0);
    EXPECT_FALSE(w.box.prompts().constFirst().text.contains("CurPlayer"));
    EXPECT_EQ(w.gp().GameName(), "Mission");
    EXPECT_EQ(w.gp().GameNo().text(), "617");
    EXPECT_EQ(mCustomize::GetCurPlayer(w.ctx), "Bob");
}
