#include "app/mGen1.h"

#include <QFileInfo>

#include "app/Context.h"
#include "store/cData.h"
#include "store/mRegistry.h"

namespace {
const QString kGeneral = QStringLiteral("General");
const QString kSaveInitDir = QStringLiteral("SaveInitDir");
const QString kHotGames = QStringLiteral("HotGames");
} // namespace

namespace mGen1 {

QString GetAreaName(std::int16_t area)
{
    switch (area) {
    case 0: return QStringLiteral("Tableau");
    case 1: return QStringLiteral("Stock");
    case 2: return QStringLiteral("Waste");
    case 3: return QStringLiteral("Foundation");
    case 4: return QStringLiteral("Reserve");
    default: return {};
    }
}

QString GetPlaceName(std::int16_t area, std::int16_t pile, std::int16_t pos)
{
    QString name = GetAreaName(area);
    if (name.isEmpty())
        name = QStringLiteral("Area %1").arg(area);
    return name + QStringLiteral(" (Pile %1, Card %2)").arg(pile + 1).arg(pos + 1);
}

QString GetSpecialFolder(Context &ctx, std::int32_t folder)
{
    switch (folder) {
    case kAppDataFolder: return ctx.shellFolders().appDataFolder();
    case kDocumentsFolder: return ctx.shellFolders().documentsFolder();
    default: return {};
    }
}

QString GetAppDataFolder(Context &ctx)
{
    return GetSpecialFolder(ctx, kAppDataFolder);
}

QString GetDocumentsFolder(Context &ctx)
{
    return GetSpecialFolder(ctx, kDocumentsFolder);
}

QString GetSaveInitDir(Context &ctx)
{
    QString saved = ctx.data().SavedFolder();
    QString remembered = mRegistry::GetRegString(ctx, kGeneral, kSaveInitDir, saved);
    if (!remembered.isEmpty() && QFileInfo(remembered).isDir())
        return remembered;
    return saved;
}

void SetSaveInitDir(Context &ctx, const QString &path)
{
    mRegistry::SetRegString(ctx, kGeneral, kSaveInitDir, path);
}

std::int16_t GetHotFlag(Context &ctx, const QString &gameName)
{
    return mRegistry::GetRegInteger(ctx, kHotGames, gameName, 0);
}

void SetHotFlag(Context &ctx, const QString &gameName, std::int16_t value)
{
    mRegistry::SetRegInteger(ctx, kHotGames, gameName, value);
}

} // namespace mGen1
