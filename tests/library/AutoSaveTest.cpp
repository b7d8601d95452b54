// Auto-saved games: names with counters that never overwrite anything, the options that
// switch each kind off, the lists by kind, deleting them all, and the browser's tab.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

#include "core/AppError.h"
#include "core/TextFile.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "library/mAutoSave.h"
#include "shell/cGamePlay.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "store/mOptions.h"
#include "support/Errors.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/GameContext.h"
#include "support/QtPrint.h"

namespace {

struct AutoSaves : GameContext {
    QString folder() { return ctx.data().AutoSaveFolder(); }
    QString at(const QString &name) { return folder() + "/" + name; }
    // Every entry of the folder, files and folders, hidden ones included.
    QStringList entries()
    {
        QStringList names =
            QDir(folder()).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        names.sort();
        return names;
    }
    void touch(const QString &name, const QByteArray &bytes = "x") { writeBytes(at(name), bytes); }
};

} // namespace

TEST(AutoSave, LosingAGameAgainCountsUpAndWinningStartsItsOwnName)
{
    AutoSaves t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234.qx0"));
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234-(1).qx0"));
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234-(2).qx0"));
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, true), t.at("Mania-1234.qx1"));
    EXPECT_EQ(t.entries(),
              (QStringList{"Mania-1234-(1).qx0", "Mania-1234-(2).qx0", "Mania-1234.qx0", "Mania-1234.qx1"}));
    // Each file is the saved game itself.
    EXPECT_EQ(bytesOf(t.at("Mania-1234.qx1")), t.ctx.engine().SavedGameBytes());
    const SavedGameInfo header = mFile::ReadGameHeader(t.at("Mania-1234-(2).qx0"));
    EXPECT_EQ(header.GameName, "Mania");
    EXPECT_EQ(header.GameNo.value(), 1234);

    EXPECT_EQ(mAutoSave::AutoSaveName("Mania", GameNumber::fromNumber(1234), 0, ".qx0"), "Mania-1234.qx0");
    EXPECT_EQ(mAutoSave::AutoSaveName("Mania", GameNumber::fromNumber(1234), 32767, ".qx1"), "Mania-1234-(32767).qx1");
}

TEST(AutoSave, AFreedNameIsTakenAgain)
{
    AutoSaves t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    mAutoSave::AutoSaveGame(t.ctx, false);
    mAutoSave::AutoSaveGame(t.ctx, false);
    ASSERT_TRUE(QFile::remove(t.at("Mania-1234.qx0")));
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234.qx0"));
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234-(2).qx0"));
}

TEST(AutoSave, ANameTakenByAFileFolderOrLinkIsSkippedAndNeverOverwritten)
{
    AutoSaves t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    t.touch("Mania-1234.qx0", "mine");
    ASSERT_TRUE(QDir(t.folder()).mkdir("Mania-1234-(1).qx0"));
    // A link to nothing: following it would write outside the folder.
    const QString outside = t.home.path() + "/outside.qx0";
    ASSERT_TRUE(QFile::link(outside, t.at("Mania-1234-(2).qx0")));

    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234-(3).qx0"));
    EXPECT_EQ(bytesOf(t.at("Mania-1234.qx0")), QByteArray("mine"));
    EXPECT_TRUE(QFileInfo(t.at("Mania-1234-(1).qx0")).isDir());
    EXPECT_FALSE(QFileInfo::exists(outside));
    // No temporary file is left behind.
    EXPECT_EQ(t.entries(),
              (QStringList{"Mania-1234-(1).qx0", "Mania-1234-(2).qx0", "Mania-1234-(3).qx0", "Mania-1234.qx0"}));
}

TEST(AutoSave, ANumberHeldAsTextNamesTheSameFile)
{
    AutoSaves t;
    t.gp().PlayString("Mania - 1234");
    ASSERT_TRUE(t.gp().GameNo().isText());
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234.qx0"));
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(1234));
    // Starting the number ended the first game, which took the next name.
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-1234-(2).qx0"));
}

