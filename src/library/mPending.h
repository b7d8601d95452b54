// The pending list: games put aside to be finished later, one saved-game file each in
// the pending folder. Writing a resumed game back is here; the list's menu and manager
// come with the list itself.
#pragma once

#include <QString>

class Context;

namespace mPending {
// Saves the game in play into its pending file, then rebuilds the pending menu.
void UpdatePendingFile(Context &ctx, const QString &path);
// Rebuilds the pending submenu from the pending folder (nothing to show yet).
void BuildPendMenu(Context &ctx);
} // namespace mPending
