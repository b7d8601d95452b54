// The move record: every move of the game in play as a transaction, so moves can be
// undone, redone, replayed and jumped to. Records 1..top are in use (record 0 reads as
// all zero), current <= top, and a group is a run of records with Multi 1 closed by
// one with Multi 0; undo and redo always take a group whole.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <cstdint>
#include <functional>

class Context;

struct TransRecord {
    std::int16_t PicID = 0;
    std::int16_t SCell = 0, SPile = 0, SPos = 0;
    std::int16_t DCell = 0, DPile = 0, DPos = 0;
    std::int16_t mCards = 0;
    std::int32_t TMod = 0;
    std::int16_t Multi = 0;
};

class cEngine {
public:
    // Move kinds.
    static constexpr std::int32_t KindPlain = 0;
    static constexpr std::int32_t KindTurnedUp = 1;
    static constexpr std::int32_t KindTurnedDown = 2;
    static constexpr std::int32_t KindUncovered = 3;
    static constexpr std::int32_t KindReplay = 4;

    explicit cEngine(Context &ctx);

    // Appends a move, reading its source place from the board; drops undone moves.
    void SaveTrans(int picId, int dCell, int dPile, int dPos, int mCards, std::int32_t tMod);
    // The speed is in and out: a grouped record sets it to 2 for the caller.
    bool Undo(int &speed);
    bool Redo(int &speed);
    void UndoAll(int &speed);
    void RedoAll(int &speed);
    // The moves a record may be checked with before it is carried out: the record and the
    // one done before it (record 0, all zero, before the first move).
    using MoveCheck = std::function<void(const TransRecord &move, const TransRecord &previous)>;
    // RedoAll at speed 0 that first hands every move to `check`, with the board as it
    // stands before that move; an error the check raises stops the redo there.
    void RedoAllChecked(const MoveCheck &check);
    void MoveTo(int newTid);

    std::int16_t GetTransID() const { return current_; }
    std::int16_t GetTransTop() const { return top_; }
    bool UndoPossible() const { return current_ > 0; }
    bool RedoPossible() const { return current_ < top_; }
    bool MoveStarted() const { return top_ > 0; }
    void StartMulti() { multi_ = true; }
    void EndMulti();
    void ClearTRANS();
    std::int16_t TotalGoalCards() const;

    // Fields of record id; an id outside 0..capacity raises the subscript error.
    const TransRecord &Record(int id) const;
    std::int16_t PicID(int id) const { return Record(id).PicID; }
    std::int16_t SCell(int id) const { return Record(id).SCell; }
    std::int16_t SPile(int id) const { return Record(id).SPile; }
    std::int16_t SPos(int id) const { return Record(id).SPos; }
    std::int16_t DCell(int id) const { return Record(id).DCell; }
    std::int16_t DPile(int id) const { return Record(id).DPile; }
    std::int16_t DPos(int id) const { return Record(id).DPos; }
    std::int16_t mCards(int id) const { return Record(id).mCards; }
    std::int16_t Multi(int id) const { return Record(id).Multi; }
    std::int32_t TMod(int id) const { return Record(id).TMod; }
    std::int16_t Capacity() const { return capacity_; }
    bool GroupOpen() const { return multi_; }

    // Replaces the whole record (a saved game read back): current 0, top = records.
    void SetRecords(const QVector<TransRecord> &records);

    // The saved-game file: the session's game, its definition and the moves up to the
    // current one, written atomically (a failed write keeps the old file and raises the
    // access error). Reading checks the whole file before it replaces the record, so a
    // damaged file raises its error and leaves the record as it was.
    void SavetoFile(const QString &path);
    void LoadFile(const QString &path);
    // The bytes SavetoFile writes, for a writer that places the file itself. Like
    // SavetoFile it first reloads gCustom with the definition of the session's game.
    QByteArray SavedGameBytes() const;
    // The moves of a saved-game file's lines (those after the 18 header lines), each
    // within its field's width; raises the read error naming the line and the path.
    static QVector<TransRecord> ParseMoves(const QStringList &lines, const QString &path);
    // The lines of a saved-game file, read only as far as a game can record: a file with
    // more moves gives one line too many, enough for ParseMoves to refuse it.
    static QStringList ReadSavedLines(const QString &path);

    // True while an undo, redo or jump runs; a second one never starts inside it.
    bool Busy() const { return busy_; }

private:
    bool undoStep(int &speed);
    bool redoStep(int &speed);
    // Raises an error unless the record can be carried out on the board as it stands.
    void checkFits(const TransRecord &r, bool undo) const;

    Context &ctx_;
    QVector<TransRecord> list_;
    std::int16_t current_ = 0;
    std::int16_t top_ = 0;
    std::int16_t capacity_ = 100;
    bool multi_ = false;
    bool busy_ = false;
    const MoveCheck *check_ = nullptr;
};
