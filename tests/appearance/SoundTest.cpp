// Event sounds: which file each event plays, when it stays silent, the rule that a
// playing sound is never cut, that an event sound never fails its caller, and the
// default sound files generated beside the program.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

#include "appearance/cSound.h"
#include "appearance/mSound.h"
#include "core/AppError.h"
#include "engine/mStudio.h"
#include "platform/CanberraSoundPlayer.h"
#include "platform/SoundPlayer.h"
#include "app/Context.h"
#include "store/cData.h"
#include "store/cRegistry.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempHome.h"

namespace {

// Records what reaches the backend; a sound "plays" from its request until the test
// says it has ended.
class FakeSoundPlayer : public ISoundPlayer {
public:
    bool play(const QString &path) override
    {
        if (failing)
            raiseError(err::InvalidCall, QStringLiteral("the audio output went away"));
        requests << path;
        if (playing)
            cutRequests << path;
        playing = true;
        return true;
    }
    bool isPlaying() const override { return playing; }
    void stop() override
    {
        ++stops;
        playing = false;
    }

    QStringList requests;
    QStringList cutRequests; // requests that arrived while a sound was still playing
    int stops = 0;
    bool playing = false;
    bool failing = false;
};

class FakeSession : public ISessionInfo {
public:
    QString GameName() const override { return {}; }
    int Game_Status() const override
    {
        if (failing)
            raiseError(err::InvalidCall, QStringLiteral("no session"));
        return status;
    }
    int status = 1;
    bool failing = false;
};

// A settings store whose every write fails, as on a full or read-only disk.
class FailingWriter : public SettingsWriter {
public:
    bool write(const QString &, const QByteArray &) override { return false; }
};

class SoundTest : public ::testing::Test {
protected:
    SoundTest() : ctx_(makeServices())
    {
        ctx_.createSharedObjects();
        mStudio::InitProduct(ctx_);
    }

    Services makeServices()
    {
        Services s;
        s.messages = &box_;
        s.shellFolders = &home_.folders();
        s.session = &session_;
        s.soundPlayer = &player_;
        return s;
    }

    // A file that exists; the fake player never reads it.
    QString makeFile(const QString &name)
    {
        const QString path = dir_.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write("RIFF");
        return path;
    }

    // The sound of the previous event has ended.
    void soundEnds() { player_.playing = false; }

    cSound &sound() { return ctx_.sound(); }

    QTemporaryDir dir_;
    ScriptedMessageBox box_;
    TempHome home_;
    FakeSoundPlayer player_;
    FakeSession session_;
    Context ctx_;
};

QString programFolder()
{
    return QCoreApplication::applicationDirPath();
}

using EventMember = void (cSound::*)();
struct Event {
    EventMember member;
    const char *tag;
};

// Every event member with its tag, in interface order.
const Event kEvents[] = {
    {&cSound::SelectDialog, "Select"},
    {&cSound::StartGame, "Start"},
    {&cSound::MoveCard, "Move"},
    {&cSound::Undo, "Undo"},
    {&cSound::Redo, "Redo"},
    {&cSound::AutoPlay, "AutoPlay"},
    {&cSound::PauseGame, "Pause"},
    {&cSound::CloseGame, "Close"},
    {&cSound::Win, "Win"},
    {&cSound::AddFav, "AddFav"},
    {&cSound::OrgFav, "OrgFav"},
    {&cSound::AddPend, "AddPend"},
    {&cSound::OrgPend, "OrgPend"},
    {&cSound::GameStat, "GameStat"},
    {&cSound::SessionStat, "SessionStat"},
    {&cSound::HighScore, "HighScore"},
    {&cSound::LogStat, "LogStat"},
    {&cSound::Toolbar, "Toolbar"},
    {&cSound::Sounds, "Sounds"},
    {&cSound::Animation, "Animation"},
    {&cSound::Background, "Background"},
    {&cSound::Deck, "Deck"},
    {&cSound::Players, "Players"},
    {&cSound::AutoSave, "AutoSave"},
    {&cSound::Hot, "Hot"},
    {&cSound::History, "History"},
    {&cSound::Options, "Options"},
    {&cSound::Rules, "Rules"},
    {&cSound::Contents, "Contents"},
    {&cSound::About, "About"},
};

} // namespace

