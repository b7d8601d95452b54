#include "library/mFavorites.h"

#include <QFileInfo>

#include "app/Context.h"
#include "appearance/mCustomize.h"
#include "core/FolderList.h"
#include "core/TextFile.h"
#include "platform/MessageBox.h"
#include "platform/kMenu.h"
#include "store/cData.h"
#include "store/mFile.h"

namespace mFavorites {

namespace {

const QString kFavMenu = QStringLiteral("mFavMain");
const QString kFavSeparator = QStringLiteral("mFav(3)");

// A list result from paths: the count first.
QStringList listResult(const QStringList &paths)
{
    QStringList result;
    result.reserve(paths.size() + 1);
    result << QString::number(paths.size());
    result << paths;
    return result;
}

} // namespace

bool IsValidFileName(const QString &name)
{
    for (const QChar c : name) {
        // Control characters would break the one-line records these names are kept in.
        if (c.unicode() < 0x20 || c.unicode() == 0x7F)
            return false;
        switch (c.unicode()) {
        case u'\\':
        case u'/':
        case u':':
        case u'*':
        case u'?':
        case u'"':
        case u'<':
        case u'>':
        case u'|': return false;
        default: break;
        }
    }
    return true;
}

QByteArray FavRecord(const QString &gameName, const GameNumber &gameNo, const QString &addedBy, const QDateTime &when)
{
    const QString number = gameNo.isText() ? TextFile::quoted(gameNo.text()) : gameNo.toString();
    const bool midnight = when.time() == QTime(0, 0);
    const QString date = when.toString(midnight ? QStringLiteral("yyyy-MM-dd") : QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    const QString line = TextFile::quoted(gameName) + QLatin1Char(',') + number + QLatin1Char(',') +
                         TextFile::quoted(addedBy) + QStringLiteral(",#") + date + QLatin1Char('#');
    return TextFile::joinLines({line});
}

QString DefaultFavName(const QString &gameName, const GameNumber &gameNo)
{
    return mFile::SafeFileName(gameName + QStringLiteral(" - ") + gameNo.text());
}

void SaveFavorite(Context &ctx, const QString &path)
{
    const ISessionInfo &session = ctx.session();
    const QString gameName = session.GameName();
    const GameNumber gameNo = session.GameNo();
    const QString target =
        path.isEmpty() ? FolderList::join(ctx.data().FavFolder(), DefaultFavName(gameName, gameNo)) : path;
    const QByteArray record = FavRecord(gameName, gameNo, mCustomize::GetCurPlayer(ctx), QDateTime::currentDateTime());
    TextFile::writeAtomic(target, record);
    BuildFavMenu(ctx);
}

QStringList GetFavFolders(Context &ctx)
{
    const QString root = ctx.data().FavFolder();
    QStringList paths;
    for (const QString &name : FolderList::folders(root))
        paths << FolderList::join(root, name);
    return listResult(paths);
}

bool IsFavFile(Context &ctx, const QString &path)
{
    try {
        return ctx.data().GameExists(mFile::ReadFavRecord(path).GameName);
    } catch (...) {
        // Anything that is no readable favourite record is simply not a favourite.
        return false;
    }
}

QStringList GetFavFiles(Context &ctx, const QString &folder)
{
    QStringList paths;
    for (const QString &name : FolderList::files(folder)) {
        const QString path = FolderList::join(folder, name);
        if (IsFavFile(ctx, path))
            paths << path;
    }
    return listResult(paths);
}

void ClearFavMenu(Context &ctx)
{
    kMenu &menu = ctx.menu();
    if (menu.HasItem(kFavMenu))
        menu.ClearItems(kFavMenu);
}

void BuildFavMenu(Context &ctx)
{
    ClearFavMenu(ctx);
    kMenu &menu = ctx.menu();
    if (!menu.HasItem(kFavMenu))
        return;
    const std::int32_t parent = menu.ItemIndex(kFavMenu);
    const QStringList folders = GetFavFolders(ctx);
    const QStringList top = GetFavFiles(ctx, ctx.data().FavFolder());
    // The separator below the two fixed items shows only while something follows it.
    if (menu.HasItem(kFavSeparator))
        menu.setItemVisible(kFavSeparator, folders.size() > 1 || top.size() > 1);
    for (qsizetype i = 1; i < folders.size(); ++i) {
        const QString &folder = folders[i];
        menu.AddItem(QFileInfo(folder).fileName(), folder, {}, 0, parent, kFolderIcon);
        menu.setItemSubmenu(folder, true);
        const std::int32_t sub = menu.ItemIndex(folder);
        const QStringList files = GetFavFiles(ctx, folder);
        for (qsizetype j = 1; j < files.size(); ++j)
            menu.AddItem(QFileInfo(files[j]).fileName(), files[j], {}, kFavouriteCode, sub, kFavouriteIcon);
    }
    for (qsizetype i = 1; i < top.size(); ++i)
        menu.AddItem(QFileInfo(top[i]).fileName(), top[i], {}, kFavouriteCode, parent, kFavouriteIcon);
}

bool NameTaken(const QString &folder, const QString &name)
{
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return true;
    const QFileInfo info(FolderList::join(folder, name));
    return info.exists() || info.isSymLink();
}

bool ValidateFavName(Context &ctx, const QString &name, std::int32_t kind, const QString &folder)
{
    if (name.isEmpty())
        return false;
    auto refuse = [&](const QString &text) {
        ctx.messages().show(text, MsgButtons::Ok, MsgIcon::Critical);
        return false;
    };
    if (!IsValidFileName(name))
        return refuse(QStringLiteral("Name should not contain these characters : /\\:*?\"<>|"));
    if (kind == kFolderName && NameTaken(folder, name))
        return refuse(QStringLiteral("Folder already exists"));
    if (kind == kFavouriteName && NameTaken(folder, name))
        return refuse(QStringLiteral("Game already exists"));
    return true;
}

} // namespace mFavorites
