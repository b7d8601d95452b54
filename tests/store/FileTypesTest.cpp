// The saved-game file types on the desktop: both registration files byte for byte for a
// program path full of characters the desktop entry must escape, the start-up test that
// registers again when either file is missing, a data folder that cannot be written,
// the folder picker, and where the default sounds are found.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "appearance/cSound.h"
#include "platform/DesktopTools.h"
#include "shell/m_Main.h"
#include "store/BrowseFolder.h"
#include "store/cData.h"
#include "store/mReg.h"
#include "support/FileBytes.h"
#include "support/GameContext.h"

namespace {

class RecordingTools : public IDesktopTools {
public:
    void runDetached(const QString &program, const QStringList &arguments) override
    {
        runs << program + " " + arguments.join(' ');
    }
    QStringList runs;
};

struct ToolsPart {
    RecordingTools tools;
};

struct Registration : ToolsPart, TestContext {
    Registration() : TestContext(withTools(tools)) {}
    static Services withTools(RecordingTools &tools)
    {
        Services s;
        s.desktopTools = &tools;
        return s;
    }
    QString data() const { return home.folders().dataHomeFolder(); }
    QString xml() const { return data() + "/mime/packages/brackenfold.xml"; }
    QString entry() const { return data() + "/applications/brackenfold-files.desktop"; }
};

// desktop-file-validate (Debian desktop-file-utils) on a desktop entry: "" when it is valid.
QString validate(const QString &path)
{
    const QString tool = QStandardPaths::findExecutable("desktop-file-validate");
    if (tool.isEmpty())
        return "desktop-file-validate is not installed";
    QProcess p;
    p.start(tool, {path});
    p.waitForFinished(120000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError()).trimmed();
    return p.exitCode() == 0 && out.isEmpty() ? QString() : out + " (exit " + QString::number(p.exitCode()) + ")";
}

const char kAwkwardProgram[] = "/opt/My Games/$HOME 100%/\"q\"/back\\slash/brackenfold";

} // namespace

TEST(FileTypes, BothFilesAreWrittenExactlyAndTheEntryIsValid)
{
    Registration t;
    mReg::RegisterFileTypesFor(t.ctx, kAwkwardProgram);
    EXPECT_EQ(bytesOf(t.xml()),
              QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                         "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
                         "  <mime-type type=\"application/x-brackenfold-finished\">\n"
                         "    <comment>Brackenfold Finished Game</comment>\n"
                         "    <generic-icon name=\"x-office-document\"/>\n"
                         "    <glob pattern=\"*.qx1\"/>\n"
                         "  </mime-type>\n"
                         "  <mime-type type=\"application/x-brackenfold-incomplete\">\n"
                         "    <comment>Brackenfold Incomplete Game</comment>\n"
                         "    <generic-icon name=\"x-office-document\"/>\n"
                         "    <glob pattern=\"*.qx0\"/>\n"
                         "  </mime-type>\n"
                         "</mime-info>\n"));
    // Inside the quotes ", `, $ and \ take a backslash and % is doubled; then every
    // backslash of the value is doubled again.
    EXPECT_EQ(bytesOf(t.entry()),
              QByteArray("[Desktop Entry]\n"
                         "Type=Application\n"
                         "Name=Brackenfold 6.0\n"
                         "Exec=\"/opt/My Games/\\\\$HOME 100%%/\\\\\"q\\\\\"/back\\\\\\\\slash/brackenfold\" %f\n"
                         "TryExec=/opt/My Games/$HOME 100%/\"q\"/back\\\\slash/brackenfold\n"
                         "Icon=brackenfold\n"
                         "MimeType=application/x-brackenfold-finished;application/x-brackenfold-incomplete;\n"
                         "NoDisplay=true\n"));
    EXPECT_EQ(validate(t.entry()), "");
    EXPECT_EQ(t.tools.runs, QStringList({"update-mime-database " + t.data() + "/mime",
                                         "update-desktop-database " + t.data() + "/applications"}));

    // The package installed with the program is the same, and so is its launcher's validity.
    EXPECT_EQ(mReg::MimePackage(t.ctx), bytesOf(BRACKENFOLD_SOURCE_DIR "/assets/brackenfold.xml"));
    EXPECT_EQ(validate(BRACKENFOLD_SOURCE_DIR "/assets/brackenfold.desktop"), "");
}

