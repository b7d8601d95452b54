#include "library/mPending.h"

#include <QFileInfo>
#include <limits>

#include "app/Context.h"
#include "appearance/cSound.h"
#include "core/AppError.h"
#include "core/FolderList.h"
#include "core/TextFile.h"
#include "engine/cEngine.h"
#include "engine/mFunc.h"
#include "library/AutoSaveRows.h"
#include "platform/Guard.h"
#include "platform/kMenu.h"
#include "store/cData.h"
#include "store/mFile.h"

namespace mPending {

namespace {
// Load type of a game resumed from the pending list.
constexpr std::int32_t kPendingLoad = 3;
// Zero-based place of the "Q1" picture in the menu image list.
constexpr std::int32_t kPendingIcon = 2;

// The static menu the pending games are listed under.
const QString &pendMenuKey()
{
    static const QString key = QStringLiteral("mPendMain");
    return key;
}

QStringList listFolder(Context &ctx, const QString &leaveOut)
{
    const QString folder = ctx.data().PendingFolder();
    QStringList result{QString()};
    for (const QString &name : FolderList::files(folder)) {
        QString path = FolderList::join(folder, name);
        if (!leaveOut.isEmpty() && path == leaveOut)
            continue;
        result.append(path);
    }
    result[0] = QString::number(result.size() - 1);
    return result;
}

// The file of the pending game on the table: the crash checkpoint keeps it up to date
// while it is played, but it is not on the list until the game is written back.
QString playingFile(Context &ctx)
{
    const ISessionInfo &session = ctx.session();
    if (session.Game_Status() != 1 || session.Game_LoadingType() != kPendingLoad)
        return {};
    return session.PendingFile();
}

void buildMenu(Context &ctx, const QStringList &files)
{
    ClearPendMenu(ctx);
    kMenu &menu = ctx.menu();
    // Without the main window's menu there is nothing to show the games in.
    if (!menu.HasItem(pendMenuKey()))
        return;
    const std::int32_t parent = menu.ItemIndex(pendMenuKey());
    const qsizetype count = files.size() - 1;
    if (menu.HasItem(QStringLiteral("mPend(3)")))
        menu.setItemVisible(QStringLiteral("mPend(3)"), count > 0);
    for (qsizetype i = 1; i <= count; ++i) {
        const QString &path = files.at(i);
        // A file that cannot be read as a saved game has no entry; the manager lists it.
        SavedGameInfo header;
        if (!ignoreErrors([&] { header = mFile::ReadGameHeader(path); }))
            continue;
        const std::int32_t id = menu.AddItem(MenuCaption(path, header), path, QString(), kMenuCode, parent,
                                             kPendingIcon < menu.ImageList().size() ? kPendingIcon : -1);
        menu.setItemTag(menu.ItemKey(id), path);
    }
}
} // namespace

QString PendingName(const QString &gameName, const GameNumber &number, std::int32_t n, const QString &extension)
{
    const QString counter = n > 0 ? QStringLiteral("-") + QString::number(n) : QString();
    return mFile::GameFileName(gameName, number, counter + extension);
}

void AddToPending(Context &ctx)
{
    ISessionInfo &session = ctx.session();
    if (session.Game_LoadingType() == kPendingLoad) {
        ctx.messages().show(QStringLiteral("This game is already in Pending List. Once added, the game will remain "
                                           "in Pending List till you finish it or delete it."),
                            MsgButtons::Ok, MsgIcon::Information);
        return;
    }
    SavePendingFile(ctx);
    session.ClearArea();
    ctx.sound().AddPend();
}

QString SavePendingFile(Context &ctx)
{
    const cData &data = ctx.data();
    const ISessionInfo &session = ctx.session();
    const QString gameName = session.GameName();
    const GameNumber number = session.GameNo();
    const QByteArray bytes = ctx.engine().SavedGameBytes();
    for (std::int32_t n = 0; n <= std::numeric_limits<std::int16_t>::max(); ++n) {
        QString path = FolderList::join(data.PendingFolder(), PendingName(gameName, number, n, data.IncExt()));
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            continue;
        // Created only while the name is still free: an entry is never replaced.
        if (TextFile::createExclusive(path, bytes)) {
            // The game is safely aside; a menu that cannot be rebuilt does not undo that.
            ignoreErrors([&] { BuildPendMenu(ctx); });
            return path;
        }
    }
    raiseError(err::Overflow,
               QStringLiteral("Overflow: every pending name of %1 - %2 is taken").arg(gameName, number.toString()));
}

void UpdatePendingFile(Context &ctx, const QString &path)
{
    ctx.engine().SavetoFile(path);
    // The game goes back on the list under its old name, though it is still on the table.
    ignoreErrors([&] { buildMenu(ctx, listFolder(ctx, QString())); });
}

QStringList GetPendingFiles(Context &ctx)
{
    return listFolder(ctx, playingFile(ctx));
}

QString PendingTitle(const QString &path)
{
    const QString name = QFileInfo(path).fileName();
    return name.left(std::max<qsizetype>(0, name.size() - 4));
}

QString MenuCaption(const QString &path, const SavedGameInfo &header)
{
    return PendingTitle(path) + QStringLiteral(" (") + QString::number(header.Percentage) +
           QStringLiteral("% Completed)");
}

void BuildPendMenu(Context &ctx)
{
    buildMenu(ctx, GetPendingFiles(ctx));
}

void ClearPendMenu(Context &ctx)
{
    // Every item under the submenu is a pending game put there by the last build.
    kMenu &menu = ctx.menu();
    if (menu.HasItem(pendMenuKey()))
        menu.ClearItems(pendMenuKey());
}

QList<PendingRow> PendingRows(Context &ctx)
{
    const QStringList files = GetPendingFiles(ctx);
    QList<PendingRow> rows;
    rows.reserve(files.size() - 1);
    for (qsizetype i = 1; i < files.size(); ++i) {
        PendingRow row;
        row.key = files.at(i);
        SavedGameInfo header;
        if (ignoreErrors([&] { header = mFile::ReadGameHeader(row.key); })) {
            row.text = PendingTitle(row.key) + QStringLiteral(" (") + QString::number(header.Percentage) +
                       QStringLiteral("%)");
            row.time = mFunc::FormatTime(header.Time);
            row.moves = QString::number(header.Moves);
            row.score = QString::number(header.Score);
        } else {
            row.text = QFileInfo(row.key).fileName();
        }
        rows << row;
    }
    return rows;
}

void DeletePendingFile(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return;
    AutoSaveRows::DeleteFile(path);
}

} // namespace mPending
