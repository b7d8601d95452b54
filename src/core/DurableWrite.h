// Writing a file so that it survives a full disk and a crash: the content goes to a
// temporary file beside the target, every write, the flush and the sync to disk are
// checked, and only a complete file is put in place. On any failure the temporary file
// is removed, whatever stood at the target stays as it was, and the reason is given.
#pragma once

#include <QByteArray>
#include <QString>

namespace DurableWrite {

// Writes all the bytes to the descriptor, again after an interruption or a short write;
// false with the system's error number when the rest cannot be written (a write of
// nothing counts as a full disk).
bool writeAll(int fd, const QByteArray &bytes, int &error);
// The system's reason for an error number, in words for the user.
QString reasonOf(int error);

// Replaces the file at path by the bytes; for a symbolic link, the file at the end of
// its chain of links, so every link stays in place. A new file takes the mode that the process's umask gives; a
// replaced one keeps its mode. Returns false, with the system's reason, when anything failed.
bool replaceFile(const QString &path, const QByteArray &bytes, QString &reason);

enum class Created { Yes, NameTaken, Failed };
// Creates the file only if nothing has that name: the complete content is linked into
// place, which never replaces a name taken meanwhile. NameTaken leaves nothing behind;
// Failed gives the reason.
Created createFile(const QString &path, const QByteArray &bytes, QString &reason);
// Moves the file to a name that nothing has yet, never replacing one. Within one file
// system the file is renamed, which needs no room on a full disk; across file systems
// it is copied as createFile writes and then removed. Failed leaves the file in place.
Created moveFile(const QString &from, const QString &to, QString &reason);

// Removes the temporary files that writes of ended processes left in the folder, and in
// its sub-folders depth levels down (links are never followed). Only this writer's own
// temporary names are touched, and never one whose writer still runs. Returns how many.
int removeLeftovers(const QString &folder, int depth = 0);

} // namespace DurableWrite
