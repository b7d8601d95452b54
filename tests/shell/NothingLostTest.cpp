// Nothing lost: a game played on a full disk, an unfinished game that cannot be resumed
// or whose flag was lost, a damaged flag and a settings file that cannot be written. Each
// runs the program's own start, play, save and close, then looks at what is on disk.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "shell/cGamePlay.h"
#include "shell/mGen.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "store/mOptions.h"
#include "store/mRegistry.h"
#include "support/Errors.h"
#include "support/Fifo.h"
#include "support/FileBytes.h"
#include "support/FullDisk.h"
#include "support/QtPrint.h"
#include "support/WindowContext.h"
#include "support/SettingsKey.h"

namespace {

const QString kNotResumed = QStringLiteral("The unfinished game of the last session could not be resumed");

struct Session : WindowContext {
    QString unfin() const { return ctx.data().UnFinFile(); }
    QString settings() { return ctx.registry().settingsFile().path(); }
    QString autoSaved(const QString &name) const { return ctx.data().AutoSaveFolder() + QLatin1Char('/') + name; }
    // Game `number` of Freecell with one move made, as the last session left it at a kill.
    QByteArray leaveUnfinished(std::int64_t number)
    {
        gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(number));
        moveToFreeCell(2);
        EXPECT_TRUE(gp().SaveProgress());
        const QByteArray bytes = bytesOf(unfin());
        // Only the files stay, as after a kill: the table is cleared behind the flag's back.
        gp().ClearArea();
        mGen::SetUnFinFlag(ctx, 1);
        return bytes;
    }
    // The files this run left, in a run of its own that starts now.
    void startFrom(Session &last)
    {
        for (const QString &file : {last.unfin(), last.settings()}) {
            const QString to = QString(file).replace(last.home.path(), home.path());
            QDir().mkpath(QFileInfo(to).path());
            writeBytes(to, bytesOf(file));
        }
        // Written as by another process: the program sees it after its event loop turns.
        QCoreApplication::processEvents();
        window->StartFirstGame(QString());
    }
};

} // namespace

TEST(NothingLost, AGamePlayedOnAFullDiskKeepsItsLastGoodSaveAndEverySetting)
{
    Session run;
    FullDisk disk(run.home.path());
    mOptions::SetRangeIndex(run.ctx, 9);
    run.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(31));
    run.moveToFreeCell(2);
    ASSERT_TRUE(run.gp().SaveProgress());
    const int moves = run.engine().GetTransID();
    const QByteArray game = bytesOf(run.unfin());
    const QByteArray settings = bytesOf(run.settings());

    disk.fill();
    run.moveToFreeCell(3);
    EXPECT_EQ(errorOf([&] { run.gp().SaveProgress(); }), err::PathFileAccess);
    EXPECT_EQ(bytesOf(run.unfin()), game);
    // Closing on the full disk names the file it could not write, and empties nothing.
    run.box.expect(MsgResult::Ok, QDir::toNativeSeparators(run.unfin()));
    run.window->ShutDown();
    EXPECT_EQ(bytesOf(run.unfin()), game);
    EXPECT_EQ(bytesOf(run.settings()), settings);

    disk.free();
    Session next;
    next.startFrom(run);
    EXPECT_EQ(next.gp().GameNo().value(), 31);
    EXPECT_EQ(next.engine().GetTransID(), moves);
    EXPECT_EQ(mOptions::GetRangeIndex(next.ctx), 9);
}