TEST(FileTypes, StartUpRegistersWhenEitherFileIsMissingAndLeavesBothAlone)
{
    Registration t;
    EXPECT_EQ(mReg::GetClassDefault(t.ctx, ".qx0"), "");
    m_Main::InitSession(t.ctx);
    EXPECT_EQ(t.tools.runs.size(), 2);
    EXPECT_EQ(mReg::GetClassDefault(t.ctx, ".qx0"), "application/x-brackenfold-incomplete");
    EXPECT_EQ(mReg::GetClassDefault(t.ctx, ".QX1"), "application/x-brackenfold-finished");

    // Both there: nothing is written, even when they name another program.
    writeBytes(t.entry(), "[Desktop Entry]\nExec=other %f\n");
    t.tools.runs.clear();
    m_Main::InitSession(t.ctx);
    EXPECT_TRUE(t.tools.runs.isEmpty());
    EXPECT_EQ(bytesOf(t.entry()), "[Desktop Entry]\nExec=other %f\n");

    for (const QString &missing : {t.entry(), t.xml()}) {
        ASSERT_TRUE(QFile::remove(missing));
        EXPECT_EQ(mReg::GetClassDefault(t.ctx, ".qx1"), "");
        m_Main::InitSession(t.ctx);
        EXPECT_TRUE(QFile::exists(t.xml()) && QFile::exists(t.entry()));
        EXPECT_NE(mReg::GetClassDefault(t.ctx, ".qx1"), "");
    }
}

TEST(FileTypes, AnUnwritableDataFolderOrAPathWithALineBreakRegistersNothingAndRaisesNothing)
{
    Registration t;
    mReg::RegisterFileTypesFor(t.ctx, "/opt/two\nlines/brackenfold");
    EXPECT_FALSE(QFile::exists(t.xml()));
    EXPECT_FALSE(QFile::exists(t.entry()));

    // A file where the data folder should be.
    QDir().mkpath(QFileInfo(t.data()).path());
    QDir(t.data()).removeRecursively();
    writeBytes(t.data(), "in the way");
    mReg::RegisterFileTypesFor(t.ctx, "/usr/bin/brackenfold");
    EXPECT_TRUE(t.tools.runs.isEmpty());
    EXPECT_EQ(mReg::GetClassDefault(t.ctx, ".qx0"), "");
}

TEST(FolderPicker, OpensOnTheStartFolderOrHomeAndAnswersEmptyOnCancel)
{
    GameContext t;
    const QString start = t.ctx.data().SavedFolder();
    t.dialogs.expectFolder(t.home.path());
    EXPECT_EQ(BrowseFolder::BrowseForFolder(t.ctx, "Save Folder", start), t.home.path());
    EXPECT_EQ(t.dialogs.last().request.title, "Save Folder");
    EXPECT_EQ(t.dialogs.last().request.folder, start);
    t.dialogs.expectFolder("");
    EXPECT_EQ(BrowseFolder::BrowseForFolder(t.ctx, "Save Folder", t.home.path() + "/gone"), "");
    EXPECT_EQ(t.dialogs.last().request.folder, QDir::homePath());
}

TEST(DefaultSounds, AreFoundBesideTheProgramOrInTheInstalledDataFolder)
{
    QTemporaryDir prefix;
    const QString bin = prefix.filePath("bin");
    const QString share = prefix.filePath("share/brackenfold");
    QDir().mkpath(bin);
    QDir().mkpath(share);
    // Nowhere yet: the program folder is named.
    EXPECT_EQ(cSound::DefaultSoundFolder(bin, "Win.wav"), bin);
    writeBytes(share + "/Win.wav", "RIFF");
    EXPECT_EQ(cSound::DefaultSoundFolder(bin, "Win.wav"), QDir::cleanPath(share));
    // The build tree's layout: beside the program comes first.
    writeBytes(bin + "/Win.wav", "RIFF");
    EXPECT_EQ(cSound::DefaultSoundFolder(bin, "Win.wav"), bin);
}
