// The pending list: games put aside to be finished later, one saved-game file each in
// the pending folder, and the "Pending List" submenu that resumes them. A new pending
// file never replaces a file or folder already there; a file that cannot be read never
// breaks the menu; the file of the pending game being played is left out of every list.
#pragma once

#include <QString>
#include <QList>
#include <QStringList>
#include <cstdint>

#include "core/GameNumber.h"

class Context;
struct SavedGameInfo;

namespace mPending {
// The menu code of a pending game's item.
constexpr std::int32_t kMenuCode = 300;

// "Move to Pending List": a game resumed from the list is told it stays there; any other
// game is saved as a new pending file, leaves the table unrecorded, and the sound plays.
void AddToPending(Context &ctx);
// Saves the game in play under the first free pending name and rebuilds the menu.
// Returns the path written; more than 32,767 names taken raise the overflow error.
QString SavePendingFile(Context &ctx);
// Saves the game in play into its pending file, then rebuilds the pending menu with it.
void UpdatePendingFile(Context &ctx, const QString &path);
// The file name of the n-th pending save of a game (n = 0 for the first), extension included.
QString PendingName(const QString &gameName, const GameNumber &number, std::int32_t n, const QString &extension);
// Every file of the pending folder as a list result (element 0 the count as text, then
// the full paths in listing order), less the file of the pending game being played.
QStringList GetPendingFiles(Context &ctx);
// A pending game's title: its file name less the last four characters.
QString PendingTitle(const QString &path);
// The menu caption: title + " (" + percentage + "% Completed)".
QString MenuCaption(const QString &path, const SavedGameInfo &header);
// Rebuilds the submenu: one item per readable pending file (code 300, icon "Q1", key
// and tag the path); the separator under "Organize Pending List" shows only with files.
void BuildPendMenu(Context &ctx);
// Removes the items of the last build.
void ClearPendMenu(Context &ctx);

// One row of the Pending List Manager. A file whose header cannot be read has its file
// name as text and empty cells, so it can still be deleted.
struct PendingRow {
    QString key;  // the full path
    QString text; // title + " (" + percentage + "%)"
    QString time; // h:mm:ss
    QString moves;
    QString score;
};
QList<PendingRow> PendingRows(Context &ctx);
// Deletes a pending file; one already gone counts as deleted. Raises the file system's
// error, with the file left, when it cannot be deleted.
void DeletePendingFile(const QString &path);
} // namespace mPending
