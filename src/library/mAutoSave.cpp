#include "library/mAutoSave.h"

#include <QFile>
#include <QFileInfo>
#include <limits>
#include <optional>

#include "core/AppError.h"
#include "core/DurableWrite.h"
#include "core/FolderList.h"
#include "core/TextFile.h"
#include "engine/cEngine.h"
#include "library/AutoSaveRows.h"
#include "app/Context.h"
#include "store/cData.h"
#include "store/mFile.h"
#include "store/mOptions.h"
#include "platform/Guard.h"
#include "store/mRegistry.h"

namespace mAutoSave {

QString AutoSaveName(const QString &gameName, const GameNumber &number, std::int32_t n, const QString &extension)
{
    const QString counter = n > 0 ? QStringLiteral("-(") + QString::number(n) + QStringLiteral(")") : QString();
    return mFile::GameFileName(gameName, number, counter + extension);
}

QString AutoSaveGame(Context &ctx, bool finished)
{
    const cData &data = ctx.data();
    const std::int16_t enabled = finished ? mOptions::GetEnableFin(ctx) : mOptions::GetEnableInc(ctx);
    if (enabled == 0)
        return {};
    const QString extension = finished ? data.FinExt() : data.IncExt();
    const ISessionInfo &session = ctx.session();
    const QString gameName = session.GameName();
    const GameNumber number = session.GameNo();
    const QByteArray bytes = ctx.engine().SavedGameBytes();
    // The counter is 16-bit, as the names have always been counted.
    for (std::int32_t n = 0; n <= std::numeric_limits<std::int16_t>::max(); ++n) {
        // The folder is asked for on every try, so one deleted meanwhile is made again.
        QString path = FolderList::join(data.AutoSaveFolder(), AutoSaveName(gameName, number, n, extension));
        const QFileInfo info(path);
        if (info.exists() || info.isSymLink())
            continue;
        // Written beside the name and moved into place only while the name is still free.
        if (TextFile::createExclusive(path, bytes))
            return path;
    }
    raiseError(err::Overflow,
               QStringLiteral("Overflow: every auto-save name of %1 - %2 is taken").arg(gameName, number.toString()));
}

QString KeepAsIncomplete(Context &ctx, const QString &path)
{
    const cData &data = ctx.data();
    std::optional<SavedGameInfo> header;
    ignoreErrors([&] { header = mFile::ReadGameHeader(path); });
    for (std::int32_t n = 0; n <= std::numeric_limits<std::int16_t>::max(); ++n) {
        QString name;
        if (header) {
            name = AutoSaveName(header->GameName, header->GameNo, n, data.IncExt());
        } else {
            const QString counter = n > 0 ? QStringLiteral("-(") + QString::number(n) + QStringLiteral(")") : QString();
            name = mFile::FitFileName(mFile::SafeFileName(QFileInfo(path).completeBaseName()), counter + data.IncExt());
        }
        QString target = FolderList::join(data.AutoSaveFolder(), name);
        QString reason;
        switch (DurableWrite::moveFile(path, target, reason)) {
        case DurableWrite::Created::Yes: return target;
        case DurableWrite::Created::NameTaken: continue;
        case DurableWrite::Created::Failed:
            raiseError(err::PathFileAccess,
                       QStringLiteral("Could not move the file %1 to %2: %3").arg(path, target, reason));
        }
    }
    raiseError(err::Overflow, QStringLiteral("Overflow: every auto-save name for %1 is taken").arg(path));
}

QStringList GetAutoSaveFiles(Context &ctx, bool finished)
{
    const cData &data = ctx.data();
    return mFile::ListGameFiles(data.AutoSaveFolder(), {finished ? data.FinExt() : data.IncExt()});
}

bool DeleteAllAutoSaves(Context &ctx, bool finished)
{
    const MsgResult answer = ctx.messages().show(QStringLiteral("Are you sure you want to delete all Games ?"),
                                                 MsgButtons::YesNo, MsgIcon::Critical, ctx.data().ProdName());
    if (answer != MsgResult::Yes)
        return false;
    const QStringList files = GetAutoSaveFiles(ctx, finished);
    // A file that cannot be deleted stops here; those deleted stay deleted.
    for (qsizetype i = 1; i < files.size(); ++i)
        AutoSaveRows::DeleteFile(files[i]);
    return true;
}

std::int16_t GetAutoSaveTab(Context &ctx)
{
    return mRegistry::GetRegInteger(ctx, QStringLiteral("Tools"), QStringLiteral("AutoSaveTab"), 0);
}

void SetAutoSaveTab(Context &ctx, std::int16_t tab)
{
    mRegistry::SetRegInteger(ctx, QStringLiteral("Tools"), QStringLiteral("AutoSaveTab"), tab);
}

} // namespace mAutoSave
