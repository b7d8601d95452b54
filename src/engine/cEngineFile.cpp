// The saved-game file of the move record: 18 header lines (the game's name, number and
// progress from the session, its definition's twelve values) and one line of ten printed
// numbers per move, from move 1 to the current move.
#include "engine/cEngine.h"

#include <QRegularExpression>
#include <QStringList>

#include "core/AppError.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "engine/cCustom.h"
#include "app/Context.h"
#include "store/mFile.h"

namespace {

constexpr int kHeaderLines = 18;
constexpr int kFields = 10;
// The capacity grows in steps of 100 and is a 16-bit number, so it stops at 32700.
constexpr int kMaxRecords = 32700;

[[noreturn]] void raiseAtLine(int number, int line, const QString &path, const QString &detail = {})
{
    QString text =
        QStringLiteral("%1 in line %2 of %3").arg(AppError::standardText(number), QString::number(line), path);
    if (!detail.isEmpty())
        text += QStringLiteral(": ") + detail;
    raiseError(number, text);
}

// One move line: exactly ten numbers separated by blanks, each within its width.
TransRecord parseMove(const QString &text, int line, const QString &path)
{
    static const QRegularExpression blanks(QStringLiteral("[ \\t]+"));
    const QStringList tokens = text.split(blanks, Qt::SkipEmptyParts);
    if (tokens.size() < kFields)
        raiseAtLine(err::InputPastEnd, line, path,
                    QStringLiteral("a move has ten numbers, this line has %1").arg(tokens.size()));
    if (tokens.size() > kFields)
        raiseAtLine(err::TypeMismatch, line, path,
                    QStringLiteral("a move has ten numbers, this line has %1").arg(tokens.size()));
    std::int64_t values[kFields] = {};
    try {
        for (int i = 0; i < kFields; ++i) {
            values[i] = TextFile::parseInteger(tokens[i]);
            if (i == 8)
                toInt32(values[i]);
            else
                toInt16(values[i]);
        }
    } catch (const AppError &e) {
        raiseAtLine(e.number(), line, path);
    }
    TransRecord r;
    r.PicID = static_cast<std::int16_t>(values[0]);
    r.SCell = static_cast<std::int16_t>(values[1]);
    r.SPile = static_cast<std::int16_t>(values[2]);
    r.SPos = static_cast<std::int16_t>(values[3]);
    r.DCell = static_cast<std::int16_t>(values[4]);
    r.DPile = static_cast<std::int16_t>(values[5]);
    r.DPos = static_cast<std::int16_t>(values[6]);
    r.mCards = static_cast<std::int16_t>(values[7]);
    r.TMod = static_cast<std::int32_t>(values[8]);
    r.Multi = static_cast<std::int16_t>(values[9]);
    return r;
}

} // namespace

QByteArray cEngine::SavedGameBytes() const
{
    const ISessionInfo &session = ctx_.session();
    cCustom &custom = ctx_.custom();
    // The definition is reloaded by name. A game on the table is saved with the
    // definition its board was built from, so its moves fit the header even when its
    // studio game was edited or deleted since the deal; without a board, the name's.
    GameDefinition def = custom.Definition();
    const bool named = custom.Init(session.GameName());
    if (const std::optional<GameDefinition> board = session.BoardDefinition())
        def = *board;
    else if (named)
        def = custom.Definition();

    const GameNumber number = session.GameNo();
    QStringList lines;
    lines.reserve(kHeaderLines + current_);
    lines << session.GameName();
    // A number held as text is written as the text it was given ("007" stays "007").
    lines << (number.isText() ? number.text() : TextFile::printed(number.value()));
    for (const std::int64_t v : {std::int64_t{session.Time()}, std::int64_t{session.Moves()},
                                 std::int64_t{session.Score()}, std::int64_t{session.Percentage()}})
        lines << TextFile::printed(v);
    for (const std::int16_t v : {def.GOrder, def.GBase, def.GCards, def.HOrder, def.HSpace, def.HPiles, def.HAK,
                                 def.HMulti, def.RPiles, def.RCards, def.MOrder, def.Suits})
        lines << TextFile::printed(v);
    for (int id = 1; id <= current_; ++id) {
        const TransRecord &r = list_[id];
        QString line;
        for (const std::int64_t v :
             {std::int64_t{r.PicID}, std::int64_t{r.SCell}, std::int64_t{r.SPile}, std::int64_t{r.SPos},
              std::int64_t{r.DCell}, std::int64_t{r.DPile}, std::int64_t{r.DPos}, std::int64_t{r.mCards},
              std::int64_t{r.TMod}, std::int64_t{r.Multi}})
            line += TextFile::printed(v);
        lines << line;
    }
    return TextFile::joinLines(lines);
}

void cEngine::SavetoFile(const QString &path)
{
    TextFile::writeAtomic(path, SavedGameBytes());
}

QVector<TransRecord> cEngine::ParseMoves(const QStringList &lines, const QString &path)
{
    const qsizetype count = lines.size() - kHeaderLines;
    if (count > kMaxRecords)
        raiseError(err::Overflow, QStringLiteral("%1 holds more than %2 moves, more than a game can record")
                                      .arg(path, QString::number(kMaxRecords)));
    QVector<TransRecord> records;
    if (count <= 0)
        return records;
    records.reserve(count);
    for (qsizetype i = kHeaderLines; i < lines.size(); ++i)
        records.append(parseMove(lines[i], static_cast<int>(i + 1), path));
    return records;
}

QStringList cEngine::ReadSavedLines(const QString &path)
{
    return TextFile::readLines(path, kHeaderLines + kMaxRecords);
}

void cEngine::LoadFile(const QString &path)
{
    // The whole file is read and checked first, so a damaged file leaves the record as it was.
    const QStringList lines = ReadSavedLines(path);
    mFile::ParseGameHeader(lines, path);
    SetRecords(ParseMoves(lines, path));
}
