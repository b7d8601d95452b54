// Folder listings in one deterministic order: by name, ignoring letter case (names
// equal but for case follow in plain code order), so every list and test is stable.
#pragma once

#include <QString>
#include <QStringList>

namespace FolderList {
// File names (not paths) directly in the folder, hidden files included.
QStringList files(const QString &folder);
// Sub-folder names directly in the folder, hidden ones included, without "." and "..".
QStringList folders(const QString &folder);
// Sorts names in the listing order.
void sortNames(QStringList &names);
// Joins a folder and a name with one separator.
QString join(const QString &folder, const QString &name);
} // namespace FolderList
