// Folder listings in one deterministic order: by name, ignoring letter case (names
// equal but for case follow in plain code order), so every list and test is stable.
// A listing of files holds only regular files (or links to them): a FIFO, socket or
// device in a user's folder is never offered, since opening it could block or never end.
#pragma once

#include <QString>
#include <QStringList>

namespace FolderList {
// Names (not paths) of the regular files directly in the folder, links to regular files
// and hidden files included.
QStringList files(const QString &folder);
// Sub-folder names directly in the folder (links to folders and hidden ones included),
// without "." and "..".
QStringList folders(const QString &folder);
// True for a regular file, or a link that leads to one.
bool isRegularFile(const QString &path);
// Sorts names in the listing order.
void sortNames(QStringList &names);
// Joins a folder and a name with one separator.
QString join(const QString &folder, const QString &name);
} // namespace FolderList
