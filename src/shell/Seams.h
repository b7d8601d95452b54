// Small interfaces through which the shared objects reach parts of the program that
// stand elsewhere (the rules window, the session, the board), with implementations
// that do nothing until those parts are wired in.
#pragma once

#include <QString>

class IRulesWindow {
public:
    virtual ~IRulesWindow() = default;
    virtual bool isOpen() const = 0;
    virtual void close() = 0;
    // Shows the rules of the definition held by gCustom; blocks until closed when modal.
    virtual void open(bool modal) = 0;
};

class NullRulesWindow : public IRulesWindow {
public:
    bool isOpen() const override { return false; }
    void close() override {}
    void open(bool) override {}
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
    // Redeals of the waste made in this game.
    virtual int RedealsComp() const { return 0; }
    virtual void setRedealsComp(int) {}
    // The win check, run after every move while the game is running.
    virtual void CheckGameWon() {}
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
