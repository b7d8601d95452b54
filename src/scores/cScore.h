// The score store: each player's score log on disk (one line per ended game, only ever
// appended), the logs of all players loaded for the statistics windows, the top-20
// list built from them, and the games ended in this run. Kept true: the loaded
// records are grouped by player in player order and in file order within a player;
// filled top-list slots are 1..k with no gap, best first; sums never overflow.
#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <array>
#include <climits>
#include <cstdint>
#include <vector>

#include "core/GameNumber.h"
#include "core/RegularFile.h"

class Context;

// One ended game: a line of a log, a top-list slot or a game of this run.
struct ScoreRecord {
    QString DateText; // as written; empty for the games of this run
    QString GameName;
    GameNumber GameNo;
    std::int32_t Time = 0;
    std::int32_t Moves = 0;
    std::int32_t Score = 0;
    std::int16_t Won = 0; // only 1 counts as won
    QString Player;       // the log it was read from, or the current player

    // DateText read once as a date: its day (Julian day number) and its month
    // (year x 12 + month - 1). DayNo is kNoDate when the text is not a date.
    static constexpr std::int32_t kNoDate = INT32_MIN;
    std::int32_t DayNo = kNoDate;
    std::int32_t MonthNo = 0;

    bool HasDate() const { return DayNo != kNoDate; }
    // The date part ("2026-12-08"), or the text as written when it is not a date.
    QString ShortDate() const;
};

// Totals over a set of records.
struct ScoreStat {
    std::int64_t Played = 0;
    std::int64_t Won = 0;
    std::int64_t Lost = 0;
    std::int64_t Score = 0;
    std::int64_t Moves = 0;
    std::int64_t Time = 0;
};

// Totals for one day, month or year.
struct DateStat {
    std::int64_t Played = 0;
    std::int64_t Won = 0;
    std::int64_t Lost = 0;
    QString Label;
    std::int64_t Score = 0;
    std::int64_t Moves = 0;
    std::int64_t Time = 0;
};

class cScore {
public:
    static constexpr int kTopSlots = 20;

    explicit cScore(Context &ctx) : ctx_(ctx) {}

    // The log of a player: the product data folder's path directly followed by the name
    // and ".sre", so the log lies beside that folder ("...Brackenfold 6.0Player1.sre").
    static QString LogPath(Context &ctx, const QString &player);

    // Appends the game in play to the current player's log: won 1, lost 0.
    void AddScore(std::int16_t won);
    // Fills the top list with the 20 best scores above 0; "" matches every game or
    // player. Equal scores: the record loaded later stands first.
    void Sort(const QString &game, const QString &player, std::int16_t wonOnly);
    // Fills the top list with the won games of fewest seconds or fewest moves; a key
    // below 1 is never listed. Equal keys: the record loaded later stands first.
    void FinSort(bool byTime, bool byMoves);
    // Appends the player's log to the loaded records; a missing log adds nothing. A log
    // unchanged since it was last read (same size and modification time) is taken from
    // memory instead of being read and parsed again.
    void OpenScore(const QString &player);
    void CloseScore();
    // Loads the logs of every player, in player order. A log that cannot be read is left
    // out and the others loaded; one message names every log left out and why.
    void OpenAllScore();
    // Asks, then deletes the log of every player in the list. Every log is tried; those
    // that cannot be deleted are named in one message instead of the confirmation.
    void ClearStat();
    std::int32_t ScoreTop() const { return static_cast<std::int32_t>(records_.size()); }
    std::int16_t FavTop() const { return 0; }
    // Adds the game in play to the games of this run.
    void AddSesGame(std::int16_t won);
    std::int32_t SesTop() const { return static_cast<std::int32_t>(session_.size()); }
    // Asks for a file and writes the statistics report there.
    void ExportStat();

    // For the statistics windows.
    ScoreStat GetGenStat() const;
    ScoreStat GetGameStat(const QString &game) const;
    ScoreStat GetPlayerStat(const QString &player) const;
    // Totals of the day ("d"), month ("m") or year ("yyyy") holding the date; records
    // whose date cannot be read are left out. Raises the type-mismatch error for a date
    // that cannot be read.
    DateStat GetDateStat(const QString &date, const QString &interval) const;
    // Record i, 1..ScoreTop; raises the subscript error outside.
    const ScoreRecord &GetScore(std::int32_t i) const;
    // The k-th loaded record of the game; an empty record when there are fewer.
    ScoreRecord GetGameScore(const QString &game, std::int32_t k) const;
    // Top-list slot 0..20 (slot 0 is never filled); raises the subscript error outside.
    const ScoreRecord &GetTopScore(std::int16_t slot) const;
    ScoreStat GetSesStat() const;
    const ScoreRecord &GetSesGame(std::int32_t i) const;

    // The statistics report as written by ExportStat, over what is loaded now.
    QByteArray StatReport() const;

private:
    void clearTop();
    // Puts the record into slot s, moving the slots from s down by one.
    void insertTop(int s, const ScoreRecord &record);
    ScoreRecord gameInPlay(std::int16_t won) const;

    // A log's records as last read, with the size and time the log had then.
    struct KeptLog {
        RegularFile::Stamp stamp;
        std::vector<ScoreRecord> records;
    };

    Context &ctx_;
    std::vector<ScoreRecord> records_;
    QHash<QString, KeptLog> keptLogs_; // by log path, for the run
    QSet<QString> toldLeftOut_;        // every list of logs left out that the user was told of
    std::array<ScoreRecord, kTopSlots + 1> top_;
    int topFilled_ = 0; // slots 1..topFilled_ hold records
    std::vector<ScoreRecord> session_;
};
