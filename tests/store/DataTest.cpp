#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/Errors.h"

#include "core/AppError.h"
#include "core/TextFile.h"
#include "appearance/cSound.h"
#include "engine/cCustom.h"
#include "store/cData.h"
#include "support/TestContext.h"

namespace {

void writeStudioFile(cData &data, const QString &fileName, const QString &gameName)
{
    TextFile::writeLines(data.GamesFolder() + "/" + fileName,
                         {TextFile::quoted(gameName), "8,6,13,0,1,2,0", "0,0,0", "4,0"});
}

class RecordingRules : public IRulesWindow {
public:
    bool isOpen() const override { return open_; }
    void close() override
    {
        log += "close;";
        open_ = false;
    }
    void open(bool modal, const std::function<void()> &shown) override
    {
        log += modal ? "open modal;" : "open;";
        open_ = true;
        shown();
    }
    QString log;
    bool open_ = false;
};

class RecordingPlayer : public ISoundPlayer {
public:
    bool play(const QString &path) override
    {
        log += QFileInfo(path).fileName() + ";";
        return true;
    }
    bool isPlaying() const override { return false; }
    void stop() override {}
    QString log;
};
} // namespace

TEST(ProductData, ProductIdentityAndExtensions)
{
    TestContext t;
    cData &d = t.ctx.data();
    EXPECT_EQ(d.ProdName(), "Brackenfold 6.0");
    EXPECT_EQ(d.ProdNameX(), "Brackenfold");
    EXPECT_EQ(d.Version(), "6.0");
    EXPECT_EQ(d.Ext(), "qx");
    EXPECT_EQ(d.GameCode(), 0);
    EXPECT_EQ(d.IncExt(), ".qx0");
    EXPECT_EQ(d.FinExt(), ".qx1");
    EXPECT_EQ(d.HelpFile(), "brackenfold.chm");
    EXPECT_EQ(t.box.appTitle(), "Brackenfold 6.0");
    EXPECT_EQ(d.TotalGames(), 12);
}

TEST(ProductData, FoldersAreCreatedLevelByLevelInAFreshHome)
{
    TestContext t;
    cData &d = t.ctx.data();
    const QString home = t.home.path();
    const QString app = home + "/.local/share/Quillmere Technologies/Brackenfold 6.0";
    const QString docs = home + "/Documents/My Games/Brackenfold 6.0";
    EXPECT_EQ(d.AppDir(), app);
    EXPECT_EQ(d.FavFolder(), app + "/Favorites");
    EXPECT_EQ(d.GamesFolder(), app + "/Custom Games");
    EXPECT_EQ(d.SchemeFolder(), app + "/Color Schemes");
    EXPECT_EQ(d.PendingFolder(), app + "/Pending List");
    EXPECT_EQ(d.SavedFolder(), docs);
    EXPECT_EQ(d.AutoSaveFolder(), docs + "/AutoSave Files");
    for (const QString &f : {app + "/Favorites", app + "/Custom Games", app + "/Color Schemes", app + "/Pending List",
                             docs + "/AutoSave Files"})
        EXPECT_TRUE(QFileInfo(f).isDir()) << f.toStdString();
    EXPECT_EQ(d.UnFinFile(), app + "/Unfin.qx0");
    EXPECT_FALSE(QFileInfo::exists(d.UnFinFile()));
    EXPECT_EQ(d.DefaultSchemeFile(), app + "/Color Schemes/Default Color Scheme");
    EXPECT_FALSE(QFileInfo::exists(d.DefaultSchemeFile()));

    QDir(docs + "/AutoSave Files").removeRecursively();
    EXPECT_TRUE(QFileInfo(d.AutoSaveFolder()).isDir());
    EXPECT_TRUE(QDir(d.AutoSaveFolder()).isEmpty());
}

TEST(ProductData, AMissingOrRelativeUserFolderIsANamedErrorAndCreatesNothing)
{
    ScriptedMessageBox box;
    FixedShellFolders none("", "", "", "");
    FixedShellFolders relative("data", "docs", "cfg", "data");
    for (FixedShellFolders *folders : {&none, &relative}) {
        Services s;
        s.messages = &box;
        s.shellFolders = folders;
        Context ctx(s);
        ctx.createSharedObjects();
        // Start-up's product set-up lists the studio games, so it meets the error first.
        EXPECT_EQ(errorOf([&] { mStudio::InitProduct(ctx); }), err::NoUserFolder);
        EXPECT_EQ(errorOf([&] { ctx.data().AppDir(); }), err::NoUserFolder);
        EXPECT_EQ(errorOf([&] { ctx.data().MyGamesFolder(); }), err::NoUserFolder);
        EXPECT_EQ(errorOf([&] { ctx.data().GamesFolder(); }), err::NoUserFolder);
    }
    EXPECT_FALSE(QFileInfo::exists("data"));
    EXPECT_FALSE(QFileInfo::exists("docs"));
}

TEST(ProductData, DefaultColourSchemeIsWrittenOnceAndNeverOverwritten)
{
    TestContext t;
    cData &d = t.ctx.data();
    d.CreateDefaultSchemeFile();
    QFile f(d.DefaultSchemeFile());
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(" 0  128  0  128  0  0 \r\n"));
    f.close();
    TextFile::writeLines(d.DefaultSchemeFile(), {" 1  2  3  4  5  6 "});
    d.CreateDefaultSchemeFile();
    EXPECT_EQ(TextFile::readLines(d.DefaultSchemeFile()), QStringList({" 1  2  3  4  5  6 "}));
}