TEST(NothingLost, AGameTooBigForANearlyFullDiskIsToldOnceAndKeepsItsLastSaveAndFlagAtClose)
{
    Session run;
    FullDisk disk(run.home.path());
    mOptions::SetAutoPlay(run.ctx, 0);
    run.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(31));
    run.moveToFreeCell(2);
    ASSERT_TRUE(run.gp().SaveProgress());
    const QByteArray game = bytesOf(run.unfin());
    // 400 more moves, a card between two free cells: a file of over three pages.
    const int card = run.play().GetTopPicID(cGames::FreeCell, 0);
    for (int i = 0; i < 400; ++i) {
        std::int32_t kind = cEngine::KindPlain;
        run.play().MoveCard(card, cGames::FreeCell, (i + 1) % 2, 0, kind, 0, 0, true);
    }
    // Room for a settings write, not for the game.
    disk.fill(2 * 4096);

    // The crash saves after each action fail: said once, not after every move.
    run.box.expect(MsgResult::Ok, QStringLiteral("cannot be saved"));
    run.window->PicCD_DblClick(run.play().GetTopPicID(cGames::Tableau, 3));
    run.window->PicCD_DblClick(run.play().GetTopPicID(cGames::Tableau, 4));
    EXPECT_EQ(run.box.prompts().size(), 1);

    run.box.expect(MsgResult::Ok, QStringLiteral("the next start resumes it"));
    run.window->ShutDown();
    EXPECT_EQ(run.box.prompts().size(), 2);
    EXPECT_EQ(bytesOf(run.unfin()), game);
    EXPECT_EQ(mGen::GetUnFinFlag(run.ctx), 1);

    disk.free();
    Session next;
    next.startFrom(run);
    EXPECT_EQ(next.gp().GameNo().value(), 31);
    EXPECT_EQ(next.engine().GetTransID(), 1);
}

TEST(NothingLost, OnADiskThatStaysFullTheGamesLeftAreToldOncePerRun)
{
    Session run;
    FullDisk disk(run.home.path());
    run.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(41));
    run.moveToFreeCell(2);
    disk.fill();
    run.box.allowNotices();
    run.window->DoCommand(QStringLiteral("Close"));
    QStringList told;
    for (const RecordedPrompt &p : run.box.prompts())
        told << p.text;
    EXPECT_TRUE(told.join(QLatin1Char('\n')).contains(QStringLiteral("score log"))) << told.join('\n').toStdString();
    // The next games leave the table without the same words again.
    run.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(42));
    run.moveToFreeCell(2);
    const qsizetype before = run.box.prompts().size();
    run.window->DoCommand(QStringLiteral("Close"));
    EXPECT_EQ(run.box.prompts().size(), before);
    EXPECT_EQ(run.gp().Game_Status(), cGamePlay::NoGame);
}

TEST(NothingLost, AnUnfinishedGameThatCannotBeResumedIsKeptAsideAndNeverOverwritten)
{
    // Moves that do not fit the dealt board keep the header readable; a cut file does not.
    const auto unplayable = [](QByteArray game) {
        const qsizetype last = game.lastIndexOf("\r\n", game.size() - 3) + 2;
        const QList<QByteArray> fields = game.mid(last).simplified().split(' ');
        QByteArray move = " " + fields[0] + "  " + fields[1] + "  7 ";
        for (qsizetype i = 3; i < fields.size(); ++i)
            move += " " + fields[i] + " ";
        return game.left(last) + move + "\r\n";
    };
    const auto cut = [](const QByteArray &game) { return game.left(15); };
    struct Case {
        std::function<QByteArray(QByteArray)> damage;
        QString keptAs;
    };
    for (const Case &c : {Case{unplayable, "Freecell-22-(1).qx0"}, Case{cut, "Unfin.qx0"}}) {
        SCOPED_TRACE(c.keptAs.toStdString());
        Session run;
        const QByteArray damaged = c.damage(run.leaveUnfinished(22));
        writeBytes(run.unfin(), damaged);
        // A file already there keeps its name: the kept game takes the next free one.
        QDir().mkpath(run.ctx.data().AutoSaveFolder());
        writeBytes(run.autoSaved("Freecell-22.qx0"), "another game");

        run.box.expect(MsgResult::Ok, kNotResumed);
        run.window->StartFirstGame(QString());
        EXPECT_TRUE(run.box.last().text.contains(QDir::toNativeSeparators(run.autoSaved(c.keptAs))))
            << run.box.last().text.toStdString();
        EXPECT_EQ(bytesOf(run.autoSaved(c.keptAs)), damaged);
        EXPECT_EQ(bytesOf(run.autoSaved("Freecell-22.qx0")), "another game");

        // A new game was dealt instead; its saves never reach the kept game, and the user
        // was told once.
        EXPECT_EQ(run.gp().Game_Status(), cGamePlay::Playing);
        run.moveToFreeCell(1);
        ASSERT_TRUE(run.gp().SaveProgress());
        run.gp().Unload();
        EXPECT_EQ(bytesOf(run.autoSaved(c.keptAs)), damaged);
        EXPECT_EQ(run.box.prompts().size(), 1);
    }
}

