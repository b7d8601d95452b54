// Automatic saves of ended games: a won game as a finished game, a game ended unfinished
// as an incomplete one, each in a new file of the auto-save folder named after the game
// ("name-number", then "-(n)" from the second file on). A file is never overwritten: a
// name already taken, by a file or a folder, is skipped.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/GameNumber.h"

class Context;

namespace mAutoSave {
// Saves the game in play as a finished (won) or an incomplete game, unless the option of
// that kind ("EnableFin", "EnableInc") is 0. Returns the path written, "" when switched
// off. Write errors reach the caller; more than 32,767 names taken raise the overflow error.
QString AutoSaveGame(Context &ctx, bool finished);
// Moves a saved-game file into the auto-save folder as an incomplete game, under the
// first free name made from the game name and number its header gives (the file's own
// name where the header cannot be read), never replacing a file. Returns the new path;
// raises the access error, with the file left where it was, when it cannot be moved.
QString KeepAsIncomplete(Context &ctx, const QString &path);
// The file name of the n-th save of a game (n = 0 for the first), extension included.
QString AutoSaveName(const QString &gameName, const GameNumber &number, std::int32_t n, const QString &extension);
// The auto-saved files of one kind (not those of sub-folders), as a list result: element
// 0 the count as text, then the full paths in listing order.
QStringList GetAutoSaveFiles(Context &ctx, bool finished);
// Asks, then deletes every auto-saved file of that kind; true when the user said Yes. A
// file that cannot be deleted (read-only) stops with an error; those deleted stay deleted.
bool DeleteAllAutoSaves(Context &ctx, bool finished);
// The tab the auto-save browser showed last: 0 incomplete games, 1 finished games.
std::int16_t GetAutoSaveTab(Context &ctx);
void SetAutoSaveTab(Context &ctx, std::int16_t tab);
} // namespace mAutoSave
