// The score log's line: seven comma-separated fields, CR LF at the end, in this order:
// "date","game name",number,seconds,moves,score,won. Texts are quoted, the game number
// is bare when held as a number and quoted when held as text. Reading skips a line
// that is not seven fields within their ranges and keeps the rest of the log.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <string_view>
#include <vector>

struct ScoreRecord;

namespace ScoreLog {
// The line of a record, without its line end.
QByteArray FormatLine(const ScoreRecord &record);
// Reads one line (without its line end) into the record; false when it is not a log line.
bool ParseLine(std::string_view line, ScoreRecord &record);
// Reads a date as logs hold it: "yyyy-mm-dd hh:mm:ss", a date alone, ISO with "T",
// or "M/d/yyyy h:mm:ss AM/PM". Only the date part is kept.
bool ReadDate(std::string_view text, QDate &date);
// Sets DayNo and MonthNo from the record's DateText.
void SetDateNumbers(ScoreRecord &record);
// The largest log read: room for a million records of 256 bytes, far beyond any real
// log, so that a runaway file cannot take the program's memory.
constexpr qint64 kMaxLogBytes = 256'000'000;

// Appends the line to the log, creating it when missing. A log whose last line was torn
// gets a line end first, so the new record stands on a line of its own. The line is
// written whole or not at all: a short write (a full disk) cuts the log back to its old
// length. Raises the access error naming the log and the system's reason when it cannot
// be written, and for a log that is not a regular file.
void AppendLine(const QString &path, const QByteArray &line);
// Appends every readable line of the log to the records, each with the player's name.
// A missing log adds nothing. Raises the access error naming the log, adding nothing,
// when it is not a regular file (a folder, a pipe, a device), is larger than
// kMaxLogBytes or cannot be read.
void ReadLog(const QString &path, const QString &player, std::vector<ScoreRecord> &records);
} // namespace ScoreLog
