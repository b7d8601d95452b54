// The move rules: the rank-and-suit test, the order codes, runs and how many cards may
// ride on a lifted card, the lift rule and the drop rules of the three areas.
#include <gtest/gtest.h>

#include "engine/cCustom.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mFunc.h"
#include "engine/mStudio.h"
#include "support/BoardChecker.h"

namespace {

struct NumCase {
    int targetNum, targetSuit, movingNum, movingSuit;
    int direction, suitRule;
    bool wrap;
    bool expected;
    const char *what;
};

const NumCase kNumCases[] = {
    {1, 0, 2, 0, 1, 3, false, true, "up: a Three onto a Two"},
    {2, 0, 1, 0, 1, 3, false, false, "up: a Two onto a Three"},
    {12, 0, 0, 0, 1, 3, true, true, "up with wrap: an Ace onto a King"},
    {12, 0, 0, 0, 1, 3, false, false, "up without wrap: no Ace onto a King"},
    {0, 0, 12, 0, -1, 3, true, true, "down with wrap: a King onto an Ace"},
    {0, 0, 12, 0, -1, 3, false, false, "down without wrap: no King onto an Ace"},
    {0, 0, 12, 0, 1, 3, true, false, "up with wrap: no King onto an Ace"},
    {5, 0, 4, 1, 0, 3, false, true, "either way: a Five onto a Six"},
    {3, 0, 4, 1, 0, 3, false, true, "either way: a Five onto a Four"},
    {6, 0, 4, 1, 0, 3, false, false, "either way: no Five onto a Seven"},
    {12, 0, 0, 0, 0, 3, true, true, "either way with wrap: an Ace onto a King"},
    {5, 0, 4, 1, 2, 3, false, false, "an unknown direction accepts nothing"},
    {5, 0, 4, 3, -1, 3, false, true, "suit rule 3: any suit"},
    {5, 2, 4, 0, -1, 2, false, false, "suit rule 2: no suit 0 onto suit 2"},
    {5, 1, 4, 0, -1, 2, false, true, "suit rule 2: suit 0 onto suit 1"},
    {5, 1, 4, 1, -1, 1, false, true, "suit rule 1: the same suit"},
    {5, 3, 4, 1, -1, 1, false, false, "suit rule 1: not the same colour of another suit"},
    {5, 3, 4, 1, -1, 4, false, true, "suit rule 4: another suit"},
    {5, 3, 4, 3, -1, 4, false, false, "suit rule 4: not the same suit"},
    {5, 2, 4, 0, -1, 5, false, true, "suit rule 5: the same colour"},
    {5, 1, 4, 0, -1, 5, false, false, "suit rule 5: not the other colour"},
    {5, 1, 4, 0, -1, 9, false, true, "any other suit rule: any suit"},
};

// Piles the tests arrange: the given cards, bottom to top, on tableau pile `pile`,
// after emptying it onto pile 7.
void stack(BoardContext &t, int pile, std::initializer_list<std::pair<int, int>> cards)
{
    t.empty(0, pile, 7);
    for (const auto &[num, suit] : cards)
        t.place(t.find(num, suit), 0, pile, true, 7);
}

} // namespace

TEST(Rules, CheckNumTable)
{
    BoardContext t;
    t.deal("Freecell", 1);
    for (const NumCase &c : kNumCases) {
        const int target = t.find(c.targetNum, c.targetSuit);
        const int moving = t.find(c.movingNum, c.movingSuit);
        EXPECT_EQ(t.play().CheckNum(target, moving, c.direction, c.suitRule, c.wrap), c.expected) << c.what;
    }
}

TEST(Rules, CardsThatMayRideOnALiftedCard)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    EXPECT_EQ(mFunc::CountEmptyPiles(t.ctx, 2), 0); // no waste in Freecell
    EXPECT_EQ(mFunc::CountEmptyPiles(t.ctx, 4), 4);
    EXPECT_EQ(mFunc::GetMaxMoveCards(t.ctx), 4);

    // Three free cells filled, piles 5 and 6 emptied: 2 x (1 + 1) + 1.
    for (int l = 0; l < 3; ++l)
        t.place(p.GetTopPicID(0, l), 4, l);
    t.empty(0, 5, 7);
    t.empty(0, 6, 7);
    ASSERT_TRUE(t.consistent());
    EXPECT_EQ(mFunc::CountEmptyPiles(t.ctx, 0), 2);
    EXPECT_EQ(mFunc::GetMaxMoveCards(t.ctx), 5);

    t.place(p.GetTopPicID(0, 7), 0, 6);
    EXPECT_EQ(mFunc::GetMaxMoveCards(t.ctx), 3);
    t.place(p.GetTopPicID(0, 7), 0, 5);
    EXPECT_EQ(mFunc::GetMaxMoveCards(t.ctx), 1);
    t.place(p.GetTopPicID(0, 7), 4, 3);
    EXPECT_EQ(mFunc::GetMaxMoveCards(t.ctx), 0);
    EXPECT_TRUE(t.consistent());
}