// ---- Which file an event plays ---------------------------------------------------

TEST_F(SoundTest, WithNothingStoredTheSixSoundingEventsUseTheirDefaultFiles)
{
    const QString folder = programFolder();
    EXPECT_EQ(sound().GetSound("Start"), folder + "/Start.wav");
    EXPECT_EQ(sound().GetSound("Move"), folder + "/Sel.wav");
    EXPECT_EQ(sound().GetSound("AutoPlay"), folder + "/AutoPlay.wav");
    EXPECT_EQ(sound().GetSound("Undo"), folder + "/Undo.wav");
    EXPECT_EQ(sound().GetSound("Redo"), folder + "/Undo.wav");
    EXPECT_EQ(sound().GetSound("Win"), folder + "/Win.wav");
    for (const Event &e : kEvents) {
        const QString tag = QString::fromLatin1(e.tag);
        if (!QStringList{"Start", "Move", "AutoPlay", "Undo", "Redo", "Win"}.contains(tag)) {
            EXPECT_EQ(sound().GetSound(tag), QString()) << e.tag;
        }
    }
}

TEST_F(SoundTest, StoredPathWinsAndStoredEmptyPathSilencesEvenADefault)
{
    sound().SetSound("Win", "/somewhere/fanfare.wav");
    sound().SetSound("Start", "");
    EXPECT_EQ(sound().GetSound("Win"), "/somewhere/fanfare.wav");
    EXPECT_EQ(sound().GetSound("Start"), QString());
    // Storing again replaces the choice; an empty path silences the event.
    sound().SetSound("Win", "");
    EXPECT_EQ(sound().GetSound("Win"), QString());
}

TEST_F(SoundTest, DefaultsAreGivenOnlyForTheExactTag)
{
    EXPECT_EQ(sound().GetSound("start"), QString());
    EXPECT_EQ(sound().GetSound("WIN"), QString());
    EXPECT_EQ(sound().GetSound("Start "), QString());
}

TEST_F(SoundTest, DefaultFileIsJoinedToTheProgramFolderWithOneSeparator)
{
    const QString path = sound().GetDefault("Sel.wav");
    EXPECT_EQ(path, programFolder() + "/Sel.wav");
    EXPECT_FALSE(path.contains("//"));
}

TEST_F(SoundTest, EveryEventPlaysTheFileChosenForItsOwnTag)
{
    session_.status = 1;
    for (const Event &e : kEvents)
        sound().SetSound(e.tag, makeFile(QString::fromLatin1(e.tag) + ".wav"));
    for (const Event &e : kEvents) {
        soundEnds();
        (sound().*e.member)();
        ASSERT_FALSE(player_.requests.isEmpty()) << e.tag;
        EXPECT_EQ(player_.requests.last(), dir_.filePath(QString::fromLatin1(e.tag) + ".wav")) << e.tag;
    }
    EXPECT_EQ(player_.requests.size(), 30);
}

TEST_F(SoundTest, EventsWithoutAFileAreSilent)
{
    // Nothing stored: the defaults do not lie in the test program's folder, and the
    // other events have none.
    session_.status = 1;
    for (const Event &e : kEvents) {
        if (!QFile::exists(sound().GetSound(e.tag)))
            (sound().*e.member)();
    }
    // A chosen file that has been deleted and a stored empty path are silent too.
    const QString gone = makeFile("gone.wav");
    QFile::remove(gone);
    sound().SetSound("Win", gone);
    sound().SetSound("Deck", "");
    sound().Win();
    sound().Deck();
    EXPECT_TRUE(player_.requests.isEmpty());
}

TEST_F(SoundTest, PlayOfAnEmptyMissingOrFolderPathDoesNothing)
{
    EXPECT_NO_THROW(sound().Play(""));
    EXPECT_NO_THROW(sound().Play(dir_.filePath("missing.wav")));
    EXPECT_NO_THROW(sound().Play(dir_.path()));
    EXPECT_TRUE(player_.requests.isEmpty());
    sound().Play(makeFile("here.wav"));
    EXPECT_EQ(player_.requests, QStringList{dir_.filePath("here.wav")});
}

