#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <gtest/gtest.h>

#include "support/Errors.h"

#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/TextFile.h"
#include "engine/cCustom.h"
#include "engine/mStudio.h"
#include "library/mFavorites.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "support/FileBytes.h"
#include "support/TestContext.h"

namespace {

// name, HPiles, HOrder, HSpace, HAK, HMulti, Suits, MOrder, GOrder, GBase, GCards, RPiles, RCards
struct Row {
    const char *name;
    int values[12];
};
const Row kTable[] = {
    {"Freecell", {8, 6, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0}},
    {"Baker's Game", {8, 5, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0}},
    {"Forecell", {8, 6, 13, 0, 1, 2, 0, 0, 0, 0, 4, 4}},
    {"Seven By Four", {7, 6, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0}},
    {"Two Cells", {8, 6, 13, 0, 1, 2, 0, 0, 0, 0, 2, 0}},
    {"Bouquet", {8, 8, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0}},
    {"Color Cell", {8, 7, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0}},
    {"Freecell Reversed", {8, 1, 13, 0, 1, 2, 0, 5, 0, 0, 4, 0}},
    {"Freecell Two Suit", {8, 6, 13, 0, 1, 1, 0, 0, 0, 0, 4, 0}},
    {"Luxury", {8, 13, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0}},
    {"Mania", {8, 12, 13, 0, 1, 2, 0, 0, 0, 0, 4, 0}},
    {"Mission", {8, 6, 13, 1, 1, 2, 0, 0, 1, 4, 4, 0}},
};

std::array<int, 12> valuesOf(const cCustom &c)
{
    return {c.HPiles(), c.HOrder(), c.HSpace(), c.HAK(),    c.HMulti(), c.Suits(),
            c.MOrder(), c.GOrder(), c.GBase(),  c.GCards(), c.RPiles(), c.RCards()};
}

QString savedGame(const QStringList &lines)
{
    return QString(TextFile::joinLines(lines));
}
} // namespace

TEST(Definitions, EveryBuiltInGameLoadsItsRowAndTakesItsIdInTableOrder)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    int id = 1;
    for (const Row &row : kTable) {
        ASSERT_TRUE(c.Init(row.name)) << row.name;
        EXPECT_EQ(c.GameName(), row.name);
        const auto v = valuesOf(c);
        for (int i = 0; i < 12; ++i)
            EXPECT_EQ(v[i], row.values[i]) << row.name << " value " << i;
        EXPECT_EQ(t.ctx.data().GetGameID(row.name), id++);
    }
}

TEST(Definitions, AnUnknownNameOrOtherCaseKeepsTheHeldDefinition)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    ASSERT_TRUE(c.Init("Two Cells"));
    EXPECT_FALSE(c.Init("freecell"));
    EXPECT_FALSE(c.Init("No Such Game"));
    EXPECT_EQ(c.GameName(), "Two Cells");
    EXPECT_EQ(c.RPiles(), 2);
}

TEST(Definitions, SettersCheckTheSixteenBitRangeBeforeStoringAnything)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    c.Init("Freecell");
    EXPECT_EQ(errorOf([&] { c.Home(9, 70000, 13, 0, 1, 2, 0); }), err::Overflow);
    EXPECT_EQ(c.HPiles(), 8);
    EXPECT_EQ(errorOf([&] { c.Goal(-40000, 1, 1); }), err::Overflow);
    EXPECT_EQ(errorOf([&] { c.Res(1, 40000); }), err::Overflow);
    EXPECT_EQ(c.RPiles(), 4);
}

TEST(Definitions, OrderCodesHaveTheirNamesAndRules)
{
    EXPECT_EQ(mStudio::GetOrderName(0), "Up Same Suit");
    EXPECT_EQ(mStudio::GetOrderName(6), "Down Alternate Color");
    EXPECT_EQ(mStudio::GetOrderName(10), "Any Card");
    EXPECT_EQ(mStudio::GetOrderName(12), "Up/Down Alternate Color");
    EXPECT_EQ(mStudio::GetOrderName(15), "Up/Down Any Suit");
    EXPECT_EQ(mStudio::GetOrderName(-1), "");
    EXPECT_EQ(mStudio::GetOrderName(16), "");
    const int expected[16][2] = {{1, 1},  {1, 2},  {1, 5}, {1, 4}, {1, 3}, {-1, 1}, {-1, 2}, {-1, 5},
                                 {-1, 4}, {-1, 3}, {0, 0}, {0, 1}, {0, 2}, {0, 5},  {0, 4},  {0, 3}};
    for (int code = 0; code < 16; ++code) {
        const auto rule = mStudio::GetOrderRule(code);
        EXPECT_TRUE(rule.valid);
        EXPECT_EQ(rule.anyCard, code == 10);
        EXPECT_EQ(rule.direction, expected[code][0]) << code;
        EXPECT_EQ(rule.suitRule, expected[code][1]) << code;
    }
    EXPECT_FALSE(mStudio::GetOrderRule(16).valid);
}

