#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

#include "support/Errors.h"

#include "core/AppError.h"
#include "shell/mGen.h"
#include "app/mGen1.h"
#include "store/cData.h"
#include "store/mRegistry.h"
#include "support/TestContext.h"

TEST(ShellHelpers, RankTablesDifferOnlyInTheirThirteenthEntry)
{
    const QStringList ranks = {"Ace",   "Two",  "Three", "Four", "Five",  "Six", "Seven",
                               "Eight", "Nine", "Ten",   "Jack", "Queen", "King"};
    for (int i = 0; i < ranks.size(); ++i) {
        EXPECT_EQ(mGen::GetBaseCardName(static_cast<std::int16_t>(i)), ranks[i]);
        EXPECT_EQ(mGen::GetSpaceCardName(static_cast<std::int16_t>(i)), ranks[i]);
    }
    EXPECT_EQ(mGen::GetBaseCardName(13), "Random");
    EXPECT_EQ(mGen::GetSpaceCardName(13), "Any Card");
    EXPECT_EQ(mGen::GetBaseCardName(14), "");
    EXPECT_EQ(mGen::GetSpaceCardName(14), "");
    EXPECT_EQ(mGen::GetBaseCardName(-1), "");
    EXPECT_EQ(mGen::GetSpaceCardName(-1), "");
}

TEST(ShellHelpers, FlagSuitAndAreaNamesAreEmptyOutsideTheirTables)
{
    EXPECT_EQ(mGen::GetBoolName(0), "False");
    EXPECT_EQ(mGen::GetBoolName(1), "True");
    EXPECT_EQ(mGen::GetBoolName(-1), "");
    EXPECT_EQ(mGen::GetBoolName(2), "");

    EXPECT_EQ(mGen::GetSuitsName(0), "One");
    EXPECT_EQ(mGen::GetSuitsName(1), "Two");
    EXPECT_EQ(mGen::GetSuitsName(2), "Four");
    EXPECT_EQ(mGen::GetSuitsName(3), "");
    EXPECT_EQ(mGen::GetSuitsName(-1), "");

    const QStringList areas = {"Tableau", "Stock", "Waste", "Foundation", "Reserve"};
    for (int i = 0; i < areas.size(); ++i)
        EXPECT_EQ(mGen1::GetAreaName(static_cast<std::int16_t>(i)), areas[i]);
    EXPECT_EQ(mGen1::GetAreaName(5), "");
    EXPECT_EQ(mGen1::GetAreaName(-1), "");
}

TEST(ShellHelpers, FileTitleDropsTheExtensionAndNeedsAnExistingFile)
{
    TempHome home;
    const QString path = home.path() + "/Bouquet-617.qx1";
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_EQ(mGen::GetFileTitle(path), "Bouquet-617");

    EXPECT_EQ(errorOf([&] { mGen::GetFileTitle(home.path() + "/Gone-1.qx0"); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { mGen::GetFileTitle(home.path()); }), err::FileNotFound);
    EXPECT_EQ(errorOf([&] { mGen::GetFileTitle(QString()); }), err::FileNotFound);

    // A name too short to hold an extension leaves no title rather than failing.
    QFile shortFile(home.path() + "/ab");
    ASSERT_TRUE(shortFile.open(QIODevice::WriteOnly));
    shortFile.close();
    EXPECT_EQ(mGen::GetFileTitle(home.path() + "/ab"), "");
}

TEST(ShellHelpers, SpecialFoldersComeFromTheShell)
{
    TestContext t;
    EXPECT_EQ(mGen1::GetSpecialFolder(t.ctx, 26), t.home.folders().appDataFolder());
    EXPECT_EQ(mGen1::GetSpecialFolder(t.ctx, 5), t.home.folders().documentsFolder());
    EXPECT_EQ(mGen1::GetAppDataFolder(t.ctx), t.home.folders().appDataFolder());
    EXPECT_EQ(mGen1::GetDocumentsFolder(t.ctx), t.home.folders().documentsFolder());
    EXPECT_EQ(mGen1::GetSpecialFolder(t.ctx, 0), "");
    EXPECT_EQ(mGen1::GetSpecialFolder(t.ctx, 35), "");
}

TEST(ShellHelpers, SaveInitDirFallsBackToSavedFolderAndKeepsADeletedOne)
{
    TestContext t;
    const QString saved = t.ctx.data().SavedFolder();
    EXPECT_EQ(mGen1::GetSaveInitDir(t.ctx), saved);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "SaveInitDir", "unset"), "unset");

    const QString chosen = t.home.path() + "/Chosen";
    ASSERT_TRUE(QDir().mkpath(chosen));
    mGen1::SetSaveInitDir(t.ctx, chosen);
    EXPECT_EQ(mGen1::GetSaveInitDir(t.ctx), chosen);

    ASSERT_TRUE(QDir(chosen).removeRecursively());
    EXPECT_EQ(mGen1::GetSaveInitDir(t.ctx), saved);
    EXPECT_EQ(mRegistry::GetRegString(t.ctx, "General", "SaveInitDir", "unset"), chosen);

    // A remembered path that names a file, or nothing, is no folder either.
    QFile file(t.home.path() + "/plain.txt");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    mGen1::SetSaveInitDir(t.ctx, file.fileName());
    EXPECT_EQ(mGen1::GetSaveInitDir(t.ctx), saved);
    mGen1::SetSaveInitDir(t.ctx, "");
    EXPECT_EQ(mGen1::GetSaveInitDir(t.ctx), saved);
}

TEST(ShellHelpers, HotFlagsArePerGameAndZeroUntilMarked)
{
    TestContext t;
    EXPECT_EQ(mGen1::GetHotFlag(t.ctx, "Freecell"), 0);
    mGen1::SetHotFlag(t.ctx, "Freecell", 1);
    EXPECT_EQ(mGen1::GetHotFlag(t.ctx, "Freecell"), 1);
    EXPECT_EQ(mGen1::GetHotFlag(t.ctx, "Bouquet"), 0);
    EXPECT_EQ(mRegistry::GetRegInteger(t.ctx, "HotGames", "Freecell", -7), 1);
    mGen1::SetHotFlag(t.ctx, "Freecell", 0);
    EXPECT_EQ(mGen1::GetHotFlag(t.ctx, "Freecell"), 0);
}
