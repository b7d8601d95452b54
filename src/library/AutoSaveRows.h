// What the auto-save browser shows of each auto-saved game: one row per file of a kind,
// in the folder's listing order, read from the file's header. A file whose header cannot
// be read still has its row (its title as tag, empty cells), so one damaged file never
// keeps the others from being shown, played or deleted.
#pragma once

#include <QList>
#include <QString>

class Context;

struct AutoSaveRow {
    QString text;  // the file name less its last four characters
    QString key;   // the full path
    QString tag;   // "game name - game number"
    QString date;  // the date the game was played
    QString time;  // the time played, h:mm:ss
    QString value; // the percentage with "%" (incomplete) or the score (finished)
};

namespace AutoSaveRows {
// The row of one file of the kind given.
AutoSaveRow Read(const QString &path, bool finished);
// Every row of one kind.
QList<AutoSaveRow> List(Context &ctx, bool finished);
// Deletes one auto-saved file, not forcing a read-only one (whoever runs the program).
// Raises the file system's error when the file cannot be deleted.
void DeleteFile(const QString &path);
} // namespace AutoSaveRows
