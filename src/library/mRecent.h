// The one door to the three recent lists (0 recently played, 1 recently saved,
// 2 recently opened) and their File submenus: every change of a list rebuilds the
// submenus, so menus and lists never differ. A submenu lists only what can still be
// played: files that exist, games the game table still holds.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class Context;

namespace mRecent {
// The recent lists by number.
constexpr std::int32_t kPlayed = 0;
constexpr std::int32_t kSaved = 1;
constexpr std::int32_t kOpened = 2;

// Adds the entry at the top of the list unless it is listed already, then rebuilds the menus.
void AddRecent(Context &ctx, std::int32_t list, const QString &entry);
// Element 0 is the count as decimal text, elements 1 to count the entries, newest first.
QStringList GetRecent(Context &ctx, std::int32_t list);
// Empties the list, then rebuilds the menus.
void ClearRecent(Context &ctx, std::int32_t list);
std::int16_t GetRecentCount(Context &ctx, std::int32_t list);
// Empties the three submenus and fills them again from the lists.
void RefreshRecentMenus(Context &ctx);
// Fills "Recently Saved" (code 200), "Recently Opened" (201) and "Recently Played" (202).
// A submenu the main window has not registered is passed over.
void BuildRecentMenus(Context &ctx);
// Adds an item per listed entry under the parent (key: the code and the entry, tag: the
// entry), an entry at most once; a list without entries shows one "None" item of code 0.
void AddRecentMenuItems(Context &ctx, const QStringList &entries, std::int32_t code, std::int32_t parent,
                        const QString &iconKey);
void ClearRecentMenus(Context &ctx);
} // namespace mRecent
