#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/Errors.h"

#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/GameNumber.h"
#include "core/Numbers.h"
#include "core/RgbColor.h"
#include "platform/Guard.h"
#include "support/ScriptedMessageBox.h"

TEST(Numbers, RoundHalfEvenRoundsHalvesToTheEvenNeighbour)
{
    EXPECT_EQ(roundHalfEven(582.5), 582);
    EXPECT_EQ(roundHalfEven(583.5), 584);
    EXPECT_EQ(roundHalfEven(-0.5), 0);
    EXPECT_EQ(roundHalfEven(-1.5), -2);
    EXPECT_EQ(roundHalfEven(2.4999), 2);
    EXPECT_EQ(roundHalfEven(2.5001), 3);
}

TEST(Numbers, CheckedConversionsRaiseOverflowAtTheirLimits)
{
    EXPECT_EQ(toInt16(32767), 32767);
    EXPECT_EQ(toInt16(-32768), -32768);
    EXPECT_EQ(errorOf([] { toInt16(32768); }), err::Overflow);
    EXPECT_EQ(errorOf([] { toInt16(-32769); }), err::Overflow);
    EXPECT_EQ(errorOf([] { toInt32(2147483648LL); }), err::Overflow);
    EXPECT_EQ(errorOf([] { checkIndex(0, 1, 12); }), err::Subscript);
    EXPECT_EQ(errorOf([] { checkIndex(12, 1, 12); }), 0);
}

TEST(GameNumber, TextAndNumberFormsNameTheSameDeal)
{
    const GameNumber text = GameNumber::fromText(" 123456 ");
    const GameNumber number = GameNumber::fromNumber(123456);
    EXPECT_TRUE(text.isText());
    EXPECT_FALSE(number.isText());
    EXPECT_EQ(text, number);
    EXPECT_EQ(text.toString(), "123456");
    EXPECT_EQ(GameNumber::fromText("999999999999999").value(), 999999999999999LL);
    EXPECT_EQ(GameNumber::fromText("000000000000000001").value(), 1);
    EXPECT_EQ(errorOf([] { GameNumber::fromText("1000000000000000"); }), err::Overflow);
    EXPECT_EQ(errorOf([] { GameNumber::fromText("12a"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([] { GameNumber::fromText(""); }), err::TypeMismatch);
    EXPECT_EQ(GameNumber::fromText("-10").value(), -10);
}

TEST(FolderList, ListsByNameIgnoringCaseWithHiddenFilesAndWithoutFolders)
{
    QTemporaryDir dir;
    for (const char *name : {"b.gam", "A.gam", ".hidden", "a.GAM", "C"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    QDir(dir.path()).mkdir("Folder");
    EXPECT_EQ(FolderList::files(dir.path()), QStringList({".hidden", "A.gam", "a.GAM", "b.gam", "C"}));
    EXPECT_EQ(FolderList::folders(dir.path()), QStringList({"Folder"}));
    EXPECT_EQ(FolderList::join("/x", "y"), "/x/y");
    EXPECT_EQ(FolderList::join("/x/", "y"), "/x/y");
}

TEST(RgbColor, RedLivesInTheLowByte)
{
    EXPECT_EQ(rgbValue(0x12, 0x34, 0x56), 0x563412u);
    EXPECT_EQ(colorFromRgbValue(0x563412u), QColor(0x12, 0x34, 0x56));
    EXPECT_EQ(rgbValue(QColor(255, 0, 0)), 0xFFu);
}

TEST(Guard, AnErrorIsReportedWithTheApplicationTitleAndGoesNoFurther)
{
    ScriptedMessageBox box;
    box.setAppTitle("Brackenfold 6.0");
    box.expect(MsgResult::Ok, "Subscript out of range");
    EXPECT_FALSE(runGuarded(box, [] { raiseError(err::Subscript); }));
    ASSERT_EQ(box.prompts().size(), 1);
    EXPECT_EQ(box.last().title, "Brackenfold 6.0");
    EXPECT_EQ(box.last().icon, MsgIcon::Critical);
    EXPECT_TRUE(runGuarded(box, [] {}));
    EXPECT_FALSE(ignoreErrors([] { throw std::runtime_error("x"); }));
    EXPECT_EQ(box.prompts().size(), 1);
}
