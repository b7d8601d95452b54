// Reading saved-game headers: the first 18 lines of a saved-game file, as the library
// dialogs and the definition loader see them.
#pragma once

#include <QString>
#include <cstdint>

#include "core/GameNumber.h"

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

namespace mFile {
// Raises "Input past end of file" for a short header, the type-mismatch error for text
// where a number belongs and the overflow error for a number outside its width.
SavedGameInfo ReadGameHeader(const QString &path);
// The fixed date format of every date the program writes or shows.
QString FormatDate(const QDateTime &when);
// A file's creation date, or its modification time where the file system keeps none.
QString FileDate(const QString &path);
} // namespace mFile
