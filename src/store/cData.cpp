#include "store/cData.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <sys/stat.h>

#include "core/AppError.h"
#include "core/DurableWrite.h"
#include "core/FolderList.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "store/cRegistry.h"
#include "appearance/cSound.h"
#include "engine/cCustom.h"
#include "platform/ArtLibrary.h"
#include "app/Context.h"

namespace {
const QString kMaker = QStringLiteral("Quillmere Technologies");
} // namespace

cData::cData(Context &ctx) : ctx_(ctx)
{
    resizeGames(0);
}

void cData::InitCD(const QString &cProdName, const QString &cVersion, std::int16_t cStdGames, const QString &cHelpFile,
                   const QString &cExt)
{
    prodName_ = cProdName + QStringLiteral(" ") + cVersion;
    prodNameX_ = cProdName;
    version_ = cVersion;
    stdGames_ = cStdGames;
    helpFile_ = cHelpFile;
    ext_ = cExt;
    ctx_.messages().setAppTitle(prodName_);
    resizeGames(stdGames_);
}

std::int32_t cData::GameCode() const
{
    if (ext_ == QLatin1String("vz"))
        return 1;
    if (ext_ == QLatin1String("jw"))
        return 2;
    return 0;
}

void cData::resizeGames(int n)
{
    names_.resize(n + 1);
    original_.resize(n + 1);
    decks_.resize(n + 1);
}

namespace {
// Makes the folder and its missing parents; "" when it stands, else the system's reason.
QString makeFolder(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return {};
    const QString parent = info.absolutePath();
    if (parent != info.absoluteFilePath()) {
        QString why = makeFolder(parent);
        if (!why.isEmpty())
            return why;
    }
    // Another running copy may create the folder at the same moment.
    if (::mkdir(QFile::encodeName(path).constData(), 0777) == 0 || QFileInfo(path).isDir())
        return {};
    return qt_error_string(errno);
}

// Raises the error for a folder that cannot be made, in words naming it and the reason.
void raiseNoFolder(const QString &path, const QString &why)
{
    const QFileInfo info(path);
    if (info.isSymLink() && !info.exists())
        raiseError(err::PathNotFound, QStringLiteral("The folder %1 is a link to \"%2\", a place that does not exist.")
                                          .arg(path, info.symLinkTarget()));
    raiseError(err::PathNotFound, QStringLiteral("The folder %1 could not be created: %2.").arg(path, why));
}
} // namespace

QString cData::ensureFolder(const QString &path)
{
    QFileInfo info(path);
    if (info.isDir())
        return path;
    if (info.exists())
        raiseError(err::FileAlreadyExists, QStringLiteral("A file stands where the folder %1 belongs.").arg(path));
    if (const QString why = makeFolder(path); !why.isEmpty())
        raiseNoFolder(path, why);
    return path;
}

QString cData::baseFolder(const QString &folder, const QString &what) const
{
    if (folder.isEmpty() || QDir::isRelativePath(folder))
        raiseError(err::NoUserFolder,
                   QStringLiteral("The %1 folder of this user cannot be found, so %2 cannot keep its files.")
                       .arg(what, prodName_.isEmpty() ? QStringLiteral("the program") : prodName_));
    // A fresh home may not have the folder yet: create it with every missing parent.
    if (const QString why = makeFolder(folder); !why.isEmpty())
        raiseNoFolder(folder, why);
    return folder;
}

QString cData::AppDir() const
{
    const QString base = baseFolder(ctx_.shellFolders().appDataFolder(), QStringLiteral("application data"));
    const QString maker = ensureFolder(FolderList::join(base, kMaker));
    return ensureFolder(FolderList::join(maker, prodName_));
}

void cData::RemoveLeftoverWrites() const
{
    DurableWrite::removeLeftovers(cRegistry::SettingsFolder(ctx_.shellFolders()));
    // A settings file reached through links is written beside the file it leads to.
    const QString settings = cRegistry::SettingsPath(ctx_.shellFolders());
    const QString real = settings.isEmpty() ? QString() : QFileInfo(settings).canonicalFilePath();
    if (!real.isEmpty())
        DurableWrite::removeLeftovers(QFileInfo(real).path());
    const QString appDir = AppDir();
    DurableWrite::removeLeftovers(QFileInfo(appDir).path());
    // Favourites keep folders of their own.
    DurableWrite::removeLeftovers(appDir, 4);
    DurableWrite::removeLeftovers(MyGamesFolder(), 1);
}

QString cData::FavFolder() const
{
    return ensureFolder(FolderList::join(AppDir(), QStringLiteral("Favorites")));
}

QString cData::GamesFolder() const
{
    return ensureFolder(FolderList::join(AppDir(), QStringLiteral("Custom Games")));
}

QString cData::SchemeFolder() const
{
    return ensureFolder(FolderList::join(AppDir(), QStringLiteral("Color Schemes")));
}

