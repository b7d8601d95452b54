// The two lists of the Hot Games window: the games of the game table that are marked hot
// and all the others, each in game-table order. A stored mark other than 1 (or one that
// cannot be read) counts as not hot, so the window lists the game and can mend it.
#pragma once

#include <QString>
#include <QStringList>

class Context;

namespace HotGameLists {
QStringList OtherGames(Context &ctx);
QStringList HotGames(Context &ctx);
// Stores the mark at once: 1 for hot, 0 for not hot.
void Mark(Context &ctx, const QString &gameName, bool hot);
} // namespace HotGameLists
