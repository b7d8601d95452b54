#include "library/mRecent.h"

#include <QFileInfo>
#include <array>

#include "app/Context.h"
#include "core/GameNumber.h"
#include "library/mSelect.h"
#include "platform/kMenu.h"
#include "store/cData.h"
#include "store/cFunc.h"

namespace {

constexpr std::int32_t kSavedCode = 200;
constexpr std::int32_t kOpenedCode = 201;
constexpr std::int32_t kPlayedCode = 202;

struct RecentMenu {
    const char *parent;
    std::int32_t list;
    std::int32_t code;
};

// In the order the submenus are filled.
constexpr std::array<RecentMenu, 3> kMenus{{
    {"mFile(12)", mRecent::kSaved, kSavedCode},
    {"mFile(13)", mRecent::kOpened, kOpenedCode},
    {"mFile(14)", mRecent::kPlayed, kPlayedCode},
}};

// Whether the entry can still be played from the menu.
bool isListed(Context &ctx, std::int32_t code, const QString &entry)
{
    if (code == kPlayedCode) {
        // A game of the table and a number that can be dealt, as Play reads them.
        const QString name = mSelect::GetNamePart(entry);
        return !name.isEmpty() && GameNumber::isNumberText(mSelect::GetNumberPart(entry)) &&
               ctx.data().GameExists(name);
    }
    return QFileInfo(entry).isFile();
}

} // namespace

namespace mRecent {

void AddRecent(Context &ctx, std::int32_t list, const QString &entry)
{
    ctx.func().AddtoMRU(list, entry);
    RefreshRecentMenus(ctx);
}

QStringList GetRecent(Context &ctx, std::int32_t list)
{
    return ctx.func().GetMRU(list);
}

void ClearRecent(Context &ctx, std::int32_t list)
{
    ctx.func().ClearMRU(list);
    RefreshRecentMenus(ctx);
}

std::int16_t GetRecentCount(Context &ctx, std::int32_t list)
{
    return ctx.func().GetMRUCount(list);
}

void RefreshRecentMenus(Context &ctx)
{
    ClearRecentMenus(ctx);
    BuildRecentMenus(ctx);
}

void BuildRecentMenus(Context &ctx)
{
    const kMenu &menu = ctx.menu();
    for (const RecentMenu &recent : kMenus) {
        const QString parentKey = QLatin1String(recent.parent);
        // Without the main window (tools, tests of the lists alone) there is no submenu.
        if (!menu.HasItem(parentKey))
            continue;
        AddRecentMenuItems(ctx, GetRecent(ctx, recent.list), recent.code, menu.ItemIndex(parentKey),
                           QStringLiteral("Q1"));
    }
}

void AddRecentMenuItems(Context &ctx, const QStringList &entries, std::int32_t code, std::int32_t parent,
                        const QString &iconKey)
{
    kMenu &menu = ctx.menu();
    const QString prefix = QString::number(code);
    const int count = entries.value(0).toInt();
    if (count == 0) {
        menu.AddItem(QStringLiteral("None"), prefix + QStringLiteral("None"), QString(), 0, parent, -1);
        return;
    }
    const std::int32_t icon = menu.ImageIndex(iconKey) - 1;
    for (int i = 1; i <= count && i < entries.size(); ++i) {
        const QString &entry = entries[i];
        const QString key = prefix + entry;
        // A slot written twice (a hand-edited settings file) is listed once.
        if (menu.HasItem(key) || !isListed(ctx, code, entry))
            continue;
        const std::int32_t id = menu.AddItem(entry, key, QString(), code, parent, icon);
        menu.setItemTag(menu.ItemKey(id), entry);
    }
}

void ClearRecentMenus(Context &ctx)
{
    kMenu &menu = ctx.menu();
    for (const RecentMenu &recent : kMenus) {
        const QString parentKey = QLatin1String(recent.parent);
        if (menu.HasItem(parentKey))
            menu.ClearItems(menu.ItemKey(menu.ItemIndex(parentKey)));
    }
}

} // namespace mRecent
