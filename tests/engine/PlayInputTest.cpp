// Pointer input on the board: pressing lifts a card or a run, releasing drops it on the
// first slot that is hit and accepts it or sends it back, double-clicks send cards up.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <utility>

#include "appearance/mCustomize.h"
#include "core/Numbers.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mFunc.h"
#include "engine/mStudio.h"
#include "store/mOptions.h"
#include "support/BoardChecker.h"
#include "support/Errors.h"

namespace {

PicRef pic(int card)
{
    return {PicArray::Card, card};
}

// What the board window does at a press: the pointer 500 x 300 twips inside the card.
bool press(BoardContext &t, int card)
{
    cPlay &p = t.play();
    DragState &d = p.drag();
    if (d.gDragActive)
        return p.MouseDown(card, p.Cell(card), p.Pile(card), p.Pos(card));
    d.gDragCount = 0;
    d.gPressX = 500;
    d.gPressY = 300;
    d.gPressLeft = static_cast<int>(roundHalfEven(t.surface.left(pic(card))));
    d.gPressTop = static_cast<int>(roundHalfEven(t.surface.top(pic(card))));
    return p.MouseDown(card, p.Cell(card), p.Pile(card), p.Pos(card));
}

// Moves the pointer so that the lifted card's top left corner comes to (left, top).
void dragTo(BoardContext &t, int card, double left, double top)
{
    cPlay &p = t.play();
    const double x = left - t.surface.left(pic(card)) + p.drag().gPressX;
    const double y = top - t.surface.top(pic(card)) + p.drag().gPressY;
    p.MouseMove(card, p.Pile(card), p.Pos(card), x, y);
}

void release(BoardContext &t, int card)
{
    cPlay &p = t.play();
    p.drag().gDragActive = false;
    p.MouseUp(card, p.Cell(card), p.Pile(card), p.Pos(card));
}

// Drags the card to a place where it overlaps both slots (area, pile, position) but its
// centre lies in no slot of the board, and drops it there.
void dropStraddling(BoardContext &t, int card, std::array<int, 3> a, std::array<int, 3> b)
{
    cPlay &p = t.play();
    const cGames &g = t.ctx.games();
    auto overlaps = [&](std::array<int, 3> s, int mode) { return p.IsOverSlot(card, s[0], s[1], s[2], mode); };
    auto centreInAnySlot = [&] {
        for (int j = 0; j < g.Piles(0); ++j) {
            if (overlaps({0, j, p.GetTop(0, j)}, 0))
                return true;
        }
        for (int area : {3, 4}) {
            for (int l = 0; l < g.Piles(area); ++l) {
                if (overlaps({area, l, 0}, 0))
                    return true;
            }
        }
        return false;
    };
    const int ax = g.GetCordX(a[0], a[1], a[2]);
    const int ay = g.GetCordY(a[0], a[1], a[2]);
    const int bx = g.GetCordX(b[0], b[1], b[2]);
    const int by = g.GetCordY(b[0], b[1], b[2]);
    ASSERT_TRUE(press(t, card));
    for (int top = std::min(ay, by) - 1440; top < std::max(ay, by) + 1440; top += 10) {
        for (int left = std::min(ax, bx) - 1065; left < std::max(ax, bx) + 1065; left += 10) {
            dragTo(t, card, left, top);
            if (overlaps(a, 1) && overlaps(b, 1) && !centreInAnySlot()) {
                release(t, card);
                return;
            }
        }
    }
    FAIL() << "no place overlaps both slots with its centre in none";
}

// The top card of the tallest tableau pile other than pile 0 and `avoid`.
int spareCard(BoardContext &t, int avoid = -1)
{
    int best = 1;
    for (int j = 1; j < 8; ++j) {
        if (j != avoid && (best == avoid || t.play().GetTop(0, j) > t.play().GetTop(0, best)))
            best = j;
    }
    return t.play().GetTopPicID(0, best);
}

void stack(BoardContext &t, int pile, std::initializer_list<std::pair<int, int>> cards)
{
    t.empty(0, pile, 7);
    for (const auto &[num, suit] : cards)
        t.place(t.find(num, suit), 0, pile, true, 7);
}

} // namespace

