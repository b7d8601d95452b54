// Favourites: one small record file per kept game, in the favourites folder or one of
// its direct sub-folders. Writes those files, lists folders and favourites, rebuilds the
// dynamic part of the Favorites menu and checks the names users give them. Only files
// whose record names a game of the game table count as favourites; the rest are skipped.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/GameNumber.h"

class Context;

namespace mFavorites {
// Kinds of name ValidateFavName checks.
constexpr std::int32_t kFavouriteName = 1;
constexpr std::int32_t kFolderName = 2;
// Command code of a favourite in the menu; folders carry 0 and only open.
constexpr std::int32_t kFavouriteCode = 400;
// Positions of "FOLDER" and "Q1" in the main window's menu image list.
constexpr std::int32_t kFolderIcon = 0;
constexpr std::int32_t kFavouriteIcon = 2;

// True when the name holds none of \ / : * ? " < > | and no control character.
bool IsValidFileName(const QString &name);

// The favourite file's one line, CR LF included: "name",number,"player",#date#. The
// number is bare when held as a number, quoted when held as text; a time of exactly
// midnight writes the date alone.
QByteArray FavRecord(const QString &gameName, const GameNumber &gameNo, const QString &addedBy, const QDateTime &when);
// The name a favourite gets unless the user gives one: game name, " - ", number, made
// safe as a file name.
QString DefaultFavName(const QString &gameName, const GameNumber &gameNo);

// Writes the favourite of the game in play, replacing any file at the path (atomically),
// then rebuilds the menu. Without a path it goes into the favourites folder under its
// default name. A failed write raises the access error with the reason.
void SaveFavorite(Context &ctx, const QString &path = {});

// List results: element 0 the count, then the paths in listing order.
// The favourites folder's direct sub-folders.
QStringList GetFavFolders(Context &ctx);
// The files of the folder whose record names a known game.
QStringList GetFavFiles(Context &ctx, const QString &folder);
// True when the file holds a favourite record of a game of the game table.
bool IsFavFile(Context &ctx, const QString &path);

// Rebuilds the dynamic Favorites menu: each sub-folder as a submenu (shown even when
// empty) with its favourites, then the top-level favourites.
void BuildFavMenu(Context &ctx);
// Removes every dynamic item under the Favorites menu.
void ClearFavMenu(Context &ctx);

// Checks a name the user gave a favourite (kind 1) or a folder (kind 2) that is to stand
// in the folder. An empty name fails silently; a forbidden character or a name already
// taken there (by an entry of any kind, "." and ".." included) fails with a message.
bool ValidateFavName(Context &ctx, const QString &name, std::int32_t kind, const QString &folder);
// True when anything (a file, a folder, a link, even a broken one) has the name in the
// folder; "." and ".." always count.
bool NameTaken(const QString &folder, const QString &name);
} // namespace mFavorites