TEST(NothingLost, AnUnfinishedGameThatCanNeitherBeResumedNorMovedIsNeverWrittenOver)
{
    Session run;
    const QByteArray damaged = run.leaveUnfinished(5).left(15);
    writeBytes(run.unfin(), damaged);
    // A file where the auto-save folder belongs: nothing can be moved there.
    const QString folder = run.ctx.data().AutoSaveFolder();
    ASSERT_TRUE(QDir(folder).removeRecursively());
    writeBytes(folder, "in the way");

    run.box.expect(MsgResult::Ok, kNotResumed);
    run.window->StartFirstGame(QString());
    EXPECT_TRUE(run.box.last().text.contains(QStringLiteral("no game is saved over it")));
    EXPECT_EQ(run.gp().Game_Status(), cGamePlay::Playing);
    run.moveToFreeCell(1);
    EXPECT_FALSE(run.gp().SaveProgress());
    run.box.allowNotices();
    run.window->ShutDown();
    EXPECT_EQ(bytesOf(run.unfin()), damaged);
}

TEST(NothingLost, AFifoWhereTheUnfinishedGameBelongsIsToldBeforeAGameIsSavedInItsPlace)
{
    Session run;
    mGen::SetUnFinFlag(run.ctx, 1);
    QFile::remove(run.unfin());
    makeFifo(run.unfin());
    run.box.expect(MsgResult::Ok, kNotResumed);
    EXPECT_TRUE(runsWithoutOpening({run.unfin()}, [&] { run.window->StartFirstGame(QString()); }));
    EXPECT_TRUE(run.box.last().text.contains(QDir::toNativeSeparators(run.unfin()) +
                                             QStringLiteral("\" is not a regular file")))
        << run.box.last().text.toStdString();
    EXPECT_EQ(run.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_TRUE(run.gp().SaveProgress());
    EXPECT_TRUE(QFileInfo(run.unfin()).isFile());
}

TEST(NothingLost, AnUnfinishedGameWhoseFlagWasLostIsKeptAside)
{
    // The flag goes with a damaged settings file set aside, or is itself damaged.
    const QList<std::function<void(Session &)>> losses = {
        [](Session &run) {
            writeBytes(run.settings(), "{ damaged");
            QCoreApplication::processEvents();
            run.box.expect(MsgResult::Ok, QStringLiteral("is damaged and cannot be read"));
        },
        [](Session &run) { mRegistry::SetRegString(run.ctx, "General", "UnFin", "yes"); },
        [](Session &run) {
            // The flag's entry in the file no longer reads as a number; the file is otherwise good.
            QJsonObject root = QJsonDocument::fromJson(bytesOf(run.settings())).object();
            QJsonObject keys = root["keys"].toObject();
            const QString general = settingsKey(QStringLiteral("General"));
            QJsonObject values = keys[general].toObject();
            values["UnFin"] = QJsonObject{{"type", "REG_DWORD"}, {"data", "1"}};
            keys[general] = values;
            root["keys"] = keys;
            writeBytes(run.settings(), QJsonDocument(root).toJson());
            QCoreApplication::processEvents();
            run.box.expect(MsgResult::Ok, QStringLiteral("\"General\\UnFin\""));
        },
        [](Session &run) { mRegistry::SetRegInteger(run.ctx, "General", "UnFin", -1); },
        [](Session &run) { mRegistry::SetRegInteger(run.ctx, "General", "UnFin", 2); },
    };
    for (const auto &lose : losses) {
        Session run;
        const QByteArray game = run.leaveUnfinished(44);
        lose(run);
        run.box.expect(MsgResult::Ok, kNotResumed);
        run.window->StartFirstGame(QString());
        EXPECT_EQ(bytesOf(run.autoSaved("Freecell-44.qx0")), game);
        EXPECT_FALSE(QFile::exists(run.unfin()));
        EXPECT_EQ(run.box.pending(), 0);
    }
}

TEST(NothingLost, ADamagedResumeFlagIsWrittenOverSoTheGameComesBackAfterAKill)
{
    Session run;
    mRegistry::SetRegString(run.ctx, "General", "UnFin", "yes");
    run.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(17));
    run.moveToFreeCell(4);
    ASSERT_TRUE(run.gp().SaveProgress());
    EXPECT_EQ(mGen::GetUnFinFlag(run.ctx), 1);

    Session next;
    next.startFrom(run);
    EXPECT_EQ(next.gp().GameNo().value(), 17);
    EXPECT_EQ(next.engine().GetTransID(), 1);
}