TEST(PlayInput, ARunIsLiftedWithItsRidersAndDroppedOnAPileThatTakesIt)
{
    BoardContext t;
    t.deal("Freecell", 1);
    t.playing();
    cPlay &p = t.play();
    stack(t, 0, {{8, 0}, {7, 1}, {6, 2}});
    stack(t, 5, {{9, 3}});
    const int nine = p.GetPicID(0, 0, 0);
    const int eight = p.GetPicID(0, 0, 1);
    const int seven = p.GetPicID(0, 0, 2);
    ASSERT_TRUE(t.consistent());

    ASSERT_TRUE(press(t, nine));
    EXPECT_TRUE(p.drag().gDragActive);
    EXPECT_EQ(p.drag().gDragCount, 2);
    EXPECT_EQ(p.DragRiders(), (std::vector<int>{eight, seven}));
    EXPECT_EQ(t.surface.carrierOf(pic(eight)), pic(nine));
    EXPECT_EQ(t.surface.left(pic(seven)), 0);
    EXPECT_EQ(t.surface.top(pic(seven)), 500);
    EXPECT_EQ(t.surface.height(pic(nine)), 1440 + 500);
    EXPECT_TRUE(t.surface.isAbove(pic(nine), pic(p.GetTopPicID(0, 7))));

    const cGames &g = t.ctx.games();
    dragTo(t, nine, g.GetCordX(0, 5, 0) + 40, g.GetCordY(0, 5, 0) + 90);
    EXPECT_EQ(t.surface.absoluteRect(pic(seven)).top(), g.GetCordY(0, 5, 0) + 90 + 500);
    release(t, nine);
    EXPECT_EQ(p.GetPicID(0, 5, 1), nine);
    EXPECT_EQ(p.GetPicID(0, 5, 3), seven);
    EXPECT_EQ(p.GetTop(0, 0), -1);
    EXPECT_TRUE(p.DragRiders().empty());
    EXPECT_EQ(t.ctx.engine().Record(1).mCards, 2);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, ARunDroppedOnItsOwnPileAFreeCellOrAFoundationGoesBack)
{
    BoardContext t;
    t.deal("Freecell", 1);
    t.playing();
    cPlay &p = t.play();
    stack(t, 0, {{12, 0}, {8, 0}, {7, 1}, {6, 2}});
    const int nine = p.GetPicID(0, 0, 1);
    const cGames &g = t.ctx.games();
    const struct {
        double left, top;
    } places[] = {
        {t.surface.left(pic(nine)) + 30, t.surface.top(pic(nine)) + 40},
        {static_cast<double>(g.GetCordX(4, 1, 0)), static_cast<double>(g.GetCordY(4, 1, 0))},
        {static_cast<double>(g.GetCordX(3, 2, 0)), static_cast<double>(g.GetCordY(3, 2, 0)) + 10},
    };
    for (const auto &place : places) {
        ASSERT_TRUE(press(t, nine));
        dragTo(t, nine, place.left, place.top);
        release(t, nine);
        EXPECT_EQ(p.GetPicID(0, 0, 1), nine);
        EXPECT_EQ(t.surface.top(pic(p.GetPicID(0, 0, 3))), p.drag().gPressTop + 500);
        EXPECT_EQ(t.surface.height(pic(nine)), 1440);
        EXPECT_TRUE(t.consistent());
    }
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);
}

