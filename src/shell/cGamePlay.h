// The session of the one game on the table: every way of starting a game ends in
// StartGame, which closes what is on the table, loads the definition and layout, deals
// and brings a loaded move record forward. The session also pauses, ends and saves the
// game and supplies the time, score, moves, percentage and caption the window shows.
// Kept true: status 1 (playing) has a dealt board and the running flag set unless the
// game was won; status 2 replays a finished game; status 0 has an empty table.
#pragma once

#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/GameNumber.h"
#include "engine/GameDefinition.h"
#include "app/Seams.h"

class Context;
struct LoadedGame;

class cGamePlay : public ISessionInfo {
public:
    // Load types.
    static constexpr std::int32_t NewDeal = 0;
    static constexpr std::int32_t Unfinished = 1;
    static constexpr std::int32_t Finished = 2;
    static constexpr std::int32_t Pending = 3;
    // Status values.
    static constexpr std::int32_t NoGame = 0;
    static constexpr std::int32_t Playing = 1;
    static constexpr std::int32_t Replaying = 2;

    explicit cGamePlay(Context &ctx);

    void StartGame(const QString &name, const GameNumber &number, std::int32_t loadType, std::int32_t time,
                   std::int16_t score, std::int16_t redeals);
    void PlayNumber(const QString &name, const GameNumber &number);
    // Without a name, the game played last.
    void PlayRandom(const QString &name = {});
    void Restart();
    // "name - number": the name before the blank that precedes the first dash, the number
    // after the dash and its blank (held as text).
    void PlayString(const QString &text);
    // Reads and checks the whole file (mFile::ReadSavedGame), then PlayLoadedGame.
    void PlayFile(const QString &path, bool addToRecent);
    // Plays a saved game already read: ends the game in play, takes the moves and the
    // definition they were checked against, starts it (replayed when the path has the
    // finished-game extension) and then lists the path as recently opened when asked.
    void PlayLoadedGame(const QString &path, const LoadedGame &game, bool addToRecent) override;
    // Resumes a pending-list game, read and checked whole first. Its file is deleted only
    // once the game runs; a start that fails raises and leaves the file and its menu entry.
    void PlayPendFile(const QString &path);
    void PlayFavFile(const QString &path);
    // The way to a game when none was named: the main window runs the game selection
    // dialog, and the game chosen there starts once it has gone. Cancelled, nothing starts.
    void SelectGame();
    // Starts a game chosen in the selection dialog the way its category plays it.
    void PlayChoice(const SelectChoice &choice);

    void PauseGame(bool pause);
    bool PauseStatus() const { return paused_; }
    void Unload();
    void EndGame(std::int16_t won, bool terminating);
    void ClearArea() override;

    // Writes the game in play where shutdown would put it, so a crash loses at most the
    // last action. Does nothing unless a game is played, not won, the board is at rest
    // and the option "GameSave" is on. True when the game was written.
    bool SaveProgress();
    // The unfinished-game file holds a game that was not resumed and could not be kept
    // aside: no game is written over it in this run.
    void HoldUnfinishedFile() { unfinishedHeld_ = true; }

    std::int32_t Time() const override { return time_; }
    void setTime(std::int32_t seconds) { time_ = seconds; }
    QString TimeString() const;
    std::int16_t Score() const override;
    std::int16_t Moves() const override;
    std::int16_t Percentage() const override;
    std::int16_t CardsLeft() const;
    // The formulas behind Score and Percentage, rounded half to even and kept within
    // 16 bits: 10 x home - (time / 3 + moves / 2), and 100 x home / cards (0 without cards).
    static std::int16_t ScoreOf(std::int16_t home, std::int32_t time, std::int16_t moves);
    static std::int16_t PercentageOf(std::int16_t home, std::int16_t cards);
    // The caption the main window shows.
    QString Title() const;
    void Update_Title();

    bool Game_Running() const override { return running_; }
    void setGame_Running(bool running) { running_ = running; }
    QString Game_StartTime() const override { return startTime_; }
    void setGame_StartTime(const QString &v) { startTime_ = v; }
    GameNumber GameNo() const override { return gameNo_; }
    void setGameNo(const GameNumber &v) { gameNo_ = v; }
    QString GameName() const override { return gameName_; }
    void setGameName(const QString &v) { gameName_ = v; }
    int RedealsComp() const override { return redeals_; }
    void setRedealsComp(int v) override { redeals_ = static_cast<std::int16_t>(v); }
    int Game_Status() const override { return status_; }
    bool IsPending() const { return loadType_ == Pending; }
    std::int32_t Game_LoadingType() const override { return loadType_; }
    QString PendingFile() const override { return pendingFile_; }
    QString LastGName() const;
    void setLastGName(const QString &name);
    // True from the winning move until the table is cleared.
    bool Won() const { return won_; }

    void CheckGameWon() override;
    std::optional<GameDefinition> BoardDefinition() const override;

private:
    // A new deal of a game the table names; any other name goes to the selection.
    void newDeal(const QString &name, const GameNumber &number);
    void setClock(bool on);
    // Shutdown of a game to be resumed: writes it to the unfinished-game file and only then
    // sets the flag. A failed write keeps the file saved last when it holds this game,
    // else records the game as lost and auto-saves it; either way the user is told.
    void keepForNextStart();
    // Runs a settings write; a failure is reported once per run and play goes on.
    void keepSetting(const std::function<void()> &write);
    // Runs a step of ending a game; its failure is shown once, and again only after the
    // step has worked in between (a disk that stays full is told once per run).
    void endStep(bool &failing, const std::function<void()> &step);

    Context &ctx_;
    bool running_ = false;
    QString startTime_;
    std::int32_t time_ = 0;
    std::int16_t storedScore_ = 0;
    GameNumber gameNo_;
    QString gameName_;
    std::int16_t redeals_ = 0;
    bool paused_ = false;
    std::int32_t loadType_ = NewDeal;
    QString pendingFile_;
    std::int32_t status_ = NoGame;
    bool won_ = false;
    // The definition the next StartGame deals from instead of the name's: the one a
    // saved game's moves were checked against.
    std::optional<GameDefinition> fileDefinition_;
    // The definition the board on the table was dealt from.
    std::optional<GameDefinition> boardDefinition_;
    bool restarting_ = false;
    // A game reached the table in this run.
    bool gameStarted_ = false;
    bool unfinishedHeld_ = false;
    bool logFailing_ = false;
    bool autoSaveFailing_ = false;
};