TEST_F(SoundTest, AutoPlaySoundsOnlyWhileAGameIsPlayedOrReplayed)
{
    sound().SetSound("AutoPlay", makeFile("auto.wav"));
    session_.status = 0;
    sound().AutoPlay();
    EXPECT_TRUE(player_.requests.isEmpty());
    session_.status = 1;
    sound().AutoPlay();
    EXPECT_EQ(player_.requests.size(), 1);
    soundEnds();
    session_.status = 2;
    sound().AutoPlay();
    EXPECT_EQ(player_.requests.size(), 2);
}

// ---- One sound at a time ---------------------------------------------------------

TEST_F(SoundTest, RequestWhileASoundPlaysIsDroppedWithoutCuttingIt)
{
    const QString first = makeFile("first.wav");
    const QString second = makeFile("second.wav");
    EXPECT_NE(mSound::PlayWave(ctx_, first), 0);
    const int stopsBefore = player_.stops;
    EXPECT_EQ(mSound::PlayWave(ctx_, second), 0);
    EXPECT_EQ(player_.requests, QStringList{first});
    EXPECT_EQ(player_.stops, stopsBefore);
    EXPECT_TRUE(player_.isPlaying());
    EXPECT_TRUE(player_.cutRequests.isEmpty());
    soundEnds();
    EXPECT_NE(mSound::PlayWave(ctx_, second), 0);
    EXPECT_EQ(player_.requests, (QStringList{first, second}));
}

TEST_F(SoundTest, MoveSoundIsSkippedWhileTheAutoPlaySoundOfTheSameReleasePlays)
{
    session_.status = 1;
    sound().SetSound("AutoPlay", makeFile("auto.wav"));
    sound().SetSound("Move", makeFile("move.wav"));
    sound().AutoPlay();
    sound().MoveCard();
    EXPECT_EQ(player_.requests, QStringList{dir_.filePath("auto.wav")});
    soundEnds();
    sound().MoveCard();
    EXPECT_EQ(player_.requests.last(), dir_.filePath("move.wav"));
}

TEST_F(SoundTest, StopCommandsStopThePlayer)
{
    mSound::PlayWave(ctx_, makeFile("long.wav"));
    EXPECT_EQ(mSound::StopWav(ctx_), 0);
    EXPECT_FALSE(player_.isPlaying());
    const int before = player_.stops;
    mSound::StopAll(ctx_);
    EXPECT_EQ(player_.stops, before + 2);
}

// ---- Failures ----------------------------------------------------------------------

TEST_F(SoundTest, FailingPlayerNeverFailsAnEventOrPlay)
{
    player_.failing = true;
    sound().SetSound("Start", makeFile("start.wav"));
    EXPECT_NO_THROW(sound().StartGame());
    EXPECT_NO_THROW(sound().Play(dir_.filePath("start.wav")));
    EXPECT_TRUE(player_.requests.isEmpty());
}

TEST_F(SoundTest, SetSoundRaisesWhenTheStoreFailsAndKeepsTheOldChoice)
{
    const QString old = makeFile("old.wav");
    sound().SetSound("Win", old);
    FailingWriter failing;
    ctx_.registry().settingsFile().setWriter(&failing);
    try {
        sound().SetSound("Win", "/sounds/new.wav");
        ADD_FAILURE() << "a failed store was reported as success";
    } catch (const AppError &e) {
        EXPECT_EQ(e.number(), reg::ErrWriteFailed);
    }
    ctx_.registry().settingsFile().setWriter(nullptr);
    EXPECT_EQ(sound().GetSound("Win"), old);
    sound().Win();
    EXPECT_EQ(player_.requests, QStringList{old});
}

TEST_F(SoundTest, FailingSessionLeavesAutoPlaySilent)
{
    session_.failing = true;
    sound().SetSound("AutoPlay", makeFile("auto.wav"));
    EXPECT_NO_THROW(sound().AutoPlay());
    EXPECT_TRUE(player_.requests.isEmpty());
}

TEST(SoundContext, SharedSoundIsCreatedWithTheOtherObjectsAndIsSilentByDefault)
{
    ScriptedMessageBox box;
    TempHome home;
    Services services;
    services.messages = &box;
    services.shellFolders = &home.folders();
    Context ctx{services};
    ctx.createSharedObjects();
    ASSERT_NE(ctx.gSound, nullptr);
    EXPECT_FALSE(ctx.soundPlayer().play(programFolder() + "/../Sel.wav"));
    EXPECT_NO_THROW(ctx.sound().MoveCard());
}