TEST(NothingLost, ASettingsFileThatCannotBeWrittenCostsTheSettingNeverTheGame)
{
    Session run;
    // A folder in the settings file's place.
    QFile::remove(run.settings());
    ASSERT_TRUE(QDir().mkpath(run.settings()));
    run.box.expect(MsgResult::Ok, QDir::toNativeSeparators(run.settings()));
    run.gp().PlayNumber(QStringLiteral("Bouquet"), GameNumber::fromNumber(123));
    EXPECT_EQ(run.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_TRUE(run.gp().Game_Running());
    EXPECT_TRUE(run.window->tmrGame.enabled());
    EXPECT_TRUE(run.box.last().text.contains(QStringLiteral("directory"))) << run.box.last().text.toStdString();
    EXPECT_FALSE(run.box.last().text.contains(QStringLiteral("-2147483646")));

    // Told once per run: the next games start without a word.
    run.gp().Restart();
    run.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(5));
    EXPECT_EQ(run.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(run.box.prompts().size(), 1);
}

TEST(NothingLost, ASettingsFileThatCannotBeWrittenIsToldOnceWhileAutoplayOpenAndSaveStillAct)
{
    Session run;
    run.gp().PlayNumber(QStringLiteral("Freecell"), GameNumber::fromNumber(7));
    run.moveToFreeCell(2);
    QFile::remove(run.settings());
    ASSERT_TRUE(QDir().mkpath(run.settings()));

    // The game is saved, then the folder that cannot be remembered is told in words.
    const QString saved = run.home.path() + QStringLiteral("/kept.qx0");
    run.dialogs.expectSave(saved);
    run.box.expect(MsgResult::Ok, QDir::toNativeSeparators(run.settings()));
    run.window->DoCommand(QStringLiteral("Save"));
    EXPECT_TRUE(QFileInfo(saved).isFile());
    EXPECT_TRUE(run.box.last().text.contains(QStringLiteral("directory"))) << run.box.last().text.toStdString();

    // F7 either way, and an Open of the saved game, say nothing more.
    run.window->DoCommand(QStringLiteral("AutoPlay"));
    run.window->DoCommand(QStringLiteral("AutoPlay"));
    run.window->DoCommand(QStringLiteral("Close"));
    run.dialogs.expectOpen(saved);
    run.window->DoCommand(QStringLiteral("Open"));
    EXPECT_EQ(run.gp().Game_Status(), cGamePlay::Playing);
    EXPECT_EQ(run.engine().GetTransTop(), 1);
    EXPECT_EQ(run.box.prompts().size(), 1);
    for (const RecordedPrompt &p : run.box.prompts())
        EXPECT_FALSE(p.text.contains(QStringLiteral("Failed to set registry value"))) << p.text.toStdString();
}