TEST(StudioFiles, SavedDefinitionIsByteExact)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    c.Init("Freecell");
    t.box.expect(MsgResult::Ok, "Successfully Saved Game : My Freecell");
    ASSERT_TRUE(c.SaveStudioGame("My Freecell", true, false));
    EXPECT_EQ(t.box.last().icon, MsgIcon::Information);
    EXPECT_EQ(t.box.last().title, "Brackenfold 6.0");
    const QString path = t.ctx.data().GamesFolder() + "/My Freecell.gam";
    EXPECT_EQ(bytesOf(path), QByteArray("\"My Freecell\"\r\n8,6,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n"));
    // The save registers the game in the table.
    EXPECT_EQ(t.ctx.data().GetGameID("My Freecell"), 13);
    EXPECT_TRUE(t.ctx.data().IsOriginal("My Freecell"));
}

TEST(StudioFiles, RoundTripKeepsValuesTheStudioDoesNotOfferUnchanged)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    const QString path = t.ctx.data().GamesFolder() + "/Odd.gam";
    const QByteArray bytes("\"Odd\"\r\n12,15,13,1,0,1,0\r\n8,12,4\r\n21,5\r\n");
    writeBytes(path, bytes);
    t.ctx.data().Refresh_NewGames();
    ASSERT_TRUE(c.Init("Odd"));
    EXPECT_EQ(c.HPiles(), 12);
    EXPECT_EQ(c.RCards(), 5);
    t.box.expect(MsgResult::Ok, "Successfully Saved Game");
    ASSERT_TRUE(c.SaveStudioGame("Odd", false, false));
    EXPECT_EQ(bytesOf(path), bytes);
}

TEST(StudioFiles, TheNameInsideTheFileWins)
{
    TestContext t;
    writeBytes(t.ctx.data().GamesFolder() + "/Outside.gam", "\"Inside\"\r\n7,6,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n");
    cCustom &c = t.ctx.custom();
    ASSERT_TRUE(c.LoadStudioFile("Outside"));
    EXPECT_EQ(c.GameName(), "Inside");
    EXPECT_EQ(c.HPiles(), 7);
    EXPECT_FALSE(c.LoadStudioFile("Missing"));
}

TEST(StudioFiles, ADamagedFileRaisesAndChangesNothing)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    c.Init("Two Cells");
    const QString folder = t.ctx.data().GamesFolder();
    writeBytes(folder + "/Short.gam", "\"Short\"\r\n8,6,13,0,1,2,0\r\n0,0,0\r\n");
    writeBytes(folder + "/Text.gam", "\"Text\"\r\n8,six,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n");
    writeBytes(folder + "/Few.gam", "\"Few\"\r\n8,6,13\r\n0,0,0\r\n4,0\r\n");
    writeBytes(folder + "/Big.gam", "\"Big\"\r\n8,6,13,0,1,2,0\r\n0,0,0\r\n40000,0\r\n");
    // Values a deal would take but no saved game of them could be read back with.
    writeBytes(folder + "/Wrap.gam", "\"Wrap\"\r\n8,6,13,2,1,2,0\r\n0,0,0\r\n4,0\r\n");
    writeBytes(folder + "/Order.gam", "\"Order\"\r\n8,6,13,0,1,2,0\r\n16,0,0\r\n4,0\r\n");
    EXPECT_EQ(errorOf([&] { c.LoadStudioFile("Short"); }), err::InputPastEnd);
    EXPECT_EQ(errorOf([&] { c.LoadStudioFile("Text"); }), err::TypeMismatch);
    EXPECT_EQ(errorOf([&] { c.LoadStudioFile("Few"); }), err::InputPastEnd);
    EXPECT_EQ(errorOf([&] { c.LoadStudioFile("Big"); }), err::Overflow);
    QString text;
    EXPECT_EQ(errorOf([&] { c.LoadStudioFile("Wrap"); }, &text), err::BadDefinition);
    EXPECT_TRUE(text.contains("Wrap.gam") && text.contains("wrap flag is 2")) << text.toStdString();
    EXPECT_EQ(errorOf([&] { c.LoadStudioFile("Order"); }, &text), err::BadDefinition);
    EXPECT_TRUE(text.contains("foundation order is 16")) << text.toStdString();
    EXPECT_EQ(c.GameName(), "Two Cells");
    EXPECT_EQ(c.RPiles(), 2);
}

