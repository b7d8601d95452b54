#include <gtest/gtest.h>

#include <functional>
#include <limits>

#include "core/AppError.h"
#include "engine/cCustom.h"
#include "engine/cGames.h"
#include "engine/mStudio.h"
#include "app/Context.h"
#include "support/ScriptedMessageBox.h"
#include "support/TempHome.h"

namespace {
int layoutErrorOf(const std::function<void()> &f)
{
    try {
        f();
    } catch (const AppError &e) {
        return e.number();
    }
    return 0;
}

class FaceDownBoard : public IBoardInfo {
public:
    int ClosedCards(int pile) const override { return pile == closedPile ? closed : 0; }
    int closedPile = -1;
    int closed = 0;
};

class NamedSession : public ISessionInfo {
public:
    QString GameName() const override { return name; }
    int Game_Status() const override { return 1; }
    QString name;
};

struct LayoutContext {
    LayoutContext() : ctx(services())
    {
        ctx.createSharedObjects();
        mStudio::InitProduct(ctx);
        ctx.gScreenWidth = 1920 * 15;
        ctx.gScreenHeight = 1080 * 15;
    }

    Services services()
    {
        Services s;
        s.messages = &box;
        s.shellFolders = &home.folders();
        s.board = &board;
        s.session = &session;
        return s;
    }

    void load(const QString &name)
    {
        ASSERT_TRUE(ctx.custom().Init(name)) << name.toStdString();
        mStudio::BuildLayout(ctx);
    }

    ScriptedMessageBox box;
    TempHome home;
    FaceDownBoard board;
    NamedSession session;
    Context ctx;
};

struct ExpectedLayout {
    const char *name;
    int hPiles, hOrder, tableauCards, hak;
    int gOrder, gBase, gCards;
    int rPiles, rCards, suits;
    int tableauLeft;
};

const ExpectedLayout kGames[] = {
    {"Freecell", 8, 6, 52, 0, 0, 0, 0, 4, 0, 2, 1165},
    {"Baker's Game", 8, 5, 52, 0, 0, 0, 0, 4, 0, 2, 1165},
    {"Forecell", 8, 6, 48, 0, 0, 0, 0, 4, 4, 2, 1165},
    {"Seven By Four", 7, 6, 52, 0, 0, 0, 0, 4, 0, 2, 1748},
    {"Two Cells", 8, 6, 52, 0, 0, 0, 0, 2, 0, 2, 1165},
    {"Bouquet", 8, 8, 52, 0, 0, 0, 0, 4, 0, 2, 1165},
    {"Color Cell", 8, 7, 52, 0, 0, 0, 0, 4, 0, 2, 1165},
    {"Freecell Reversed", 8, 1, 52, 0, 5, 0, 0, 4, 0, 2, 1165},
    {"Freecell Two Suit", 8, 6, 52, 0, 0, 0, 0, 4, 0, 1, 1165},
    {"Luxury", 8, 13, 52, 0, 0, 0, 0, 4, 0, 2, 1165},
    {"Mania", 8, 12, 52, 0, 0, 0, 0, 4, 0, 2, 1165},
    {"Mission", 8, 6, 48, 1, 0, 1, 4, 4, 0, 2, 1165},
};
} // namespace

