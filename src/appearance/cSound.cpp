#include "appearance/cSound.h"

#include <QDir>
#include <QFileInfo>

#include "appearance/mSound.h"
#include "core/FolderList.h"
#include "platform/Guard.h"
#include "app/Context.h"
#include "store/cData.h"
#include "store/mRegistry.h"

namespace {
const QString kSection = QStringLiteral("Sounds");
} // namespace

cSound::cSound(Context &ctx) : ctx_(ctx) {}

// An event sound is heard or not; it never fails its caller. The start sound, for one,
// is played in the middle of a deal, and a store or player error there must not stop it.
void cSound::playEvent(const QString &tag)
{
    ignoreErrors([&] { Play(GetSound(tag)); });
}

void cSound::SelectDialog()
{
    playEvent(QStringLiteral("Select"));
}

void cSound::StartGame()
{
    playEvent(QStringLiteral("Start"));
}

void cSound::MoveCard()
{
    playEvent(QStringLiteral("Move"));
}

void cSound::Undo()
{
    playEvent(QStringLiteral("Undo"));
}

void cSound::Redo()
{
    playEvent(QStringLiteral("Redo"));
}

void cSound::AutoPlay()
{
    ignoreErrors([&] {
        if (ctx_.session().Game_Status() != 0)
            Play(GetSound(QStringLiteral("AutoPlay")));
    });
}

void cSound::PauseGame()
{
    playEvent(QStringLiteral("Pause"));
}

void cSound::CloseGame()
{
    playEvent(QStringLiteral("Close"));
}

void cSound::Win()
{
    playEvent(QStringLiteral("Win"));
}

void cSound::AddFav()
{
    playEvent(QStringLiteral("AddFav"));
}

void cSound::OrgFav()
{
    playEvent(QStringLiteral("OrgFav"));
}

void cSound::AddPend()
{
    playEvent(QStringLiteral("AddPend"));
}

void cSound::OrgPend()
{
    playEvent(QStringLiteral("OrgPend"));
}

void cSound::GameStat()
{
    playEvent(QStringLiteral("GameStat"));
}

void cSound::SessionStat()
{
    playEvent(QStringLiteral("SessionStat"));
}

void cSound::HighScore()
{
    playEvent(QStringLiteral("HighScore"));
}

void cSound::LogStat()
{
    playEvent(QStringLiteral("LogStat"));
}

void cSound::Toolbar()
{
    playEvent(QStringLiteral("Toolbar"));
}

void cSound::Sounds()
{
    playEvent(QStringLiteral("Sounds"));
}

void cSound::Animation()
{
    playEvent(QStringLiteral("Animation"));
}

void cSound::Background()
{
    playEvent(QStringLiteral("Background"));
}

void cSound::Deck()
{
    playEvent(QStringLiteral("Deck"));
}

void cSound::Players()
{
    playEvent(QStringLiteral("Players"));
}

void cSound::AutoSave()
{
    playEvent(QStringLiteral("AutoSave"));
}

void cSound::Hot()
{
    playEvent(QStringLiteral("Hot"));
}

void cSound::History()
{
    playEvent(QStringLiteral("History"));
}

void cSound::Options()
{
    playEvent(QStringLiteral("Options"));
}

void cSound::Rules()
{
    playEvent(QStringLiteral("Rules"));
}

void cSound::Contents()
{
    playEvent(QStringLiteral("Contents"));
}

void cSound::About()
{
    playEvent(QStringLiteral("About"));
}

void cSound::Play(const QString &path)
{
    ignoreErrors([&] {
        // An empty path names no file; a folder is not a sound file either.
        if (!QFileInfo(path).isFile())
            return;
        mSound::PlayWave(ctx_, path);
    });
}

QString cSound::GetSound(const QString &tag)
{
    // The compare is case-sensitive: "start" has no default. Redo shares the undo sound.
    QString def;
    if (tag == QLatin1String("Start"))
        def = GetDefault(QStringLiteral("Start.wav"));
    else if (tag == QLatin1String("Move"))
        def = GetDefault(QStringLiteral("Sel.wav"));
    else if (tag == QLatin1String("AutoPlay"))
        def = GetDefault(QStringLiteral("AutoPlay.wav"));
    else if (tag == QLatin1String("Undo") || tag == QLatin1String("Redo"))
        def = GetDefault(QStringLiteral("Undo.wav"));
    else if (tag == QLatin1String("Win"))
        def = GetDefault(QStringLiteral("Win.wav"));
    return mRegistry::GetRegString(ctx_, kSection, tag, def);
}

QString cSound::GetDefault(const QString &fileName)
{
    return FolderList::join(DefaultSoundFolder(ctx_.data().ProgramFolder(), fileName), fileName);
}

QString cSound::DefaultSoundFolder(const QString &programFolder, const QString &fileName)
{
    // The build tree keeps the sounds beside the program; an installed program keeps them
    // in its data folder, "share/brackenfold" beside its "bin".
    if (QFileInfo(FolderList::join(programFolder, fileName)).isFile())
        return programFolder;
    QString installed = QDir::cleanPath(programFolder + QStringLiteral("/../share/brackenfold"));
    if (QFileInfo(FolderList::join(installed, fileName)).isFile())
        return installed;
    return programFolder;
}

void cSound::SetSound(const QString &tag, const QString &path)
{
    mRegistry::SetRegString(ctx_, kSection, tag, path);
}
