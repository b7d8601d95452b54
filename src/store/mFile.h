// Reading saved-game headers: the first 18 lines of a saved-game file, as the library
// dialogs and the definition loader see them.
#pragma once

#include <QString>
#include <QStringList>
#include <cstdint>

#include "core/GameNumber.h"

class Context;
class QDateTime;

struct SavedGameInfo {
    QString GameName;
    GameNumber GameNo;
    std::int32_t Time = 0;
    std::int16_t Moves = 0;
    std::int16_t Score = 0;
    std::int16_t Percentage = 0;
    QString DatePlayed; // the file's creation date (its modification time where none is kept)
    std::int16_t GOrder = 0, GBase = 0, GCards = 0, HOrder = 0, HSpace = 0, HPiles = 0, HAK = 0, HMulti = 0, RPiles = 0,
                 RCards = 0, MOrder = 0, Suits = 0;
};

// A favourite as read from its file: one record of game name, number, player and date.
struct FavoriteInfo {
    QString GameName;
    GameNumber GameNo;
    QString AddedBy;
    QString DateCreated; // as written between the two "#"
};

namespace mFile {
// Raises "Input past end of file" for a short header, the type-mismatch error for text
// where a number belongs and the overflow error for a number outside its width.
SavedGameInfo ReadGameHeader(const QString &path);
// The header from the file's lines (the date is left empty), with the same errors; their
// texts name the file and the line.
SavedGameInfo ParseGameHeader(const QStringList &lines, const QString &path);
// True for a finished game's file: the path ends in the finished-game extension, in any
// letter case.
bool IsFinishedGameFile(const Context &ctx, const QString &path);
// Reads a favourite's one record line: quoted name, a bare or quoted number, quoted
// player, #date#. Raises "Input past end of file" for a short record and the
// type-mismatch error for a field of the wrong kind.
FavoriteInfo ReadFavRecord(const QString &path);
// The fixed date format of every date the program writes or shows.
QString FormatDate(const QDateTime &when);
// A file's creation date, or its modification time where the file system keeps none.
QString FileDate(const QString &path);
} // namespace mFile