TEST(ProductData, DefaultCustomImageIsSavedAsABitmapWhenMissing)
{
    TestContext t;
    const QString path = t.ctx.data().DefaultCustImageFile();
    EXPECT_TRUE(path.endsWith("/Documents/My Games/Brackenfold 6.0/CustomImage.bmp"));
    QImage image(path, "BMP");
    EXPECT_FALSE(image.isNull());
    const QDateTime written = QFileInfo(path).lastModified();
    EXPECT_EQ(t.ctx.data().DefaultCustImageFile(), path);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
}

TEST(ProductData, GameTableLooksNamesUpExactly)
{
    TestContext t;
    cData &d = t.ctx.data();
    EXPECT_EQ(d.GetGameID("Freecell"), 1);
    EXPECT_EQ(d.GetGameID("Mission"), 12);
    EXPECT_EQ(d.GetGName(6), "Bouquet");
    EXPECT_EQ(d.GetGameID("freecell"), 0);
    EXPECT_FALSE(d.GameExists("FreeCell"));
    EXPECT_TRUE(d.GameExists("Baker's Game"));
    EXPECT_FALSE(d.IsOriginal("Freecell"));
    EXPECT_FALSE(d.IsOriginal("Nothing"));
    EXPECT_EQ(d.GetDeck("Freecell"), "One (52 Cards)");
    EXPECT_EQ(d.GetDeck("Nothing"), "");
    EXPECT_EQ(errorOf([&] { d.GetGName(0); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { d.GetGName(13); }), err::Subscript);

    d.SetGame(3, "Freecell", false, 7); // an unknown deck code keeps the row's text
    EXPECT_EQ(d.GetGameID("Freecell"), 1);
    EXPECT_EQ(d.GetDeck("Forecell"), "");
    d.SetGame(2, "Half", false, 0);
    EXPECT_EQ(d.GetDeck("Half"), "Half (26 Cards)");
    EXPECT_EQ(errorOf([&] { d.SetGame(13, "x", false, 1); }), err::Subscript);
}

TEST(ProductData, StudioGamesFollowTheBuiltInOnesAsOneDeckGames)
{
    TestContext t;
    cData &d = t.ctx.data();
    writeStudioFile(d, "Zebra.gam", "Zebra");
    writeStudioFile(d, "alpha.GAM", "alpha");
    d.Refresh_NewGames();
    EXPECT_EQ(d.TotalGames(), 14);
    EXPECT_EQ(d.GetGName(13), "alpha");
    EXPECT_EQ(d.GetGName(14), "Zebra");
    EXPECT_TRUE(d.IsOriginal("Zebra"));
    EXPECT_EQ(d.GetDeck("Zebra"), "One (52 Cards)");

    QFile::remove(d.GamesFolder() + "/Zebra.gam");
    d.Refresh_NewGames();
    EXPECT_EQ(d.TotalGames(), 13);
    EXPECT_EQ(d.GetGameID("Zebra"), 0);
    EXPECT_EQ(errorOf([&] { d.GetGName(14); }), err::Subscript);
    EXPECT_EQ(d.GetGName(12), "Mission");
}

TEST(ProductData, RulesLoadTheDefinitionThenOpenTheWindowThenSound)
{
    ScriptedMessageBox box;
    TempHome home;
    RecordingRules rules;
    RecordingPlayer player;
    Services s;
    s.messages = &box;
    s.shellFolders = &home.folders();
    s.rulesWindow = &rules;
    s.soundPlayer = &player;
    Context ctx(s);
    ctx.createSharedObjects();
    mStudio::InitProduct(ctx);
    for (const char *tag : {"Rules", "Contents"}) {
        const QString file = home.path() + "/" + tag + ".wav";
        TextFile::writeLines(file, {"RIFF"});
        ctx.sound().SetSound(tag, file);
    }

    ctx.data().ShowRules("Two Cells", 0);
    EXPECT_EQ(ctx.custom().GameName(), "Two Cells");
    EXPECT_EQ(ctx.custom().RPiles(), 2);
    EXPECT_EQ(rules.log, "open;");
    ctx.data().ShowRules("Mission", 1);
    EXPECT_EQ(rules.log, "open;close;open modal;");
    EXPECT_EQ(player.log, "Rules.wav;Rules.wav;");
    ctx.data().ShowContents();
    EXPECT_EQ(player.log, "Rules.wav;Rules.wav;Contents.wav;");
}

TEST(ProductData, BrackenfoldHomeHoldsEveryPerUserFolder)
{
    QTemporaryDir home;
    const QByteArray before = qgetenv("BRACKENFOLD_HOME");
    qputenv("BRACKENFOLD_HOME", QFile::encodeName(home.path()));
    ScriptedMessageBox box;
    StandardShellFolders folders;
    Services s;
    s.messages = &box;
    s.shellFolders = &folders;
    Context ctx(s);
    ctx.createSharedObjects();
    mStudio::InitProduct(ctx);
    EXPECT_EQ(ctx.data().AppDir(), home.path() + "/.local/share/Quillmere Technologies/Brackenfold 6.0");
    EXPECT_EQ(ctx.data().SavedFolder(), home.path() + "/Documents/My Games/Brackenfold 6.0");
    EXPECT_EQ(folders.configFolder(), home.path() + "/.config");
    EXPECT_TRUE(QFileInfo(ctx.data().GamesFolder()).isDir());
    if (before.isNull())
        qunsetenv("BRACKENFOLD_HOME");
    else
        qputenv("BRACKENFOLD_HOME", before);
}