QString cData::PendingFolder() const
{
    return ensureFolder(FolderList::join(AppDir(), QStringLiteral("Pending List")));
}

QString cData::MyGamesFolder() const
{
    const QString base = baseFolder(ctx_.shellFolders().documentsFolder(), QStringLiteral("documents"));
    const QString myGames = ensureFolder(FolderList::join(base, QStringLiteral("My Games")));
    return ensureFolder(FolderList::join(myGames, prodName_));
}

QString cData::SavedFolder() const
{
    return MyGamesFolder();
}

QString cData::AutoSaveFolder() const
{
    return ensureFolder(FolderList::join(MyGamesFolder(), QStringLiteral("AutoSave Files")));
}

QString cData::ProgramFolder() const
{
    return QCoreApplication::applicationDirPath();
}

QString cData::DefaultSchemeFile() const
{
    return FolderList::join(SchemeFolder(), QStringLiteral("Default Color Scheme"));
}

void cData::CreateDefaultSchemeFile() const
{
    const QString path = DefaultSchemeFile();
    if (QFileInfo::exists(path))
        return;
    QString line;
    for (int v : {0, 128, 0, 128, 0, 0})
        line += TextFile::printed(v);
    // Exclusive creation: a scheme written meanwhile by another copy is never replaced.
    TextFile::createExclusive(path, TextFile::joinLines({line}));
}

QString cData::DefaultCustImageFile() const
{
    QString path = FolderList::join(MyGamesFolder(), QStringLiteral("CustomImage.bmp"));
    if (!QFileInfo::exists(path)) {
        QByteArray bytes;
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QImage picture = ctx_.art().DefaultCustomPicture();
        picture.setDevicePixelRatio(1.0);
        if (!picture.save(&buffer, "BMP"))
            raiseError(err::PathFileAccess, QStringLiteral("The default custom picture could not be written."));
        TextFile::createExclusive(path, bytes);
    }
    return path;
}

QString cData::UnFinFile() const
{
    return FolderList::join(AppDir(), QStringLiteral("Unfin") + IncExt());
}

void cData::SetGame(std::int16_t Gid, const QString &gName, bool IsOriginal, std::int16_t cDeck)
{
    checkIndex(Gid, 1, names_.size() - 1);
    names_[Gid] = gName;
    original_[Gid] = IsOriginal;
    switch (cDeck) {
    case 0: decks_[Gid] = QStringLiteral("Half (26 Cards)"); break;
    case 1: decks_[Gid] = QStringLiteral("One (52 Cards)"); break;
    case 2: decks_[Gid] = QStringLiteral("Two (104 Cards)"); break;
    default: break;
    }
}

bool cData::GameExists(const QString &name) const
{
    return GetGameID(name) != 0;
}

QString cData::GetGName(std::int16_t Gid) const
{
    checkIndex(Gid, 1, names_.size() - 1);
    return names_[Gid];
}

bool cData::IsOriginal(const QString &name) const
{
    const int id = GetGameID(name);
    return id != 0 && original_[id];
}

QString cData::GetDeck(const QString &name) const
{
    const int id = GetGameID(name);
    return id != 0 ? decks_[id] : QString();
}

std::int16_t cData::GetGameID(const QString &gName) const
{
    const int last = std::min<int>(totalGames_, static_cast<int>(names_.size()) - 1);
    for (int id = 1; id <= last; ++id) {
        if (names_[id] == gName)
            return static_cast<std::int16_t>(id);
    }
    return 0;
}

void cData::ShowRules(const QString &gName, std::int16_t iModal)
{
    IRulesWindow &rules = ctx_.rulesWindow();
    if (rules.isOpen())
        rules.close();
    ctx_.custom().Init(gName);
    // The sound goes with the window appearing, not with a modal window closing.
    rules.open(iModal == 1, [this] { ctx_.sound().Rules(); });
}

void cData::ShowRules(const GameDefinition &definition, std::int16_t iModal)
{
    IRulesWindow &rules = ctx_.rulesWindow();
    if (rules.isOpen())
        rules.close();
    ctx_.custom().SetDefinition(definition);
    rules.open(iModal == 1, [this] { ctx_.sound().Rules(); });
}

void cData::ShowContents()
{
    ctx_.help().showContents(helpFile_);
    ctx_.sound().Contents();
}

void cData::Refresh_NewGames()
{
    const QStringList games = ctx_.custom().GetStudioGames();
    const int count = games.value(0).toInt();
    totalGames_ = toInt16(static_cast<std::int64_t>(stdGames_) + count);
    resizeGames(totalGames_);
    for (int i = 1; i <= count; ++i) {
        // Every game of this program deals one deck of 52 cards.
        SetGame(static_cast<std::int16_t>(stdGames_ + i), games.value(i), true, 1);
    }
}