// Every area record and game-wide value of each built-in game, and slots placed on a
// full-HD screen and on a screen too wide for 16-bit twips.
TEST(Layout, BuiltInGamesGiveTheirAreasValuesAndSlots)
{
    const std::int32_t screens[] = {1920 * 15, 3840 * 15};
    for (const ExpectedLayout &e : kGames) {
        for (std::int32_t screen : screens) {
            SCOPED_TRACE(std::string(e.name) + " on " + std::to_string(screen));
            LayoutContext t;
            t.ctx.gScreenWidth = screen;
            t.load(QString::fromLatin1(e.name));
            const cGames &g = t.ctx.games();

            const AreaDef &home = g.Area(0);
            EXPECT_EQ(g.Piles(0), e.hPiles);
            EXPECT_EQ(g.Cards(0), e.tableauCards);
            EXPECT_EQ(g.Order(0, 3), e.hOrder);
            EXPECT_EQ(g.AK(0), e.hak);
            EXPECT_EQ(home.StartX, e.tableauLeft);
            EXPECT_EQ(home.StartY, 1640);
            EXPECT_EQ(home.PileWidth, 1165);
            EXPECT_EQ(home.PosWidth, 250);
            EXPECT_EQ(home.Div, 20);
            EXPECT_EQ(home.DivWidth, 0);
            EXPECT_EQ(home.PileOrder, 0);

            const AreaDef &stock = g.Area(1);
            EXPECT_EQ(stock.Piles, 1);
            EXPECT_EQ(stock.StartX, 1165);
            EXPECT_EQ(stock.StartY, 0);
            EXPECT_EQ(stock.PosWidth, 0);
            EXPECT_EQ(g.Cards(1), 0);

            const AreaDef &waste = g.Area(2);
            EXPECT_EQ(waste.Piles, 0);
            EXPECT_EQ(waste.Cards, 0);
            EXPECT_EQ(waste.StartX, 0);
            EXPECT_EQ(waste.StartY, 0);
            EXPECT_EQ(waste.PileWidth, 0);
            EXPECT_EQ(waste.PosWidth, 30);

            const AreaDef &goal = g.Area(3);
            EXPECT_EQ(g.Piles(3), 4);
            EXPECT_EQ(g.Order(3, 0), e.gOrder);
            EXPECT_EQ(g.Cards(3), e.gCards);
            EXPECT_EQ(g.AK(3), 1);
            EXPECT_EQ(goal.StartX, 5975);
            EXPECT_EQ(goal.StartY, 0);
            EXPECT_EQ(goal.PileWidth, 1115);
            EXPECT_EQ(goal.PosWidth, 0);
            EXPECT_EQ(goal.Div, 20);
            EXPECT_EQ(goal.DivWidth, 0);
            EXPECT_EQ(goal.PileOrder, 0);

            const AreaDef &res = g.Area(4);
            EXPECT_EQ(g.Piles(4), e.rPiles);
            EXPECT_EQ(g.Cards(4), e.rCards);
            EXPECT_EQ(g.AK(4), 0);
            EXPECT_EQ(res.StartX, 1165);
            EXPECT_EQ(res.StartY, 0);
            EXPECT_EQ(res.PileWidth, 1115);
            EXPECT_EQ(res.PosWidth, 0);
            EXPECT_EQ(res.Div, 20);
            EXPECT_EQ(res.DivWidth, 0);

            EXPECT_EQ(g.Piles(5), 0);
            EXPECT_EQ(g.Cards(5), 0);

            EXPECT_EQ(g.GoalType(), e.gBase);
            EXPECT_EQ(g.EmptyNum(), 13);
            EXPECT_EQ(g.ResNum(), -1);
            EXPECT_TRUE(g.MultiMove());
            EXPECT_EQ(g.Redeals(), -1);
            EXPECT_EQ(g.StockType(), 0);
            EXPECT_EQ(g.StockMove(), 0);
            EXPECT_EQ(g.HomeType(), 0);
            EXPECT_EQ(g.MultiOrder(), e.hOrder);
            EXPECT_EQ(g.HomePileOrder(), 0);
            EXPECT_EQ(g.SuitType(), e.suits);
            EXPECT_EQ(g.Tag(), "Freecell");
            EXPECT_EQ(g.CardsOpen(), 0);
            EXPECT_EQ(g.TotalCards(), 52);
            EXPECT_EQ(g.BaseX(), 11550);
            EXPECT_EQ(g.BaseY(), 200);
            EXPECT_FALSE(g.DisAutoPlay());
            EXPECT_EQ(g.StockNum(), 0);
            EXPECT_EQ(g.GoalDiv(), 0);

            const std::int32_t left = (screen - 11550) / 2; // both screens leave an even margin
            const std::int32_t top = 560;
            const int lastPile = e.hPiles - 1;
            EXPECT_EQ(g.GetCordX(0, 0, 0), left + e.tableauLeft);
            EXPECT_EQ(g.GetCordY(0, 0, 0), top + 1640);
            EXPECT_EQ(g.GetCordX(0, lastPile, 12), left + e.tableauLeft + lastPile * 1165);
            EXPECT_EQ(g.GetCordY(0, lastPile, 12), top + 1640 + 12 * 250);
            EXPECT_EQ(g.GetCordX(3, 3, 7), left + 5975 + 3 * 1115);
            EXPECT_EQ(g.GetCordY(3, 3, 7), top);
            EXPECT_EQ(g.GetCordX(4, e.rPiles - 1, 0), left + 1165 + (e.rPiles - 1) * 1115);
            EXPECT_EQ(g.GetCordY(4, e.rPiles - 1, 0), top);
            EXPECT_EQ(g.GetCordX(1, 0, 51), left + 1165);
            EXPECT_EQ(g.GetCordY(1, 0, 51), top);
        }
    }
}