TEST(PlayInput, TheCentreTestComesBeforeTheOverlapTest)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    t.empty(0, 1, 7);
    const cGames &g = t.ctx.games();
    // On free cell 1, overlapping the place of the empty tableau pile 1 below it.
    int card = p.GetTopPicID(0, 3);
    ASSERT_TRUE(press(t, card));
    dragTo(t, card, g.GetCordX(4, 1, 0), g.GetCordY(4, 1, 0));
    ASSERT_TRUE(p.IsOverSlot(card, 0, 1, -1, 1));
    release(t, card);
    EXPECT_EQ(p.Cell(card), 4);
    EXPECT_EQ(p.Pile(card), 1);

    // Centred on the empty pile's place, overlapping free cell 1 above it.
    card = p.GetTopPicID(0, 4);
    ASSERT_TRUE(press(t, card));
    dragTo(t, card, g.GetCordX(4, 1, 0), g.GetCordY(0, 1, -1) + 10);
    ASSERT_TRUE(p.IsOverSlot(card, 4, 1, 0, 1));
    release(t, card);
    EXPECT_EQ(p.Cell(card), 0);
    EXPECT_EQ(p.Pile(card), 1);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, ACentreOnASlotsEdgeIsNotInside)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    const int card = p.GetTopPicID(0, 0);
    const int x = t.ctx.games().GetCordX(4, 2, 0);
    const int y = t.ctx.games().GetCordY(4, 2, 0);
    t.surface.move(pic(card), x, y - 720);
    EXPECT_FALSE(p.IsOverSlot(card, 4, 2, 0, 0));
    EXPECT_TRUE(p.IsOverSlot(card, 4, 2, 0, 1));
    t.surface.move(pic(card), x, y - 719);
    EXPECT_TRUE(p.IsOverSlot(card, 4, 2, 0, 0));
    t.surface.move(pic(card), x + 1065, y);
    EXPECT_FALSE(p.IsOverSlot(card, 4, 2, 0, 1));
    t.surface.move(pic(card), x + 1064.4, y);
    EXPECT_TRUE(p.IsOverSlot(card, 4, 2, 0, 1));
}

TEST(PlayInput, ACardDroppedFarOutOnAWideScreenGoesBack)
{
    BoardContext t;
    t.ctx.gScreenWidth = 7680 * 15;
    t.ctx.gScreenHeight = 4320 * 15;
    t.deal("Freecell", 1);
    t.playing();
    cPlay &p = t.play();
    const int card = p.GetTopPicID(0, 6);
    for (const double left : {40000.0, 110000.0}) {
        ASSERT_TRUE(press(t, card));
        dragTo(t, card, left, 60000);
        EXPECT_EQ(errorOf([&] { release(t, card); }), 0);
        EXPECT_EQ(p.Pile(card), 6);
        EXPECT_TRUE(t.consistent());
    }
}

