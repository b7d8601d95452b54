// Choosing a deal by number: the range for 1, 6 and 15 digits under a fixed locale, the
// texts refused, and the window's Select, its range message and the player it proposes.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

#include "appearance/mCustomize.h"
#include "library/frmChoose.h"
#include "library/mChoose.h"
#include "store/mOptions.h"
#include "support/GameContext.h"

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