TEST(StudioFiles, InvalidAndBuiltInNamesAreRefused)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    c.Init("Freecell");
    for (const char *name :
         {"", "a/b", "a\\b", "a:b", "a*b", "a?b", "a\"b", "a<b", "a>b", "a|b", "Freecell", "Mission"}) {
        t.box.expect(MsgResult::Ok, "Please Enter a valid Game Name");
        EXPECT_FALSE(c.SaveStudioGame(name, true, false)) << name;
        EXPECT_EQ(t.box.last().icon, MsgIcon::None);
        EXPECT_EQ(c.GameName(), name); // the held name changes before the checks
    }
    EXPECT_EQ(FolderList::files(t.ctx.data().GamesFolder()), QStringList());
}

TEST(StudioFiles, OverwritingANewGameAsksFirst)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    c.Init("Freecell");
    t.box.expect(MsgResult::Ok, "Successfully");
    ASSERT_TRUE(c.SaveStudioGame("Mine", true, false));
    const QString path = t.ctx.data().GamesFolder() + "/Mine.gam";
    const QByteArray before = bytesOf(path);

    c.Init("Two Cells");
    t.box.expect(MsgResult::No, "Another Game exists with the same name. Do you want to overwrite ?");
    EXPECT_FALSE(c.SaveStudioGame("Mine", true, false));
    EXPECT_EQ(t.box.last().buttons, MsgButtons::YesNo);
    EXPECT_EQ(t.box.last().icon, MsgIcon::Critical);
    EXPECT_EQ(bytesOf(path), before);
    EXPECT_EQ(c.GameName(), "Mine");

    t.box.expect(MsgResult::Yes, "Another Game");
    t.box.expect(MsgResult::Ok, "Successfully");
    EXPECT_TRUE(c.SaveStudioGame("Mine", true, false));
    EXPECT_TRUE(bytesOf(path).endsWith("2,0\r\n"));

    // Saving an edited game overwrites without a question.
    t.box.expect(MsgResult::Ok, "Successfully");
    EXPECT_TRUE(c.SaveStudioGame("Mine", false, false));
    EXPECT_EQ(t.box.pending(), 0);
}

TEST(StudioFiles, ListingTakesGamFilesInAnyCaseOnly)
{
    TestContext t;
    const QString folder = t.ctx.data().GamesFolder();
    for (const char *name : {"b.gam", "A.GAM", ".hidden.gam", "notes.txt", "xgam", ".gam"})
        writeBytes(folder + "/" + name, "\"x\"\r\n8,6,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n");
    QDir(folder).mkdir("Folder.gam");
    const QStringList list = t.ctx.custom().GetStudioGames();
    ASSERT_EQ(list.size(), 6 + 2);
    EXPECT_EQ(list[0], "3");
    EXPECT_EQ(list[1], ".hidden");
    EXPECT_EQ(list[2], "A");
    EXPECT_EQ(list[3], "b");
    for (int i = 4; i < list.size(); ++i)
        EXPECT_EQ(list[i], "");
}

TEST(StudioFiles, AFileWithACapitalExtensionIsTheOneEditedAndLoaded)
{
    TestContext t;
    const QString folder = t.ctx.data().GamesFolder();
    writeBytes(folder + "/Loud.GAM", "\"Loud\"\r\n7,6,13,0,1,2,0\r\n0,0,0\r\n4,0\r\n");
    t.ctx.data().Refresh_NewGames();
    cCustom &c = t.ctx.custom();
    ASSERT_TRUE(c.Init("Loud"));
    EXPECT_EQ(c.HPiles(), 7);
    c.setHPiles(9);
    t.box.expect(MsgResult::Ok, "Successfully");
    ASSERT_TRUE(c.SaveStudioGame("Loud", false, false));
    EXPECT_EQ(FolderList::files(folder), QStringList({"Loud.GAM"}));
    EXPECT_TRUE(bytesOf(folder + "/Loud.GAM").startsWith("\"Loud\"\r\n9,"));
}