TEST(PlayInput, ARunLongerThanTheFreeCellsAllowIsNotLifted)
{
    BoardContext t;
    t.deal("Freecell", 1);
    t.playing();
    cPlay &p = t.play();
    stack(t, 0, {{12, 0}, {11, 1}, {10, 0}, {9, 1}, {8, 0}});
    for (int l = 0; l < 3; ++l)
        t.place(spareCard(t), 4, l);
    for (int j = 1; j < 8; ++j) {
        if (p.GetTop(0, j) < 0)
            t.place(spareCard(t), 0, j);
    }
    t.empty(0, 6, 7);
    ASSERT_EQ(mFunc::CountEmptyPiles(t.ctx, 0), 1);
    // One empty free cell and one empty pile: three riders at most.
    const int king = p.GetPicID(0, 0, 0);
    const int queen = p.GetPicID(0, 0, 1);
    EXPECT_FALSE(press(t, king));
    EXPECT_FALSE(p.drag().gDragActive);
    EXPECT_FALSE(p.PressGivesFocus());
    EXPECT_FALSE(t.surface.carrierOf(pic(queen)));
    EXPECT_TRUE(press(t, queen));
    EXPECT_EQ(p.drag().gDragCount, 3);
    release(t, queen);
    EXPECT_TRUE(t.consistent());

    // With no empty pile only one card may ride.
    t.place(spareCard(t, 6), 0, 6);
    const int jack = p.GetPicID(0, 0, 2);
    EXPECT_FALSE(press(t, jack));
    EXPECT_TRUE(press(t, p.GetPicID(0, 0, 3)));
    release(t, p.GetPicID(0, 0, 3));
    t.place(spareCard(t), 4, 3);
    EXPECT_FALSE(press(t, p.GetPicID(0, 0, 3)));
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, APressWhileACardIsLiftedDoesNothing)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    const int a = p.GetTopPicID(0, 0);
    const int b = p.GetTopPicID(0, 1);
    ASSERT_TRUE(press(t, a));
    EXPECT_FALSE(press(t, b));
    EXPECT_TRUE(p.drag().gDragActive);
    release(t, a);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, ANewDealAndClearingCancelADrag)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    stack(t, 0, {{8, 0}, {7, 1}, {6, 2}});
    ASSERT_TRUE(press(t, p.GetPicID(0, 0, 0)));
    dragTo(t, p.GetPicID(0, 0, 0), 9000, 9000);
    p.Init(GameNumber::fromNumber(2));
    EXPECT_FALSE(p.drag().gDragActive);
    EXPECT_TRUE(p.DragRiders().empty());
    EXPECT_TRUE(t.consistent());

    ASSERT_TRUE(press(t, p.GetTopPicID(0, 2)));
    p.ClearAll();
    EXPECT_FALSE(p.drag().gDragActive);
    EXPECT_FALSE(t.surface.carrierOf(pic(0)));

    // Cancelling on the board sends the run back where it was.
    t.deal("Freecell", 1);
    stack(t, 0, {{8, 0}, {7, 1}, {6, 2}});
    const int nine = p.GetPicID(0, 0, 0);
    ASSERT_TRUE(press(t, nine));
    dragTo(t, nine, 9000, 9000);
    p.CancelDrag();
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, DoubleClickSendsACardUpOrIntoAFreeCell)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    const int ace = t.find(0, 3);
    t.place(ace, 0, 2);
    p.DoubleClick(ace); // no game in play
    EXPECT_EQ(p.Cell(ace), 0);

    t.session.status = 1;
    p.DoubleClick(ace);
    EXPECT_EQ(p.Cell(ace), 3);
    EXPECT_EQ(p.Pile(ace), 0);

    const int king = t.find(12, 1);
    t.place(king, 0, 4);
    const int under = p.GetPicID(0, 4, p.GetTop(0, 4) - 1);
    p.DoubleClick(under); // not the top of its pile
    EXPECT_EQ(p.Cell(under), 0);
    p.DoubleClick(king);
    EXPECT_EQ(p.Cell(king), 4);
    EXPECT_EQ(p.Pile(king), 0);
    p.DoubleClick(king); // a free-cell card that no foundation takes stays
    EXPECT_EQ(p.Cell(king), 4);
    EXPECT_EQ(p.Pile(king), 0);
    p.DoubleClick(ace); // a foundation card stays
    EXPECT_EQ(p.Cell(ace), 3);
    EXPECT_TRUE(t.consistent());

    // Without automatic moves nothing mends the order: a card a foundation takes goes there,
    // not into the free cell before it.
    mOptions::SetAutoPlay(t.ctx, 0);
    const int spadeAce = t.find(0, 0);
    if (p.Pile(spadeAce) != 5 || p.Pos(spadeAce) != p.GetTop(0, 5))
        t.place(spadeAce, 0, p.Pile(spadeAce) == 5 ? 6 : 5, true, 7);
    p.DoubleClick(spadeAce);
    EXPECT_EQ(p.Cell(spadeAce), 3);
    EXPECT_TRUE(t.consistent());
}

// A double-click move and the automatic move it sets off each take the stored "CardSpeed"
// steps: 5 when nothing is stored, 50 at most, none at all for 0 or less.
TEST(PlayInput, ADoubleClickAndTheAutomaticMovesAfterItTakeTheCardSpeed)
{
    for (const auto &[stored, expected] : {std::pair{-1, 5}, {12, 12}, {30000, 50}, {0, 0}, {-3, 0}}) {
        BoardContext t;
        t.deal("Freecell", 1);
        t.playing();
        mOptions::SetAutoPlay(t.ctx, 1);
        if (stored != -1)
            mCustomize::SetCardSpeed(t.ctx, static_cast<std::int16_t>(stored));
        cPlay &p = t.play();
        const int ace = t.find(0, 2);
        const int two = t.find(1, 2);
        int pile = 0;
        while ((p.Cell(ace) == 0 && p.Pile(ace) == pile) || (p.Cell(two) == 0 && p.Pile(two) == pile))
            ++pile;
        t.place(two, 0, pile);
        t.place(ace, 0, pile);
        const int moves = t.ctx.engine().GetTransTop();
        const int steps = t.surface.animationStepCount();

        p.DoubleClick(ace);
        EXPECT_EQ(p.Cell(ace), 3) << stored;
        EXPECT_EQ(p.Cell(two), 3) << stored;
        const int made = t.ctx.engine().GetTransTop() - moves;
        EXPECT_GE(made, 2) << stored;
        EXPECT_EQ(t.surface.animationStepCount() - steps, made * expected) << stored;
        EXPECT_TRUE(t.consistent());
    }
}

