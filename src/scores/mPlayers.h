// The players: up to 20 names in the slots of the "Players" settings and the current
// one. "The player at position i" is always the i-th filled slot, so an empty slot left
// between names hides no player and no score log. A player's log moves and goes with
// the player: a rename or delete that cannot carry its log along changes nothing.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

class Context;

namespace mPlayers {
// The names of the filled slots 1..20, in slot order.
QStringList PlayerList(Context &ctx);
// "Won" for 1, otherwise "Lost".
QString GetResultText(std::int16_t won);

// Moves the names up so that the filled slots are 1..count, keeping their order.
void CompactPlayers(Context &ctx);
// A name that can be a player: not empty, usable in a file name, and a log file name
// (the product folder's name, the name and ".sre") of at most 255 bytes.
bool IsValidName(Context &ctx, const QString &name);
// True when a slot holds exactly this name.
bool PlayerExists(Context &ctx, const QString &name);

// Writes the name into the first empty slot, not made current; false when all are taken.
bool AddPlayer(Context &ctx, const QString &name);
// Gives the player a new name, carrying the log along and keeping the player current
// when it was. False, changing nothing, when the old name is in no slot or a log of the
// new name is already there (the user is told which). Raises the access error naming
// the log, changing nothing, when the log cannot be moved.
bool RenamePlayer(Context &ctx, const QString &oldName, const QString &newName);
// Deletes the player's log, then empties its slot and compacts the slots. False for the
// current player and a name in no slot. Raises the access error naming the log, keeping
// the player, when the log cannot be deleted.
bool DeletePlayer(Context &ctx, const QString &name);

// What OK in the name box does: refuses an invalid or existing name with a message, then
// adds the name (oldName "") or renames oldName. True when the box may close.
bool AcceptName(Context &ctx, const QString &oldName, const QString &name);
// Opens the name box with the prompt and the text. The text given is the old name, taken
// now and kept whatever is typed later: "" adds a player, a name renames that player.
// True when a player was added or renamed.
bool ShowInputDialog(Context &ctx, const QString &prompt, const QString &defaultText);
} // namespace mPlayers
