// Changes to the favourites folder's entries on disk: a new sub-folder, a favourite or a
// folder renamed or moved, a favourite or a folder deleted. Nothing is ever replaced and
// a sub-folder that is a symbolic link is removed as a link, never through it. Every
// failure raises the access error naming the entry and the system's reason.
#pragma once

#include <QString>

namespace FavEntries {
// Creates the folder; fails when anything has its name.
void CreateFolder(const QString &path);
// Renames or moves a favourite or a folder to a name nothing has yet.
void MoveEntry(const QString &from, const QString &to);
// Deletes a favourite, unless it is write-protected.
void DeleteFile(const QString &path);
// Deletes a folder and everything in it; a link to a folder loses only the link.
void DeleteFolder(const QString &path);
} // namespace FavEntries