TEST(PlayInput, APressOnTheStockPlaysIt)
{
    BoardContext t;
    t.loadWithStock();
    cPlay &p = t.play();
    p.Init(GameNumber::fromNumber(3));
    const int top = p.GetTopPicID(1, 0);
    EXPECT_FALSE(press(t, top));
    EXPECT_EQ(p.GetTopPicID(2, 0), top);
    EXPECT_TRUE(p.FaceMode(top));
    EXPECT_TRUE(t.consistent());

    // The stock lies stacked with its lower cards showing at the edge: a press on one of
    // them turns the top card, leaving no gap in the stock.
    const int lower = p.GetPicID(1, 0, 3);
    const int next = p.GetTopPicID(1, 0);
    EXPECT_FALSE(press(t, lower));
    EXPECT_EQ(p.GetTopPicID(2, 0), next);
    EXPECT_EQ(p.Cell(lower), 1);
    EXPECT_TRUE(t.consistent());

    t.ctx.games().Stock(1, 2, 1165, 0, 30, 2, 0);
    EXPECT_FALSE(press(t, p.GetTopPicID(1, 0)));
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(p.GetTop(0, j), j + 1);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, AClickWithoutMovingPutsTheCardBack)
{
    // A free-cell card and a foundation card overlap the place of an empty tableau pile
    // below them; released where they were lifted they stay, although the overlap test
    // alone would take them down.
    BoardContext t;
    t.deal("Freecell", 1);
    t.playing();
    cPlay &p = t.play();
    t.place(t.find(0, 2), 3, 0);
    t.place(p.GetTopPicID(0, 5), 4, 0);
    t.empty(0, 0, 7);
    t.empty(0, 4, 7);
    const int cellCard = p.GetTopPicID(4, 0);
    const int ace = p.GetTopPicID(3, 0);
    ASSERT_TRUE(t.consistent());
    ASSERT_TRUE(press(t, cellCard));
    ASSERT_TRUE(p.IsOverSlot(cellCard, 0, 0, -1, 1));
    release(t, cellCard);
    EXPECT_EQ(p.Cell(cellCard), 4);
    ASSERT_TRUE(press(t, ace));
    ASSERT_TRUE(p.IsOverSlot(ace, 0, 4, -1, 1));
    release(t, ace);
    EXPECT_EQ(p.Cell(ace), 3);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);
    EXPECT_TRUE(t.consistent());

    // Moved by a twip, the same place is a drop on the empty pile.
    ASSERT_TRUE(press(t, cellCard));
    dragTo(t, cellCard, t.surface.left(pic(cellCard)) + 1, t.surface.top(pic(cellCard)));
    release(t, cellCard);
    EXPECT_EQ(p.Cell(cellCard), 0);
    EXPECT_EQ(p.Pile(cellCard), 0);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, MovesAndReleasesReachOnlyTheLiftedCard)
{
    BoardContext t;
    t.deal("Freecell", 1);
    t.playing();
    cPlay &p = t.play();
    const int lifted = p.GetTopPicID(0, 0);
    const int other = p.GetTopPicID(0, 1);
    const double otherLeft = t.surface.left(pic(other));

    // No card lifted: a release drops nothing.
    release(t, other);
    EXPECT_EQ(t.surface.left(pic(other)), otherLeft);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);

    ASSERT_TRUE(press(t, lifted));
    const cGames &g = t.ctx.games();
    p.MouseMove(other, p.Pile(other), p.Pos(other), 4000, 4000);
    EXPECT_EQ(t.surface.left(pic(other)), otherLeft);
    dragTo(t, lifted, g.GetCordX(4, 2, 0), g.GetCordY(4, 2, 0));
    // A release on another card sends the lifted one back and drops nothing.
    release(t, other);
    EXPECT_EQ(p.Cell(lifted), 0);
    EXPECT_EQ(p.Cell(other), 0);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);
    EXPECT_TRUE(t.consistent());

    ASSERT_TRUE(press(t, lifted));
    dragTo(t, lifted, g.GetCordX(4, 2, 0), g.GetCordY(4, 2, 0));
    release(t, lifted);
    EXPECT_EQ(p.Cell(lifted), 4);
    EXPECT_EQ(p.Pile(lifted), 2);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, ADropTheRecordCannotTakeLeavesTheBoardAsItWas)
{
    BoardContext t;
    t.dealWithClosedCards(3); // the last row face up, every card below face down
    cPlay &p = t.play();
    t.playing();
    cEngine &e = t.ctx.engine();
    for (int i = 0; i < 32700; ++i)
        e.SaveTrans(0, 4, 0, 0, 0, cEngine::KindPlain);
    const cGames &g = t.ctx.games();

    const int card = p.GetTopPicID(0, 0);
    const int below = p.GetPicID(0, 0, 5);
    ASSERT_TRUE(press(t, card));
    dragTo(t, card, g.GetCordX(4, 1, 0), g.GetCordY(4, 1, 0));
    EXPECT_EQ(errorOf([&] { release(t, card); }), err::Overflow);
    EXPECT_EQ(p.GetTopPicID(0, 0), card);
    EXPECT_FALSE(p.FaceMode(below));
    EXPECT_EQ(e.GetTransTop(), 32700);
    EXPECT_TRUE(t.consistent());

    // A run goes back with its riders.
    stack(t, 2, {{8, 0}, {7, 1}, {6, 2}});
    stack(t, 5, {{9, 3}});
    const int nine = p.GetPicID(0, 2, 0);
    ASSERT_TRUE(press(t, nine));
    dragTo(t, nine, g.GetCordX(0, 5, 1), g.GetCordY(0, 5, 1));
    EXPECT_EQ(errorOf([&] { release(t, nine); }), err::Overflow);
    EXPECT_EQ(p.GetPicID(0, 2, 0), nine);
    EXPECT_TRUE(p.DragRiders().empty());
    EXPECT_TRUE(t.consistent());

    // Nothing is left lifted: the next press lifts again.
    ASSERT_TRUE(press(t, nine));
    release(t, nine);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, TheOverlapPassTriesTheTableauThenTheFreeCellsThenTheFoundations)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    t.empty(0, 1, 7);
    // Over the empty pile 1 and a free cell: the pile takes it.
    int card = p.GetTopPicID(0, 3);
    dropStraddling(t, card, {0, 1, -1}, {4, 1, 0});
    EXPECT_EQ(p.Cell(card), 0);
    EXPECT_EQ(p.Pile(card), 1);

    // An Ace over free cell 3 and foundation 0: the free cell takes it.
    const int ace = t.find(0, 2);
    if (p.Pile(ace) != 4 || p.Pos(ace) != p.GetTop(0, 4))
        t.place(ace, 0, p.Pile(ace) == 4 ? 5 : 4, true, 7);
    dropStraddling(t, ace, {4, 3, 0}, {3, 0, 0});
    EXPECT_EQ(p.Cell(ace), 4);
    EXPECT_EQ(p.Pile(ace), 3);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayInput, TheCentreIsRoundedHalfToEvenOnOddAndEvenSlotEdges)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    const int card = p.GetTopPicID(0, 0);
    // Free cells 1115 twips apart: one with an odd left edge, the next with an even one.
    for (const bool odd : {true, false}) {
        int cell = 0;
        while (cell < 3 && (t.ctx.games().GetCordX(4, cell, 0) % 2 != 0) != odd)
            ++cell;
        const int x = t.ctx.games().GetCordX(4, cell, 0);
        const int y = t.ctx.games().GetCordY(4, cell, 0);
        ASSERT_EQ(x % 2 != 0, odd);
        // Odd edge x: a left of x - 532.5 rounds to the even x - 533, centre x - 0.5 to
        // x - 1 (out); the right edge x + 1065 mirrors it. Even edge x: a left of x - 532
        // gives the centre x + 0.5, which rounds to the even x (out); x + 532 gives
        // x + 1064.5, rounded to x + 1064 (in).
        const struct {
            double offset;
            bool inside;
        } oddCases[] = {{-532.5, false}, {-532.0, true}, {531.5, true}, {532.0, false}},
          evenCases[] = {{-532.0, false}, {-531.0, true}, {532.0, true}, {533.0, false}};
        for (const auto &c : odd ? oddCases : evenCases) {
            t.surface.move(pic(card), x + c.offset, y);
            EXPECT_EQ(p.IsOverSlot(card, 4, cell, 0, 0), c.inside) << (odd ? "odd " : "even ") << c.offset;
        }
    }
}
