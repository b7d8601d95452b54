// Small interfaces through which the shared objects reach parts of the program that
// stand elsewhere (the rules window, the session, the board), with implementations
// that do nothing until those parts are wired in.
#pragma once

#include <QImage>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "core/GameNumber.h"
#include "engine/GameDefinition.h"
#include "platform/AppTimer.h"

struct LoadedGame;
class BackgroundDecoder;

class IRulesWindow {
public:
    virtual ~IRulesWindow() = default;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Shows the rules of the definition held by gCustom and runs shown once the window is
    // on the screen; blocks until closed when modal.
    virtual void open(bool modal, const std::function<void()> &shown) = 0;
};

class NullRulesWindow : public IRulesWindow {
public:
    bool isOpen() const override { return false; }
    void close() override {}
    void open(bool, const std::function<void()> &shown) override { shown(); }
};

// What the layout, the sounds and the board read of the game session until it is
// wired in. The board also counts the redeals here and asks for the win check after
// every move while a game runs; the defaults run no game and check nothing.
class ISessionInfo {
public:
    virtual ~ISessionInfo() = default;
    virtual QString GameName() const = 0;
    // 0 no game, 1 playing, 2 replaying a finished game.
    virtual int Game_Status() const = 0;
    // True while a game is running (dealt and not yet won or ended).
    virtual bool Game_Running() const { return false; }
    // When the game in play started, as the fixed date-time text.
    virtual QString Game_StartTime() const { return {}; }
    // Redeals of the waste made in this game.
    virtual int RedealsComp() const { return 0; }
    virtual void setRedealsComp(int) {}
    // The win check, run after every move while the game is running.
    virtual void CheckGameWon() {}
    // What the saved-game file writes of the session.
    virtual GameNumber GameNo() const { return {}; }
    virtual std::int32_t Time() const { return 0; }
    virtual std::int16_t Moves() const { return 0; }
    virtual std::int16_t Score() const { return 0; }
    virtual std::int16_t Percentage() const { return 0; }
    // The definition the board on the table was built from; none without a game.
    virtual std::optional<GameDefinition> BoardDefinition() const { return std::nullopt; }
    // Ends the game in play and plays a saved game that was read and checked whole.
    virtual void PlayLoadedGame(const QString &, const LoadedGame &, bool) {}
    // 0 a new deal, 1 an unfinished game, 2 a finished game, 3 a pending-list game.
    virtual std::int32_t Game_LoadingType() const { return 0; }
    // The file a pending-list game in play is written back to; "" for any other game.
    virtual QString PendingFile() const { return {}; }
    // Clears the table and stops the clock; the game is neither logged nor saved.
    virtual void ClearArea() {}
};

class NullSessionInfo : public ISessionInfo {
public:
    QString GameName() const override { return {}; }
    int Game_Status() const override { return 0; }
    int RedealsComp() const override { return redealsComp_; }
    void setRedealsComp(int v) override { redealsComp_ = v; }

private:
    int redealsComp_ = 0;
};

// What the layout reads of the board until it is wired in.
class IBoardInfo {
public:
    virtual ~IBoardInfo() = default;
    // Face-down cards of a tableau pile.
    virtual int ClosedCards(int pile) const = 0;
};

class NullBoardInfo : public IBoardInfo {
public:
    int ClosedCards(int) const override { return 0; }
};

// A game chosen in the selection dialog: the category it was chosen in, the key of its
// entry (a file path, a "name - number" entry or a game name) and the game's name.
struct SelectChoice {
    QString category;
    QString nodeKey;
    QString gameName;
};

// What the game session asks of the main window: its caption, the game clock, the
// forward replay, the pause marks and the announcement of a win. The null window only
// keeps the states, so the session runs without a window in tests and tools.
class IMainWindow {
public:
    virtual ~IMainWindow() = default;
    virtual void setCaption(const QString &caption) = 0;
    virtual QString caption() const = 0;
    // tmrGame: the game clock.
    virtual void setGameClock(bool on) = 0;
    virtual bool gameClock() const = 0;
    // tmrForward: the forward replay.
    virtual void setReplayForward(bool on) = 0;
    // tmrBackward: the backward replay.
    virtual void setReplayBackward(bool) {}
    // Either replay timer is on.
    virtual bool replayRunning() const { return false; }
    // Stops both replays.
    virtual void StopReplay() {}
    // Runs a board-changing step as one of the window's board operations: busy meanwhile,
    // an error reported, a close asked for meanwhile done after it, the game kept after.
    virtual void runBoardOperation(const std::function<void()> &body) { body(); }
    // The Pause toolbar button pressed and the Pause menu item checked.
    virtual void setPauseMark(bool paused) = 0;
    // All cards reached the foundations: the window announces the win once the move
    // that won it has returned.
    virtual void gameWon() = 0;
    // Start-up steps of the window's menus and toolbar: icons, and the buttons shown.
    virtual void InitMenuItems() {}
    virtual void ApplyToolbar() {}
    // The table's background picture: the background settings paint into it, the window
    // shows the part its table covers once told that it changed.
    virtual QImage &backgroundPicture() = 0;
    virtual void backgroundChanged() {}
    // The window's outer width and height in twips.
    virtual QSizeF outerSize() const = 0;
    // tmrWallPaper: changes the background on each tick while enabled with an interval.
    virtual AppTimer &wallPaperTimer() = 0;
    // Runs the game selection dialog over the window; none when it was cancelled.
    virtual std::optional<SelectChoice> RunSelectDialog() { return std::nullopt; }
    // Decodes the pictures of background changes off the GUI thread; without one they are
    // decoded in place.
    virtual BackgroundDecoder *backgroundDecoder() { return nullptr; }
};

class NullMainWindow : public IMainWindow {
public:
    void setCaption(const QString &caption) override { caption_ = caption; }
    QString caption() const override { return caption_; }
    void setGameClock(bool on) override { clock_ = on; }
    bool gameClock() const override { return clock_; }
    void setReplayForward(bool on) override { forward_ = on; }
    void setPauseMark(bool paused) override { pauseMark_ = paused; }
    void gameWon() override { ++wins_; }
    QImage &backgroundPicture() override { return background_; }
    void backgroundChanged() override { ++backgroundChanges_; }
    QSizeF outerSize() const override { return outerSize_; }
    AppTimer &wallPaperTimer() override { return wallPaper_; }
    // The selection dialog answers what the script gives; cancelled without one.
    std::optional<SelectChoice> RunSelectDialog() override
    {
        ++selectDialogs_;
        return selectScript ? selectScript() : std::nullopt;
    }
    std::function<std::optional<SelectChoice>()> selectScript;
    int selectDialogs() const { return selectDialogs_; }

    void setOuterSize(const QSizeF &twips) { outerSize_ = twips; }
    int backgroundChanges() const { return backgroundChanges_; }
    bool forward() const { return forward_; }
    bool pauseMark() const { return pauseMark_; }
    int wins() const { return wins_; }

private:
    QString caption_;
    bool clock_ = false;
    bool forward_ = false;
    bool pauseMark_ = false;
    int wins_ = 0;
    int selectDialogs_ = 0;
    QImage background_;
    int backgroundChanges_ = 0;
    QSizeF outerSize_{9600, 7200};
    AppTimer wallPaper_{0};
};