TEST(AutoSave, EachKindIsSwitchedOffByItsOwnOption)
{
    AutoSaves t;
    t.gp().PlayNumber("Mania", GameNumber::fromNumber(5));
    mOptions::SetEnableInc(t.ctx, 0);
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), QString());
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, true), t.at("Mania-5.qx1"));
    mOptions::SetEnableInc(t.ctx, 1);
    mOptions::SetEnableFin(t.ctx, 0);
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, true), QString());
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("Mania-5.qx0"));
    EXPECT_EQ(t.entries(), (QStringList{"Mania-5.qx0", "Mania-5.qx1"}));
}

TEST(AutoSave, AGameEndedUnfinishedIsSavedWithItsMoves)
{
    AutoSaves t;
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(8));
    cPlay &play = t.ctx.play();
    const int card = play.GetTopPicID(cGames::Tableau, 0);
    std::int32_t kind = cEngine::KindPlain;
    play.MoveCard(card, cGames::FreeCell, 0, 0, kind, 0, 0, true);
    t.gp().PlayNumber("Bouquet", GameNumber::fromNumber(2));

    const LoadedGame game = mFile::ReadSavedGame(t.ctx, t.at("Freecell-8.qx0"));
    EXPECT_EQ(game.header.GameName, "Freecell");
    ASSERT_EQ(game.moves.size(), 1);
    EXPECT_EQ(game.moves[0].PicID, card);
}

TEST(AutoSave, NamesReadFromAFileNeverLeaveTheFolder)
{
    AutoSaves t;
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(3));
    t.gp().setGameName("../../escape");
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at(".._.._escape-3.qx0"));
    t.gp().setGameName(QString("tab\there"));
    EXPECT_EQ(mAutoSave::AutoSaveGame(t.ctx, false), t.at("tab_here-3.qx0"));
    EXPECT_FALSE(QFileInfo::exists(t.home.path() + "/escape-3.qx0"));
}

TEST(AutoSave, AWriteThatFailsReachesTheCallerAndAGameEndedMeanwhileStillEnds)
{
    AutoSaves t;
    FullDisk disk(t.folder());
    disk.fill();
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(3));
    EXPECT_EQ(errorOf([&] { mAutoSave::AutoSaveGame(t.ctx, false); }), err::PathFileAccess);
    EXPECT_EQ(mAutoSave::GetAutoSaveFiles(t.ctx, false), QStringList{"0"});

    // A new game ends the one in play: the failed auto-save is reported once and the new
    // game is dealt, or no game could ever be left.
    t.box.expect(MsgResult::Ok, "Freecell-3.qx0");
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(4));
    EXPECT_EQ(t.box.prompts().size(), 1);
    EXPECT_EQ(t.gp().GameNo().value(), 4);
    EXPECT_EQ(t.gp().Game_Status(), cGamePlay::Playing);
}

TEST(AutoSave, AGameWithANameLongerThanAFileNameCanBeLeftAndEveryNameFits)
{
    AutoSaves t;
    // 100 four-byte and 100 two-byte characters: 600 bytes of UTF-8.
    QString name;
    for (int i = 0; i < 100; ++i)
        name += QString::fromUcs4(U"\U0001F0A1") + QChar(0x00DC);
    const QString path = t.home.path() + "/Long.qx0";
    writeBytes(path, TextFile::joinLines({name, " 12345 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 0 ", " 6 ",
                                          " 13 ", " 8 ", " 0 ", " 1 ", " 4 ", " 0 ", " 0 ", " 2 "}));
    t.gp().PlayFile(path, false);
    ASSERT_EQ(t.gp().GameName(), name);
    t.gp().Restart();
    t.gp().PlayNumber("Freecell", GameNumber::fromNumber(1));
    EXPECT_EQ(t.gp().GameNo().value(), 1);

    QStringList kept = t.entries();
    ASSERT_EQ(kept.size(), 2);
    for (const QString &tail : {QStringLiteral("-12345-(1).qx0"), QStringLiteral("-12345.qx0")}) {
        const QString file = kept.takeFirst();
        const QByteArray bytes = QFile::encodeName(file);
        EXPECT_LE(bytes.size(), 255);
        EXPECT_GT(bytes.size(), 250);
        EXPECT_TRUE(file.endsWith(tail)) << file.toStdString();
        // Cut between characters: the name is the game name's beginning, whole.
        EXPECT_TRUE(name.startsWith(file.chopped(tail.size()))) << file.toStdString();
        EXPECT_EQ(mFile::ReadGameHeader(t.at(file)).GameName, name);
    }
    // The longest counter and either extension still fit, for every name made from a game.
    for (const QString &tail : {QStringLiteral("-(32767).qx1"), QStringLiteral(".qx0")}) {
        const QString file = mFile::GameFileName(name, GameNumber::fromNumber(999999999999999), tail);
        EXPECT_LE(QFile::encodeName(file).size(), 255);
        EXPECT_TRUE(file.endsWith("-999999999999999" + tail)) << file.toStdString();
        EXPECT_TRUE(name.startsWith(file.chopped(16 + tail.size())));
    }
}