TEST(Layout, TableauLeftEdgeFollowsThePileCountWithHalvesToEven)
{
    LayoutContext t;
    const int expected[] = {3495, 2912, 2330, 1748, 1165, 582, 0};
    for (int piles = 4; piles <= 10; ++piles) {
        t.ctx.custom().Home(piles, 6, 13, 0, 1, 2, 0);
        mStudio::BuildLayout(t.ctx);
        EXPECT_EQ(t.ctx.games().Area(0).StartX, expected[piles - 4]) << piles << " piles";
        EXPECT_EQ(t.ctx.games().Piles(0), piles);
    }
}

TEST(Layout, StudioDefinitionIsTranslatedValueByValue)
{
    LayoutContext t;
    cCustom &c = t.ctx.custom();
    t.load("Freecell");
    c.Home(10, 15, 12, 1, 0, 0, 3);
    c.Goal(7, 12, 3);
    c.Res(0, 0);
    c.setRCards(2);
    mStudio::BuildLayout(t.ctx);
    const cGames &g = t.ctx.games();
    EXPECT_EQ(g.Piles(0), 10);
    EXPECT_EQ(g.Order(0, 0), 15);
    EXPECT_EQ(g.Cards(0), 52 - 3 - 2);
    EXPECT_EQ(g.AK(0), 1);
    EXPECT_EQ(g.EmptyNum(), 12);
    EXPECT_FALSE(g.MultiMove());
    EXPECT_EQ(g.SuitType(), 0);
    EXPECT_EQ(g.MultiOrder(), 15);
    EXPECT_EQ(g.Order(3, 0), 7);
    EXPECT_EQ(g.GoalType(), 12);
    EXPECT_EQ(g.Cards(3), 3);
    EXPECT_EQ(g.AK(3), 1);
    // The free cells of the previous game are gone.
    EXPECT_EQ(g.Piles(4), 0);
    EXPECT_EQ(g.Cards(4), 2);
    EXPECT_EQ(g.Area(0).StartX, 0);
}

TEST(Layout, MultiMoveIsAnyNonZeroValueAndMultiOrderPrefersItsOwn)
{
    LayoutContext t;
    cGames &g = t.ctx.games();
    g.Home(8, 6, 52, 0, 13, 5, 0, 0, 0, 0, 20, 0, 0, 0, 0, 2, 0);
    EXPECT_TRUE(g.MultiMove());
    EXPECT_EQ(g.MultiOrder(), 6);
    g.Home(8, 6, 52, 0, 13, 0, 0, 0, 0, 0, 20, 0, 0, 0, 9, 2, 0);
    EXPECT_FALSE(g.MultiMove());
    EXPECT_EQ(g.MultiOrder(), 9);
}

TEST(Layout, BoardSetsEmptyNumAndStockNumUntilTheNextLayout)
{
    LayoutContext t;
    t.load("Freecell");
    cGames &g = t.ctx.games();
    g.setEmptyNum(12);
    g.setStockNum(3);
    EXPECT_EQ(g.EmptyNum(), 12);
    EXPECT_EQ(g.StockNum(), 3);
    EXPECT_EQ(layoutErrorOf([&] { g.setStockNum(40000); }), err::Overflow);
    mStudio::BuildLayout(t.ctx);
    EXPECT_EQ(g.EmptyNum(), 13);
    EXPECT_EQ(g.StockNum(), 0);
}