TEST(Rules, ARunBreaksWhereItsOrderBreaks)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    // Down Alternate Color: 9 black, 8 red, 7 black, then 5 red, 4 black.
    stack(t, 0, {{8, 0}, {7, 1}, {6, 2}, {4, 3}, {3, 0}});
    ASSERT_TRUE(t.consistent());
    const int nine = p.GetPicID(0, 0, 0);
    const int seven = p.GetPicID(0, 0, 2);
    const int five = p.GetPicID(0, 0, 3);
    EXPECT_TRUE(p.IsMovableRun(nine, 2));
    EXPECT_FALSE(p.IsMovableRun(nine, 3));
    EXPECT_FALSE(p.IsMovableRun(seven, 2));
    EXPECT_TRUE(p.IsMovableRun(five, 1));
    EXPECT_TRUE(p.IsMovableRun(seven, 0));

    EXPECT_EQ(p.LiftRule(five, 0, 0, 3).kind, LiftDecision::Kind::Run);
    EXPECT_EQ(p.LiftRule(five, 0, 0, 3).riders, 1);
    const LiftDecision broken = p.LiftRule(seven, 0, 0, 2);
    EXPECT_EQ(broken.kind, LiftDecision::Kind::None);
    EXPECT_TRUE(broken.focusToolbar);
    EXPECT_EQ(p.LiftRule(p.GetTopPicID(0, 0), 0, 0, 4).kind, LiftDecision::Kind::Card);
}

TEST(Rules, TheLiftRuleOfTheTableau)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    stack(t, 0, {{8, 0}, {7, 1}, {6, 2}});
    const int nine = p.GetPicID(0, 0, 0);
    EXPECT_EQ(p.LiftRule(nine, 0, 0, 0).kind, LiftDecision::Kind::Run);

    // Four free cells filled and no empty pile: no card may ride.
    for (int l = 0; l < 4; ++l)
        t.place(p.GetTopPicID(0, 1 + l), 4, l);
    ASSERT_EQ(mFunc::GetMaxMoveCards(t.ctx), 0);
    const LiftDecision over = p.LiftRule(nine, 0, 0, 0);
    EXPECT_EQ(over.kind, LiftDecision::Kind::None);
    EXPECT_FALSE(over.focusToolbar);
    // Only the free-cell games limit runs.
    cGames &g = t.ctx.games();
    g.Ext(g.BaseX(), g.BaseY(), 52, -1, QStringLiteral("Other"), false, 0);
    EXPECT_EQ(p.LiftRule(nine, 0, 0, 0).kind, LiftDecision::Kind::Run);
    g.Ext(g.BaseX(), g.BaseY(), 52, -1, QStringLiteral("Freecell"), false, 0);
    t.place(p.GetTopPicID(4, 0), 0, 7);
    EXPECT_EQ(p.LiftRule(nine, 0, 0, 0).kind, LiftDecision::Kind::None);
    t.place(p.GetTopPicID(4, 1), 0, 7);
    EXPECT_EQ(p.LiftRule(nine, 0, 0, 0).kind, LiftDecision::Kind::Run);

    // A face-down card is never lifted with the cards on it; the window keeps its focus.
    p.ChangeFaceMode(nine, false);
    const LiftDecision down = p.LiftRule(nine, 0, 0, 0);
    EXPECT_EQ(down.kind, LiftDecision::Kind::None);
    EXPECT_FALSE(down.focusToolbar);
    p.ChangeFaceMode(nine, true);

    // Without group moves only the top card leaves.
    HomeValues h = homeOf(g);
    h.multiMove = 0;
    setHome(g, h);
    EXPECT_EQ(p.LiftRule(nine, 0, 0, 0).kind, LiftDecision::Kind::None);
    EXPECT_EQ(p.LiftRule(p.GetTopPicID(0, 0), 0, 0, 2).kind, LiftDecision::Kind::Card);
}