TEST(AutoSave, ListsHoldOneKindInAnyLetterCase)
{
    AutoSaves t;
    for (const char *name : {"b.qx0", "A.QX0", "c.qx1", "D.Qx1", "notes.txt", "e.qx0.old"})
        t.touch(name);
    ASSERT_TRUE(QDir(t.folder()).mkdir("Folder.qx0"));
    const QString dir = t.folder();
    EXPECT_EQ(mAutoSave::GetAutoSaveFiles(t.ctx, false), (QStringList{"2", dir + "/A.QX0", dir + "/b.qx0"}));
    EXPECT_EQ(mAutoSave::GetAutoSaveFiles(t.ctx, true), (QStringList{"2", dir + "/c.qx1", dir + "/D.Qx1"}));
}

TEST(AutoSave, DeletingAllAsksFirstAndTakesOnlyThatKind)
{
    AutoSaves t;
    for (const char *name : {"a.qx0", "b.QX0", "c.qx1", "notes.txt"})
        t.touch(name);
    t.box.expect(MsgResult::No);
    EXPECT_FALSE(mAutoSave::DeleteAllAutoSaves(t.ctx, false));
    const RecordedPrompt &asked = t.box.last();
    EXPECT_EQ(asked.text, "Are you sure you want to delete all Games ?");
    EXPECT_EQ(asked.buttons, MsgButtons::YesNo);
    EXPECT_EQ(asked.icon, MsgIcon::Critical);
    EXPECT_EQ(asked.title, "Brackenfold 6.0");
    EXPECT_EQ(t.entries().size(), 4);

    t.box.expect(MsgResult::Yes);
    EXPECT_TRUE(mAutoSave::DeleteAllAutoSaves(t.ctx, false));
    EXPECT_EQ(t.entries(), (QStringList{"c.qx1", "notes.txt"}));
    t.box.expect(MsgResult::Yes);
    EXPECT_TRUE(mAutoSave::DeleteAllAutoSaves(t.ctx, true));
    EXPECT_EQ(t.entries(), QStringList{"notes.txt"});
}

TEST(AutoSave, AReadOnlyFileStopsTheDeletionAndKeepsWhatFollows)
{
    AutoSaves t;
    for (const char *name : {"a.qx1", "b.qx1", "c.qx1"})
        t.touch(name);
    ASSERT_TRUE(QFile::setPermissions(t.at("b.qx1"), QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    t.box.expect(MsgResult::Yes);
    QString text;
    EXPECT_EQ(errorOf([&] { mAutoSave::DeleteAllAutoSaves(t.ctx, true); }, &text), err::PermissionDenied);
    EXPECT_TRUE(text.contains(t.at("b.qx1")));
    EXPECT_EQ(t.entries(), (QStringList{"b.qx1", "c.qx1"}));
    QFile::setPermissions(t.at("b.qx1"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

TEST(AutoSave, TheBrowserTabIsRemembered)
{
    AutoSaves t;
    EXPECT_EQ(mAutoSave::GetAutoSaveTab(t.ctx), 0);
    mAutoSave::SetAutoSaveTab(t.ctx, 1);
    EXPECT_EQ(mAutoSave::GetAutoSaveTab(t.ctx), 1);
}
