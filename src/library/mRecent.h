// The one door to the three recent lists (0 recently played, 1 recently saved,
// 2 recently opened): every change also rebuilds the recent submenus, so menus and
// lists never differ. Until the lists are wired in, every list answers empty and
// changes do nothing.
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
// Element 0 is the count as decimal text, elements 1 to 10 the slots.
QStringList GetRecent(Context &ctx, std::int32_t list);
// Empties the list (the menus are rebuilt by the caller).
void ClearRecent(Context &ctx, std::int32_t list);
std::int16_t GetRecentCount(Context &ctx, std::int32_t list);
// Rebuilds the three recent submenus from the lists.
void RefreshRecentMenus(Context &ctx);
} // namespace mRecent