TEST(Layout, AreaOutsideZeroToFiveIsASubscriptError)
{
    LayoutContext t;
    t.load("Freecell");
    const cGames &g = t.ctx.games();
    EXPECT_EQ(g.Piles(5), 0);
    EXPECT_EQ(g.AK(5), 0);
    EXPECT_EQ(g.Order(5, 0), 0);
    for (int cell : {-1, 6}) {
        EXPECT_EQ(layoutErrorOf([&] { g.Piles(cell); }), err::Subscript);
        EXPECT_EQ(layoutErrorOf([&] { g.Cards(cell); }), err::Subscript);
        EXPECT_EQ(layoutErrorOf([&] { g.AK(cell); }), err::Subscript);
        EXPECT_EQ(layoutErrorOf([&] { g.Order(cell, 0); }), err::Subscript);
        EXPECT_EQ(layoutErrorOf([&] { g.GetCordX(cell, 0, 0); }), err::Subscript);
        EXPECT_EQ(layoutErrorOf([&] { g.GetCordY(cell, 0, 0); }), err::Subscript);
    }
}

TEST(Layout, FreshLayoutIsZeroAndItsSlotsRaiseDivisionByZero)
{
    LayoutContext t;
    const cGames &g = t.ctx.games();
    for (int cell = 0; cell <= 5; ++cell) {
        EXPECT_EQ(g.Piles(cell), 0);
        EXPECT_EQ(g.Cards(cell), 0);
    }
    EXPECT_EQ(g.Tag(), "");
    EXPECT_EQ(g.BaseX(), 0);
    EXPECT_EQ(g.TotalCards(), 0);
    EXPECT_FALSE(g.MultiMove());
    for (int cell : {0, 3, 4}) {
        EXPECT_EQ(layoutErrorOf([&] { g.GetCordX(cell, 0, 0); }), err::DivisionByZero);
        EXPECT_EQ(layoutErrorOf([&] { g.GetCordY(cell, 0, 0); }), err::DivisionByZero);
    }
    // The never-set record 5 has no piles per row either.
    t.load("Freecell");
    EXPECT_EQ(layoutErrorOf([&] { g.GetCordX(5, 0, 0); }), err::DivisionByZero);
}

TEST(Layout, ZeroPilesPerRowSetByASetterRaisesDivisionByZero)
{
    LayoutContext t;
    t.load("Freecell");
    cGames &g = t.ctx.games();
    g.Goal(4, 0, 0, 0, 1, 5975, 0, 1115, 0, 0, 0, 0);
    EXPECT_EQ(layoutErrorOf([&] { g.GetCordX(3, 1, 0); }), err::DivisionByZero);
    EXPECT_EQ(layoutErrorOf([&] { g.GetCordY(3, 1, 0); }), err::DivisionByZero);
    EXPECT_NO_THROW(g.GetCordX(0, 1, 0));
}

TEST(Layout, NegativeStockOrWastePositionIsAnInvalidArgument)
{
    LayoutContext t;
    t.load("Freecell");
    const cGames &g = t.ctx.games();
    for (int cell : {1, 2}) {
        EXPECT_EQ(layoutErrorOf([&] { g.GetCordX(cell, 0, -1); }), err::InvalidCall);
        EXPECT_EQ(layoutErrorOf([&] { g.GetCordY(cell, 0, -1); }), err::InvalidCall);
        EXPECT_NO_THROW(g.GetCordX(cell, 0, 0));
    }
}

TEST(Layout, WasteStepsBackOnceForEveryTwoWholeSquareRoots)
{
    LayoutContext t;
    t.ctx.gScreenWidth = 11550;
    t.load("Freecell");
    const cGames &g = t.ctx.games();
    // position -> steps: round(sqrt(pos)) div 2
    const int cases[][2] = {{0, 0}, {2, 0}, {3, 1}, {12, 1}, {13, 2}, {30, 2}, {31, 3}, {51, 3}};
    for (const auto &c : cases) {
        EXPECT_EQ(g.GetCordX(2, 0, c[0]), -30 * c[1]) << "position " << c[0];
        EXPECT_EQ(g.GetCordY(2, 0, c[0]), 560 - 30 * c[1]) << "position " << c[0];
    }
}