// ---- The generated default sounds ------------------------------------------------

namespace {

struct WaveInfo {
    bool valid = false;
    quint16 format = 0, channels = 0, bits = 0;
    quint32 rate = 0;
    QByteArray samples;
    double seconds() const { return rate && channels ? samples.size() / (2.0 * channels * rate) : 0.0; }
    int sampleAt(qsizetype i) const { return qFromLittleEndian<qint16>(samples.constData() + 2 * i); }
};

WaveInfo readWave(const QString &path)
{
    WaveInfo w;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return w;
    const QByteArray all = f.readAll();
    if (all.size() < 12 || all.left(4) != "RIFF" || all.mid(8, 4) != "WAVE")
        return w;
    if (qFromLittleEndian<quint32>(all.constData() + 4) != quint32(all.size() - 8))
        return w;
    qsizetype pos = 12;
    bool haveFmt = false;
    while (pos + 8 <= all.size()) {
        const QByteArray id = all.mid(pos, 4);
        const quint32 size = qFromLittleEndian<quint32>(all.constData() + pos + 4);
        const qsizetype body = pos + 8;
        if (body + qsizetype(size) > all.size())
            return w;
        if (id == "fmt " && size >= 16) {
            w.format = qFromLittleEndian<quint16>(all.constData() + body);
            w.channels = qFromLittleEndian<quint16>(all.constData() + body + 2);
            w.rate = qFromLittleEndian<quint32>(all.constData() + body + 4);
            w.bits = qFromLittleEndian<quint16>(all.constData() + body + 14);
            haveFmt = true;
        } else if (id == "data") {
            w.samples = all.mid(body, size);
            w.valid = haveFmt;
            return w;
        }
        pos = body + size + (size & 1);
    }
    return w;
}

// The program folder of the built program: the test programs sit one level below it.
QString builtSound(const QString &name)
{
    return QDir::cleanPath(programFolder() + "/../" + name);
}

} // namespace

TEST(DefaultSounds, AreShortQuietEdgedMonoPcmFilesBesideTheProgram)
{
    for (const char *name : {"Start.wav", "Sel.wav", "AutoPlay.wav", "Undo.wav", "Win.wav"}) {
        const QString path = builtSound(QString::fromLatin1(name));
        ASSERT_TRUE(QFile::exists(path)) << path.toStdString();
        const WaveInfo w = readWave(path);
        ASSERT_TRUE(w.valid) << name;
        EXPECT_EQ(w.format, 1) << name;
        EXPECT_EQ(w.channels, 1) << name;
        EXPECT_EQ(w.bits, 16) << name;
        EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << name;
        EXPECT_GT(w.seconds(), 0.02) << name;
        EXPECT_LT(w.seconds(), 1.5) << name;
        // Faded in and out, so the sound starts and stops without a click.
        const qsizetype n = w.samples.size() / 2;
        EXPECT_LT(std::abs(w.sampleAt(0)), 64) << name;
        EXPECT_LT(std::abs(w.sampleAt(n - 1)), 64) << name;
    }
}

TEST(DefaultSounds, MoveSoundIsAShortTick)
{
    const WaveInfo w = readWave(builtSound("Sel.wav"));
    ASSERT_TRUE(w.valid);
    EXPECT_LT(w.seconds(), 0.2);
}

// ---- The libcanberra player ---------------------------------------------------------

TEST(CanberraSoundPlayerTest, ReadsTheLengthOfAWaveFileAndRefusesOtherFiles)
{
    const qint64 ms = CanberraSoundPlayer::waveLength(builtSound("Sel.wav"));
    EXPECT_GT(ms, 0);
    EXPECT_LT(ms, 200);
    QTemporaryDir dir;
    QFile text(dir.filePath("notes.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("not a sound at all");
    text.close();
    EXPECT_EQ(CanberraSoundPlayer::waveLength(text.fileName()), -1);
    EXPECT_EQ(CanberraSoundPlayer::waveLength(dir.filePath("missing.wav")), -1);

    CanberraSoundPlayer player;
    EXPECT_FALSE(player.play(text.fileName()));
    EXPECT_FALSE(player.play(dir.filePath("missing.wav")));
    EXPECT_FALSE(player.isPlaying());
}
