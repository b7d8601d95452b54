// The players as the scores see them: the names of the filled slots, in slot order.
// "The player at position i" is always the i-th filled slot, so an empty slot left
// between names hides no player and no score log.
#pragma once

#include <QString>
#include <QStringList>

class Context;

namespace mPlayers {
// The names of the filled slots 1..20, in slot order.
QStringList PlayerList(Context &ctx);
} // namespace mPlayers