TEST(Layout, ScreenPositionCentresTheBoardAndRoundsTheSumHalfToEven)
{
    LayoutContext t;
    t.load("Freecell");
    const cGames &g = t.ctx.games();
    t.ctx.gScreenWidth = 15360;
    EXPECT_EQ(g.GetCordX(0, 0, 2), 3070);
    EXPECT_EQ(g.GetCordY(0, 0, 2), 2700);
    // 1905.5 + 1165 = 3070.5 -> 3070; 1906.5 + 1165 = 3071.5 -> 3072.
    t.ctx.gScreenWidth = 15361;
    EXPECT_EQ(g.GetCordX(0, 0, 2), 3070);
    t.ctx.gScreenWidth = 15363;
    EXPECT_EQ(g.GetCordX(0, 0, 2), 3072);
    // A narrow screen pushes the leftmost piles off its left edge.
    t.ctx.gScreenWidth = 9000;
    EXPECT_EQ(g.GetCordX(0, 0, 0), -110);
    EXPECT_EQ(g.GetCordX(4, 0, 0), -110);

    t.load("Seven By Four");
    t.ctx.gScreenWidth = 15360;
    EXPECT_EQ(g.GetCordX(0, 0, 0), 1905 + 1748);
}

TEST(Layout, ScreenWiderThanSixteenBitsStillPlacesCards)
{
    LayoutContext t;
    t.load("Freecell");
    const cGames &g = t.ctx.games();
    t.ctx.gScreenWidth = 7680 * 15;
    EXPECT_EQ(g.GetCordX(0, 7, 0), (115200 - 11550) / 2 + 1165 + 7 * 1165);
    t.ctx.gScreenWidth = std::numeric_limits<std::int32_t>::max();
    EXPECT_NO_THROW(g.GetCordX(0, 0, 0));
}

TEST(Layout, PositionBeyondThirtyTwoBitsIsAnOverflow)
{
    LayoutContext t;
    t.load("Freecell");
    cGames &g = t.ctx.games();
    g.Res(4, 0, 1165, std::numeric_limits<std::int32_t>::max() - 100, 1115, 0, 20, 0, 0, -1);
    EXPECT_EQ(layoutErrorOf([&] { g.GetCordY(4, 0, 0); }), err::Overflow);
    EXPECT_EQ(layoutErrorOf([&] { g.GetCordY(0, 0, std::numeric_limits<int>::max()); }), err::Overflow);
}

TEST(Layout, RowsOfPilesWrapAtPilesPerRow)
{
    LayoutContext t;
    t.ctx.gScreenWidth = 11550;
    t.load("Freecell");
    cGames &g = t.ctx.games();
    g.Res(6, 0, 1000, 100, 1115, 0, 4, 1500, 0, -1);
    EXPECT_EQ(g.GetCordX(4, 5, 0), 1000 + 1115);
    EXPECT_EQ(g.GetCordY(4, 5, 0), 560 + 100 + 1500);
    EXPECT_EQ(g.GetCordX(4, 3, 0), 1000 + 3 * 1115);
    EXPECT_EQ(g.GetCordY(4, 3, 0), 660);
}

TEST(Layout, FaceDownTableauCardsAreSpacedSixtyTwipsApart)
{
    LayoutContext t;
    t.ctx.gScreenWidth = 11550;
    t.load("Freecell");
    const cGames &g = t.ctx.games();
    t.board.closedPile = 2;
    t.board.closed = 3;
    EXPECT_EQ(g.GetCordY(0, 2, 5), 560 + 1640 + 3 * 60 + 2 * 250);
    EXPECT_EQ(g.GetCordY(0, 2, 3), 560 + 1640 + 180);
    EXPECT_EQ(g.GetCordY(0, 1, 5), 560 + 1640 + 5 * 250);
    // Only the tableau asks the board; free cells and foundations keep their rows.
    EXPECT_EQ(g.GetCordY(4, 2, 0), 560);
    EXPECT_EQ(g.GetCordY(3, 2, 5), 560);
}

TEST(Layout, PetalFoundationCardsAboveTheFirstLieLower)
{
    LayoutContext t;
    t.ctx.gScreenWidth = 11550;
    t.load("Freecell");
    const cGames &g = t.ctx.games();
    EXPECT_EQ(g.GetCordY(3, 0, 1), g.GetCordY(3, 0, 0));
    t.session.name = "Petal";
    EXPECT_EQ(g.GetCordY(3, 0, 0), 560);
    EXPECT_EQ(g.GetCordY(3, 0, 1), 810);
    EXPECT_EQ(g.GetCordY(3, 1, 9), 810);
    EXPECT_EQ(g.GetCordY(0, 0, 1), 560 + 1640 + 250);
    EXPECT_EQ(g.GetCordY(4, 0, 1), 560);
    t.session.name = "petal";
    EXPECT_EQ(g.GetCordY(3, 0, 1), 560);
}