TEST(Rules, TheLiftRuleOfTheOtherAreas)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    t.place(t.find(0, 0), 3, 0);
    t.place(t.find(1, 0), 3, 0);
    t.place(p.GetTopPicID(0, 2), 4, 1);
    const int ace = p.GetPicID(3, 0, 0);
    const int two = p.GetPicID(3, 0, 1);
    EXPECT_EQ(p.LiftRule(two, 3, 0, 1).kind, LiftDecision::Kind::Card);
    EXPECT_EQ(p.LiftRule(ace, 3, 0, 0).kind, LiftDecision::Kind::None);
    EXPECT_EQ(p.LiftRule(p.GetTopPicID(4, 1), 4, 1, 0).kind, LiftDecision::Kind::Card);

    // Stock and waste.
    cGames &g = t.ctx.games();
    g.Stock(1, 0, 1165, 0, 30, 0, 0);
    g.Waste(1, 2400, 0, 1115, 0, 30);
    HomeValues h = homeOf(g);
    h.homeType = 1;
    setHome(g, h);
    p.Init(GameNumber::fromNumber(2));
    const int stockTop = p.GetTopPicID(1, 0);
    EXPECT_EQ(p.LiftRule(stockTop, 1, 0, p.GetTop(1, 0)).kind, LiftDecision::Kind::PlayStock);
    p.TurnStockCard(stockTop);
    p.TurnStockCard(p.GetTopPicID(1, 0));
    EXPECT_EQ(p.LiftRule(p.GetTopPicID(2, 0), 2, 0, 1).kind, LiftDecision::Kind::Card);
    EXPECT_EQ(p.LiftRule(p.GetPicID(2, 0, 0), 2, 0, 0).kind, LiftDecision::Kind::None);
    g.Stock(1, 0, 1165, 0, 30, 0, 1);
    EXPECT_EQ(p.LiftRule(p.GetTopPicID(1, 0), 1, 0, p.GetTop(1, 0)).kind, LiftDecision::Kind::Card);
    EXPECT_TRUE(t.consistent());
}

TEST(Rules, AnEmptyTableauPileTakesTheRankThatMayFillIt)
{
    BoardContext t;
    ASSERT_TRUE(t.ctx.custom().Init("Freecell"));
    t.ctx.custom().setHSpace(12); // Kings only
    mStudio::BuildLayout(t.ctx);
    t.play().Init(GameNumber::fromNumber(1));
    cPlay &p = t.play();
    t.empty(0, 3, 7);
    const int king = t.find(12, 2);
    const int queen = t.find(11, 2);
    EXPECT_TRUE(p.TableauAccepts(king, p.Cell(king), p.Pile(king), 3));
    EXPECT_FALSE(p.TableauAccepts(queen, p.Cell(queen), p.Pile(queen), 3));
    t.ctx.games().setEmptyNum(13);
    EXPECT_TRUE(p.TableauAccepts(queen, p.Cell(queen), p.Pile(queen), 3));
}

TEST(Rules, ACardIsNeverDroppedBackOnItsOwnPile)
{
    BoardContext t;
    ASSERT_TRUE(t.ctx.custom().Init("Freecell"));
    t.ctx.custom().setHOrder(10); // any card onto any card
    t.ctx.custom().setGOrder(10);
    mStudio::BuildLayout(t.ctx);
    t.play().Init(GameNumber::fromNumber(1));
    cPlay &p = t.play();
    const int top = p.GetTopPicID(0, 2);
    EXPECT_FALSE(p.TableauAccepts(top, 0, 2, 2));
    EXPECT_TRUE(p.TableauAccepts(top, 0, 2, 3));

    // The same holds for a foundation: its top card is not taken back by its own pile.
    t.place(t.find(0, 1), 3, 0);
    t.place(t.find(5, 2), 3, 0);
    const int five = p.GetTopPicID(3, 0);
    EXPECT_FALSE(p.FoundationAccepts(five, 0, 3, 0, 0));
    t.place(t.find(0, 3), 3, 1);
    EXPECT_TRUE(p.FoundationAccepts(five, 0, 3, 0, 1));
    EXPECT_TRUE(t.consistent());
}

