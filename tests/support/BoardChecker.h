// Checks the invariants of a dealt board against its display list: every card in
// exactly one grid place, piles without gaps, records matching the grid, and every card
// picture shown where the layout puts its place, with the right face, above the card
// below it. Tests run it after every board operation. BoardContext is the context those
// tests deal in: a display list, a session whose status the test sets, a sound player
// that records what it is asked to play, and helpers that arrange cards with unrecorded
// moves.
#pragma once

#include <gtest/gtest.h>

#include <QString>

#include "engine/DisplayList.h"
#include "app/Context.h"
#include "support/RecordingSoundPlayer.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempHome.h"

class cPlay;

// checkPictures false leaves out the places of the pictures (for deals that put face-down
// cards above face-up ones, which the layout cannot space).
::testing::AssertionResult BoardIsConsistent(Context &ctx, const DisplayList &surface, bool checkPictures = true);

#define EXPECT_BOARD_OK(ctx, surface) EXPECT_TRUE(BoardIsConsistent((ctx), (surface)))
#define ASSERT_BOARD_OK(ctx, surface) ASSERT_TRUE(BoardIsConsistent((ctx), (surface)))

class cGames;

// The tableau values of a layout, to change some and set them again. multiOrder reads 0
// (the tableau's own order).
struct HomeValues {
    int piles, order, cards, ak, emptyNum, multiMove, startX, startY, pileWidth, posWidth, div, divWidth, pileOrder,
        homeType, multiOrder, suitType, cardsOpen;
};
HomeValues homeOf(const cGames &g);
void setHome(cGames &g, const HomeValues &h);

// A session whose status, running flag and redeal count the test sets; counts win checks.
class PlaySession : public ISessionInfo {
public:
    QString GameName() const override { return name; }
    int Game_Status() const override { return status; }
    bool Game_Running() const override { return running; }
    int RedealsComp() const override { return redeals; }
    void setRedealsComp(int v) override { redeals = v; }
    void CheckGameWon() override { ++winChecks; }

    QString name;
    int status = 0;
    bool running = false;
    int redeals = 0;
    int winChecks = 0;
};

struct BoardContext {
    BoardContext();

    // Loads a built-in game and builds its layout.
    void load(const QString &game);
    // Loads and deals.
    void deal(const QString &game, std::int64_t number);
    // Deals Freecell with face-down cards under the last row of the tableau.
    void dealWithClosedCards(std::int64_t number);
    // Loads Freecell as seven piles dealt in rows over a stock that moves stockMove cards
    // at a time and one waste pile; nothing is dealt yet.
    void loadWithStock(int stockMove = 0);
    // Session status 1 and running, as while a game is played.
    void playing();

    cPlay &play() const;
    // The card of that rank and suit (the first in id order).
    int find(int num, int suit) const;
    // Moves the card onto the top of the pile without recording it and without automatic
    // moves; the cards lying on it are first moved onto `dump`.
    void place(int card, int area, int pile, bool faceUp = true, int dump = -1);
    // Empties a tableau pile or a free cell onto the tableau pile `dump`.
    void empty(int area, int pile, int dump);
    ::testing::AssertionResult consistent(bool checkPictures = true)
    {
        return BoardIsConsistent(ctx, surface, checkPictures);
    }

    ScriptedMessageBox box;
    TempHome home;
    PlaySession session;
    RecordingSoundPlayer sounds;
    DisplayList surface;
    Context ctx;

private:
    Services services();
};