TEST(SavedGameHeader, DefinitionIsTakenFromTheHeader)
{
    TestContext t;
    const QString path = t.home.path() + "/g.qx0";
    writeBytes(path,
               savedGame({"Baker's, Deluxe", " 12345 ", " 75 ", " 2 ", " 0 ", " 0 ", " 5 ", " 1 ", " 4 ", " 8 ", " 13 ",
                          " 7 ", " 1 ", " 0 ", " 3 ", " 2 ", " 0 ", " 1 ", " 51  0  3  6  4  0  0  0  0  0 "})
                   .toUtf8());
    cCustom &c = t.ctx.custom();
    c.LoadGameFile(path);
    EXPECT_EQ(c.GameName(), "Baker's, Deluxe");
    EXPECT_EQ(valuesOf(c), (std::array<int, 12>{7, 8, 13, 1, 0, 1, 0, 5, 1, 4, 3, 2}));
    const SavedGameInfo info = mFile::ReadGameHeader(path);
    EXPECT_EQ(info.GameNo.value(), 12345);
    EXPECT_EQ(info.Time, 75);
    EXPECT_EQ(info.Moves, 2);
    EXPECT_FALSE(info.DatePlayed.isEmpty());
}

TEST(SavedGameHeader, DamagedHeadersRaiseTheirReadErrors)
{
    TestContext t;
    QStringList lines = {"Freecell", "12345", " 75 ", " 40000 ", " 0 ", " 0 "};
    for (int i = 0; i < 12; ++i)
        lines << " 0 ";
    const QString path = t.home.path() + "/g.qx0";
    writeBytes(path, savedGame(lines).toUtf8());
    EXPECT_EQ(errorOf([&] { mFile::ReadGameHeader(path); }), err::Overflow);
    lines[3] = " 2 ";
    lines[7] = "x";
    writeBytes(path, savedGame(lines).toUtf8());
    EXPECT_EQ(errorOf([&] { mFile::ReadGameHeader(path); }), err::TypeMismatch);
    lines[7] = " 0 ";
    writeBytes(path, savedGame(lines.mid(0, 17)).toUtf8());
    EXPECT_EQ(errorOf([&] { mFile::ReadGameHeader(path); }), err::InputPastEnd);
    writeBytes(path, savedGame(lines).toUtf8());
    EXPECT_EQ(mFile::ReadGameHeader(path).GameNo.value(), 12345); // a bare number reads the same
}

TEST(Preview, ThreePicturesArePaintedOverTheBoxWithoutClearingIt)
{
    TestContext t;
    cCustom &c = t.ctx.custom();
    c.Init("Freecell");
    QImage box(400, 300, QImage::Format_ARGB32);
    box.fill(QColor(1, 2, 3));
    c.Update_Pic(box);
    EXPECT_EQ(box.pixelColor(399, 299), QColor(1, 2, 3));
    EXPECT_NE(box.pixelColor(1, 1), QColor(1, 2, 3));
    EXPECT_NE(box.pixelColor(126, 1), QColor(1, 2, 3));
    EXPECT_NE(box.pixelColor(1, 37), QColor(1, 2, 3));
}

TEST(Definitions, AStudioGameMayDifferFromABuiltInOneInLetterCaseOnly)
{
    TestContext t;
    writeBytes(t.ctx.data().GamesFolder() + "/freecell.gam", "\"freecell\"\r\n5,6,13,0,1,2,0\r\n0,0,0\r\n3,0\r\n");
    t.ctx.data().Refresh_NewGames();
    cCustom &c = t.ctx.custom();
    ASSERT_TRUE(c.Init("freecell"));
    EXPECT_EQ(c.HPiles(), 5);
    ASSERT_TRUE(c.Init("Freecell"));
    EXPECT_EQ(c.HPiles(), 8);
}

TEST(StudioFiles, NamesWithControlCharactersAreRefused)
{
    TestContext t;
    for (const char *name : {"a\rb", "a\nb", "tab\there"}) {
        t.box.expect(MsgResult::Ok, "Please Enter a valid Game Name");
        EXPECT_FALSE(t.ctx.custom().SaveStudioGame(name, true, false));
    }
    EXPECT_TRUE(mFavorites::IsValidFileName("-"));
    EXPECT_TRUE(mFavorites::IsValidFileName("Baker's Game - 617"));
}