TEST(Rules, FreeCellsTakeOneCardAlone)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    EXPECT_TRUE(p.FreeCellAccepts(0, 0));
    EXPECT_FALSE(p.FreeCellAccepts(2, 0));
    t.place(p.GetTopPicID(0, 0), 4, 0);
    EXPECT_FALSE(p.FreeCellAccepts(0, 0));
    EXPECT_TRUE(p.FreeCellAccepts(0, 1));
    cGames &g = t.ctx.games();
    g.Res(4, 0, 1165, 0, 1115, 0, 20, 0, 0, 0);
    EXPECT_FALSE(p.FreeCellAccepts(0, 1));
}

TEST(Rules, FoundationsTakeTheBaseRankThenTheirOrder)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    const int ace = t.find(0, 1);
    const int two = t.find(1, 1);
    EXPECT_FALSE(p.FoundationAccepts(two, 0, p.Cell(two), p.Pile(two), 0));
    EXPECT_TRUE(p.FoundationAccepts(ace, 0, p.Cell(ace), p.Pile(ace), 0));
    // A card carrying riders is taken by no foundation.
    EXPECT_FALSE(p.FoundationAccepts(ace, 1, p.Cell(ace), p.Pile(ace), 0));
    t.place(ace, 3, 2);
    EXPECT_TRUE(p.FoundationAccepts(two, 0, p.Cell(two), p.Pile(two), 2));
    EXPECT_FALSE(p.FoundationAccepts(t.find(1, 3), 0, 0, 0, 2));
    EXPECT_EQ(p.FoundationFor(two), 2);
    EXPECT_EQ(p.FoundationFor(t.find(0, 2)), 0);

    cGames &g = t.ctx.games();
    g.Ext(g.BaseX(), g.BaseY(), 52, -1, QStringLiteral("Spider"), false, 0);
    EXPECT_FALSE(p.FoundationAccepts(two, 0, p.Cell(two), p.Pile(two), 2));
}

TEST(Rules, DoubleClickFindsAFreeCellOnlyForATableauTopCard)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    const int top = p.GetTopPicID(0, 4);
    EXPECT_EQ(p.FreeCellFor(top), 0);
    EXPECT_EQ(p.FreeCellFor(p.GetPicID(0, 4, 0)), -1);
    t.place(p.GetTopPicID(0, 0), 4, 0);
    t.place(p.GetTopPicID(0, 1), 4, 1);
    EXPECT_EQ(p.FreeCellFor(top), 2);
    EXPECT_EQ(p.FreeCellFor(p.GetTopPicID(4, 0)), -1);
}

TEST(Rules, OnlyMissionBuildsAcrossKingAndAceOnTheTableau)
{
    const char *const games[] = {"Freecell",  "Baker's Game",      "Forecell",   "Seven By Four",
                                 "Two Cells", "Bouquet",           "Color Cell", "Freecell Reversed",
                                 "Luxury",    "Freecell Two Suit", "Mania",      "Mission"};
    for (const char *game : games) {
        BoardContext t;
        t.deal(QString::fromLatin1(game), 1);
        cPlay &p = t.play();
        // An Ace alone on pile 0 and a King alone on pile 1.
        t.empty(0, 0, 2);
        t.empty(0, 1, 2);
        for (const auto &[num, pile] : {std::pair{0, 0}, std::pair{12, 1}}) {
            const int card = t.find(num, 0);
            t.place(card, 0, pile, true, p.Pile(card) == 2 ? 3 : 2);
        }
        ASSERT_TRUE(t.consistent()) << game;
        auto takesAny = [&](int num, int pile) {
            for (int c = 0; c < 52; ++c) {
                if (p.Num(c) == num && p.Pile(c) != pile && p.TableauAccepts(c, p.Cell(c), p.Pile(c), pile))
                    return true;
            }
            return false;
        };
        const bool wraps = takesAny(12, 0) || takesAny(0, 1);
        EXPECT_EQ(wraps, QLatin1String(game) == QLatin1String("Mission")) << game;
    }
}

TEST(Rules, AnOrderCodeOutsideItsTableAcceptsNothing)
{
    BoardContext t;
    t.deal("Freecell", 1);
    const int six = t.find(5, 0);
    const int five = t.find(4, 1);
    // Code 15 (either way, any suit) takes the Five; the codes around the table take nothing.
    EXPECT_TRUE(mStudio::CheckOrder(t.ctx, six, five, 15, false));
    EXPECT_TRUE(mStudio::CheckOrder(t.ctx, six, five, 10, false));
    EXPECT_FALSE(mStudio::CheckOrder(t.ctx, six, five, 16, false));
    EXPECT_FALSE(mStudio::CheckOrder(t.ctx, six, five, -1, false));
}
