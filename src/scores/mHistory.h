// The move history as text: the place names of a recorded move, its card count, and the
// exported history file. Every recorded move is listed, the undone ones too, so the file
// shows the whole record whatever the current move is.
#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

class Context;
struct TransRecord;

namespace mHistory {

// "Tableau (Pile 3, Card 7)": the area name, then pile and position counted from 1.
QString GetSourceText(const TransRecord &move);
QString GetDestText(const TransRecord &move);
// The cards the move carried: the moved card and those on top of it.
QString GetCardCount(const TransRecord &move);

// The date line's value: the fixed date-time format, the date alone at midnight.
QString DateText(const QDateTime &when);
// The export's lines: the game's heading, then one line per recorded move.
QStringList HistoryLines(Context &ctx, const QDateTime &now);
// Replaces the file atomically with the lines (CR LF); a failed write keeps what stood
// there and raises the access error naming the file.
void WriteHistory(Context &ctx, const QString &path, const QDateTime &now);

} // namespace mHistory
