// The board model and the deal: the shuffle, the deal patterns, the board's growth,
// faces and backs, clearing, and the definitions the board refuses to deal.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "core/AppError.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "store/mRegistry.h"
#include "support/BoardChecker.h"
#include "support/Errors.h"

namespace {

std::vector<int> deckOf(const cPlay &play)
{
    std::vector<int> deck;
    for (int i = 0; i < play.TotalCards(); ++i)
        deck.push_back(play.DeckCard(i));
    return deck;
}

std::vector<int> tableauOf(const cPlay &play, int piles)
{
    std::vector<int> cards;
    for (int p = 0; p < piles; ++p) {
        for (int q = 0; q <= play.GetTop(0, p); ++q)
            cards.push_back(play.GetPicID(0, p, q));
        cards.push_back(-1);
    }
    return cards;
}

// The decks of these game numbers are fixed for ever: saved games and game numbers name
// deals through them.
const std::vector<int> kDeckOfGame1 = {25, 6,  39, 18, 4,  46, 31, 2,  14, 15, 27, 16, 10, 33, 11, 20, 47, 5,
                                       34, 35, 26, 29, 37, 13, 17, 28, 7,  51, 24, 32, 38, 44, 23, 3,  36, 41,
                                       8,  1,  0,  21, 50, 42, 9,  43, 22, 19, 49, 30, 40, 12, 48, 45};

} // namespace

TEST(PlayDeal, DealIsTheSameForTheSameNumber)
{
    BoardContext t;
    t.deal("Freecell", 12345);
    const std::vector<int> deck = deckOf(t.play());
    const std::vector<int> tableau = tableauOf(t.play(), 8);
    ASSERT_TRUE(t.consistent());
    t.play().Init(GameNumber::fromNumber(12345));
    EXPECT_EQ(deckOf(t.play()), deck);
    EXPECT_EQ(tableauOf(t.play(), 8), tableau);
    ASSERT_TRUE(t.consistent());
    t.play().Init(GameNumber::fromNumber(12346));
    EXPECT_NE(deckOf(t.play()), deck);
}

TEST(PlayDeal, DeckIsAPermutationOfThePack)
{
    BoardContext t;
    for (std::int64_t n : {1LL, 2LL, 617LL, 999999999999999LL, -5LL}) {
        t.deal("Freecell", n);
        const std::vector<int> deck = deckOf(t.play());
        EXPECT_EQ(std::set<int>(deck.begin(), deck.end()).size(), 52u) << n;
        EXPECT_EQ(*std::min_element(deck.begin(), deck.end()), 0);
        EXPECT_EQ(*std::max_element(deck.begin(), deck.end()), 51);
    }
}

TEST(PlayDeal, PinnedDecks)
{
    BoardContext t;
    t.deal("Freecell", 1);
    EXPECT_EQ(deckOf(t.play()), kDeckOfGame1);

    t.play().Init(GameNumber::fromNumber(999999999999999LL));
    const std::vector<int> deckOfLargest = {24, 7,  17, 33, 45, 42, 2,  41, 30, 43, 39, 32, 14, 10, 20, 12, 29, 36,
                                            19, 37, 9,  26, 3,  34, 50, 47, 40, 25, 6,  18, 11, 44, 21, 16, 23, 0,
                                            28, 51, 5,  8,  13, 31, 27, 46, 1,  15, 49, 38, 22, 35, 4,  48};
    EXPECT_EQ(deckOf(t.play()), deckOfLargest);

    t.play().Init(GameNumber::fromText(QStringLiteral("31415")));
    const std::vector<int> deckOfText = {15, 49, 22, 39, 14, 51, 16, 6,  25, 7,  40, 29, 18, 46, 2,  4,  19, 35,
                                         5,  10, 28, 43, 13, 8,  21, 11, 20, 45, 44, 32, 1,  37, 48, 26, 33, 30,
                                         9,  12, 27, 17, 42, 47, 23, 38, 36, 50, 41, 0,  31, 3,  24, 34};
    EXPECT_EQ(deckOf(t.play()), deckOfText);
    t.play().Init(GameNumber::fromNumber(31415));
    EXPECT_EQ(deckOf(t.play()), deckOfText);
}

TEST(PlayDeal, EightPilesGetSevenAndSixAndTheLastCardDealtIsTheLowestId)
{
    BoardContext t;
    t.deal("Freecell", 5);
    const int expected[8] = {7, 7, 7, 7, 6, 6, 6, 6};
    for (int p = 0; p < 8; ++p)
        EXPECT_EQ(t.play().GetTop(0, p) + 1, expected[p]) << p;
    // Cards leave the stock from the highest id down.
    EXPECT_EQ(t.play().GetPicID(0, 0, 0), 51);
    EXPECT_EQ(t.play().GetPicID(0, 3, 6), 0);
    EXPECT_EQ(t.play().GetTop(1, 0), -1);
    for (int a = 2; a <= 4; ++a) {
        for (int p = 0; p < 4; ++p)
            EXPECT_EQ(t.play().GetTop(a, p), -1);
    }
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, MissionShowsItsFourTwosOnTheFoundations)
{
    BoardContext t;
    t.deal("Mission", 42);
    EXPECT_EQ(t.play().BaseNum(), 1);
    int tableau = 0;
    for (int p = 0; p < 8; ++p)
        tableau += t.play().GetTop(0, p) + 1;
    EXPECT_EQ(tableau, 48);
    for (int a = 0; a < 4; ++a) {
        ASSERT_EQ(t.play().GetTop(3, a), 0);
        const int card = t.play().GetPicID(3, a, 0);
        EXPECT_EQ(t.play().Num(card), 1);
        EXPECT_EQ(t.play().Suitpile(card), a);
        EXPECT_TRUE(t.play().FaceMode(card));
        EXPECT_EQ(t.surface.picture({PicArray::Right, a}), CardPicture::slot(1));
    }
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, ForecellFillsTheFreeCellsBeforeTheTableau)
{
    BoardContext t;
    t.deal("Forecell", 9);
    for (int l = 0; l < 4; ++l) {
        ASSERT_EQ(t.play().GetTop(4, l), 0);
        EXPECT_EQ(t.play().GetPicID(4, l, 0), 51 - l);
    }
    EXPECT_EQ(t.play().GetPicID(0, 0, 0), 47);
    int tableau = 0;
    for (int p = 0; p < 8; ++p)
        tableau += t.play().GetTop(0, p) + 1;
    EXPECT_EQ(tableau, 48);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, AFourPileTableauGrowsOnePositionAtATime)
{
    BoardContext t;
    t.load("Freecell");
    HomeValues h = homeOf(t.ctx.games());
    h.piles = 4;
    setHome(t.ctx.games(), h);
    t.play().Init(GameNumber::fromNumber(3));
    cPlay &p = t.play();
    for (int j = 0; j < 4; ++j)
        EXPECT_EQ(p.GetTop(0, j), 12);
    // Positions 0..26: 52 / 4 + 13.
    EXPECT_EQ(p.GetPicID(0, 1, 26), -1);
    EXPECT_EQ(errorOf([&] { p.GetPicID(0, 1, 27); }), err::Subscript);

    // Stack 27 cards onto pile 0 (positions 0..26), then one more at 27.
    while (p.GetTop(0, 0) < 26) {
        const int from = p.GetTop(0, 1) >= 0 ? 1 : 2;
        t.place(p.GetTopPicID(0, from), 0, 0);
        ASSERT_TRUE(t.consistent());
    }
    EXPECT_EQ(errorOf([&] { p.GetPicID(0, 1, 27); }), err::Subscript);
    t.place(p.GetTopPicID(0, 2), 0, 0);
    EXPECT_EQ(p.GetTop(0, 0), 27);
    EXPECT_EQ(p.GetPicID(0, 1, 27), -1);
    EXPECT_EQ(p.GetPicID(0, 4, 27), -1);
    EXPECT_EQ(errorOf([&] { p.GetPicID(0, 1, 28); }), err::Subscript);
    t.place(p.GetTopPicID(0, 2), 0, 0);
    EXPECT_EQ(p.GetPicID(0, 1, 28), -1);
    EXPECT_TRUE(t.consistent());

    // A place two beyond the grid is refused and changes nothing.
    std::int32_t kind = 4;
    const int card = p.GetTopPicID(0, 3);
    EXPECT_EQ(errorOf([&] { p.MoveCard(card, 0, 1, 30, kind, 0, 0, true); }), err::Subscript);
    EXPECT_EQ(p.GetTopPicID(0, 3), card);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, SlotsShowWhatMayFillThem)
{
    BoardContext t;
    t.deal("Freecell", 11);
    const cGames &g = t.ctx.games();
    for (int i = 0; i < 8; ++i) {
        const PicRef home{PicArray::Home, i};
        EXPECT_EQ(t.surface.picture(home), CardPicture::slot(14));
        EXPECT_TRUE(t.surface.isShown(home));
        EXPECT_EQ(t.surface.left(home), g.GetCordX(0, i, 0));
        EXPECT_EQ(t.surface.top(home), g.GetCordY(0, i, 0));
    }
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(t.surface.picture({PicArray::Res, i}), CardPicture::slot(14));
        EXPECT_EQ(t.surface.left({PicArray::Res, i}), g.GetCordX(4, i, 0));
        EXPECT_EQ(t.surface.picture({PicArray::Right, i}), CardPicture::slot(0));
        EXPECT_EQ(t.surface.top({PicArray::Right, i}), g.GetCordY(3, i, 0));
    }
    // Each array has one member more than its area has piles.
    EXPECT_EQ(t.surface.upperBound(PicArray::Home), 8);
    EXPECT_EQ(t.surface.upperBound(PicArray::Right), 4);
    EXPECT_EQ(t.surface.upperBound(PicArray::Res), 4);
    EXPECT_EQ(t.surface.upperBound(PicArray::Card), 51);
    EXPECT_FALSE(t.surface.isShown({PicArray::Stock, 0}));
    EXPECT_FALSE(t.surface.isShown({PicArray::Waste, 0}));
}

TEST(PlayDeal, DealingShowsEachCardInTwoStepsWithinOneFrameWhileAMoveTakesAFramePerStep)
{
    BoardContext t;
    t.load("Freecell");
    const int steps = t.surface.animationStepCount();
    const double frames = t.surface.animationFrames();
    t.play().Init(GameNumber::fromNumber(8));
    EXPECT_EQ(t.surface.animationStepCount() - steps, 2 * 52);
    EXPECT_DOUBLE_EQ(t.surface.animationFrames() - frames, 52);

    const double dealt = t.surface.animationFrames();
    std::int32_t kind = cEngine::KindPlain;
    t.play().MoveCard(t.play().GetTopPicID(cGames::Tableau, 0), cGames::FreeCell, 0, 0, kind, 4, 0, true);
    EXPECT_DOUBLE_EQ(t.surface.animationFrames() - dealt, 4);
}

TEST(PlayDeal, InitClearsTheBoardLeftFromBefore)
{
    BoardContext t;
    t.deal("Freecell", 4);
    t.load("Seven By Four");
    t.play().Init(GameNumber::fromNumber(4));
    EXPECT_EQ(t.surface.upperBound(PicArray::Home), 7);
    EXPECT_TRUE(t.consistent());
    t.load("Two Cells");
    t.play().Init(GameNumber::fromNumber(4));
    EXPECT_EQ(t.surface.upperBound(PicArray::Res), 2);
    EXPECT_FALSE(t.surface.isShown({PicArray::Res, 2}));
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, ClearAllEmptiesTheBoard)
{
    BoardContext t;
    t.deal("Freecell", 4);
    t.surface.resize({PicArray::Card, 0}, 1065, 2000);
    t.play().ClearAll();
    EXPECT_FALSE(t.play().Dealt());
    EXPECT_EQ(t.play().BaseNum(), 0);
    EXPECT_EQ(t.play().TotalCards(), 0);
    for (PicArray a : {PicArray::Card, PicArray::Home, PicArray::Right, PicArray::Res}) {
        EXPECT_EQ(t.surface.upperBound(a), 0);
        EXPECT_FALSE(t.surface.isVisible({a, 0}));
    }
    EXPECT_FALSE(t.surface.isVisible({PicArray::Stock, 0}));
    EXPECT_EQ(t.surface.height({PicArray::Card, 0}), 1440);
    EXPECT_EQ(t.play().ClosedCards(0), 0);
    EXPECT_EQ(errorOf([&] { t.play().Cell(0); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { t.play().GetPicID(0, 0, 0); }), err::Subscript);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, QueriesOutsideTheTablesRaiseTheBoundsError)
{
    BoardContext t;
    t.deal("Freecell", 4);
    cPlay &p = t.play();
    EXPECT_EQ(errorOf([&] { p.Num(52); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { p.Num(-1); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { p.GetTop(5, 0); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { p.GetTop(0, 21); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { p.GetPicID(2, 0, 0); }), err::Subscript); // Freecell has no waste
    EXPECT_EQ(errorOf([&] { p.GetTopPicID(3, 0); }), err::Subscript); // empty pile
    EXPECT_EQ(p.ClosedCards(0), 0);
}

TEST(PlayDeal, ColourOfTheSuits)
{
    BoardContext t;
    t.deal("Freecell", 4);
    EXPECT_EQ(t.play().Color(t.find(0, 3)), 1);
    EXPECT_EQ(t.play().Color(t.find(0, 2)), 0);
    EXPECT_EQ(t.play().Color(t.find(0, 1)), 1);
    EXPECT_EQ(t.play().Color(t.find(0, 0)), 0);
}

TEST(PlayDeal, FaceDownCardsAreCountedAndCoveredByTheChosenBack)
{
    BoardContext t;
    t.load("Freecell");
    HomeValues h = homeOf(t.ctx.games());
    h.cardsOpen = 8; // the last row is dealt face up
    setHome(t.ctx.games(), h);
    t.play().Init(GameNumber::fromNumber(21));
    cPlay &p = t.play();
    EXPECT_EQ(p.ClosedCards(0), 6);
    EXPECT_EQ(p.ClosedCards(4), 5);
    EXPECT_TRUE(p.FaceMode(p.GetTopPicID(0, 0)));
    EXPECT_FALSE(p.FaceMode(p.GetPicID(0, 0, 5)));
    EXPECT_EQ(t.surface.top({PicArray::Card, p.GetTopPicID(0, 0)}), t.surface.top({PicArray::Home, 0}) + 6 * 60);
    EXPECT_TRUE(t.consistent());
    // Face-down cards show the back in use, whichever design that is.
    EXPECT_EQ(t.surface.picture({PicArray::Card, p.GetPicID(0, 0, 0)}), p.BackPicture());
    EXPECT_EQ(p.BackPicture(), CardPicture::back(7)); // the default design

    mRegistry::SetRegInteger(t.ctx, "BackGround", "DeckIndex", 3);
    p.ChangeDecks();
    EXPECT_EQ(p.BackPicture(), CardPicture::back(3));
    EXPECT_EQ(t.surface.picture({PicArray::Card, p.GetPicID(0, 0, 0)}), CardPicture::back(3));
    EXPECT_EQ(t.surface.picture({PicArray::Card, p.GetTopPicID(0, 0)}), p.Face(p.GetTopPicID(0, 0)));
    EXPECT_TRUE(t.consistent());

    p.ChangeFaceMode(p.GetPicID(0, 0, 5), true);
    EXPECT_EQ(p.ClosedCards(0), 5);
    p.ChangeFaceMode(p.GetPicID(0, 0, 5), false);
    EXPECT_EQ(t.surface.picture({PicArray::Card, p.GetPicID(0, 0, 5)}), CardPicture::back(3));
}

// Every deal pattern fills its piles without gaps and leaves a consistent board.
class PlayDealPattern : public ::testing::TestWithParam<int> {};

TEST_P(PlayDealPattern, DealsAConsistentBoard)
{
    BoardContext t;
    t.load("Freecell");
    cGames &g = t.ctx.games();
    HomeValues h = homeOf(g);
    h.piles = 9;
    h.homeType = GetParam();
    h.cardsOpen = GetParam() == 1 || GetParam() == 7 ? 1 : 0;
    setHome(g, h);
    // Deal 8 puts face-down cards on face-up ones, which the layout cannot space.
    const bool pictures = GetParam() != 8;
    t.play().Init(GameNumber::fromNumber(123));
    EXPECT_TRUE(t.consistent(pictures));
    int dealt = 0;
    for (int p = 0; p < 9; ++p)
        dealt += t.play().GetTop(0, p) + 1;
    EXPECT_EQ(dealt + t.play().GetTop(1, 0) + 1, 52);
    t.play().Init(GameNumber::fromNumber(123));
    EXPECT_TRUE(t.consistent(pictures));
}

INSTANTIATE_TEST_SUITE_P(AllHomeTypes, PlayDealPattern, ::testing::Range(0, 16));

TEST(PlayDeal, RowDealsBuildStairs)
{
    BoardContext t;
    t.load("Freecell");
    cGames &g = t.ctx.games();
    HomeValues h = homeOf(g);
    h.piles = 7;
    h.homeType = 1;
    h.cardsOpen = 1;
    setHome(g, h);
    t.play().Init(GameNumber::fromNumber(1));
    cPlay &p = t.play();
    for (int j = 0; j < 7; ++j) {
        EXPECT_EQ(p.GetTop(0, j), j);
        EXPECT_EQ(p.ClosedCards(j), j);
    }
    EXPECT_EQ(p.GetTop(1, 0), 52 - 28 - 1);
    EXPECT_FALSE(p.FaceMode(p.GetTopPicID(1, 0)));

    h.homeType = 7;
    setHome(g, h);
    p.Init(GameNumber::fromNumber(1));
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(p.GetTop(0, j), 6 - j);
    EXPECT_TRUE(p.FaceMode(p.GetPicID(0, 0, 3)));
    EXPECT_FALSE(p.FaceMode(p.GetPicID(0, 1, 3)));
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, ADealBySuitPutsEverySuitOnItsPile)
{
    BoardContext t;
    t.load("Freecell");
    HomeValues h = homeOf(t.ctx.games());
    h.homeType = 2;
    setHome(t.ctx.games(), h);
    t.play().Init(GameNumber::fromNumber(6));
    for (int s = 0; s < 4; ++s) {
        ASSERT_EQ(t.play().GetTop(0, s), 12);
        for (int q = 0; q <= 12; ++q)
            EXPECT_EQ(t.play().Suit(t.play().GetPicID(0, s, q)), s);
    }
    EXPECT_EQ(t.play().GetTop(0, 4), -1);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, GoalTypesBeyondTheRanks)
{
    BoardContext t;
    t.load("Freecell");
    cGames &g = t.ctx.games();
    auto setGoal = [&](int type) { g.Goal(4, 0, 0, type, 1, 5975, 0, 1115, 0, 20, 0, 0); };

    setGoal(13);
    t.play().Init(GameNumber::fromNumber(1));
    EXPECT_EQ(t.surface.picture({PicArray::Right, 2}), CardPicture::slot(13));
    EXPECT_EQ(t.play().BaseNum(), 0);

    setGoal(14);
    t.play().Init(GameNumber::fromNumber(1));
    EXPECT_EQ(t.surface.picture({PicArray::Right, 0}), CardPicture::slot(12));

    setGoal(16);
    t.play().Init(GameNumber::fromNumber(1));
    const int base = t.play().BaseNum();
    EXPECT_GE(base, 0);
    EXPECT_LE(base, 11);
    EXPECT_EQ(t.surface.picture({PicArray::Right, 3}), CardPicture::slot(base));
    t.play().Init(GameNumber::fromNumber(1));
    EXPECT_EQ(t.play().BaseNum(), base);
    std::set<int> bases;
    for (int n = 1; n <= 40; ++n) {
        t.play().Init(GameNumber::fromNumber(n));
        bases.insert(t.play().BaseNum());
    }
    EXPECT_GT(bases.size(), 3u);

    setGoal(17);
    t.play().Init(GameNumber::fromNumber(1));
    EXPECT_FALSE(t.surface.isShown({PicArray::Right, 0}));
    EXPECT_TRUE(t.consistent());
}

TEST(PlayDeal, PenguinEmptyPilesTakeTheRankBelowTheBase)
{
    BoardContext t;
    t.load("Mission");
    cGames &g = t.ctx.games();
    g.Ext(g.BaseX(), 200, 52, -1, QStringLiteral("Penguin"), false, 0);
    t.play().Init(GameNumber::fromNumber(1));
    EXPECT_EQ(g.EmptyNum(), 0);
    EXPECT_EQ(t.surface.picture({PicArray::Home, 0}), CardPicture::slot(0));
}

// ---- Definitions the board refuses ----------------------------------------------

struct BadValue {
    const char *what;
    void (*set)(cCustom &);
    const char *named; // a part of the error text
};

class PlayBadDefinition : public ::testing::TestWithParam<BadValue> {};

TEST_P(PlayBadDefinition, IsRefusedBeforeAnythingIsDealt)
{
    BoardContext t;
    t.deal("Freecell", 1);
    ASSERT_TRUE(t.play().Dealt());
    ASSERT_TRUE(t.ctx.custom().Init("Freecell"));
    GetParam().set(t.ctx.custom());
    QString text;
    EXPECT_EQ(errorOf(
                  [&] {
                      mStudio::BuildLayout(t.ctx);
                      t.play().Init(GameNumber::fromNumber(1));
                  },
                  &text),
              err::BadDefinition)
        << GetParam().what;
    EXPECT_TRUE(text.contains(QLatin1String(GetParam().named))) << text.toStdString();
    EXPECT_FALSE(t.play().Dealt());
    EXPECT_EQ(t.surface.upperBound(PicArray::Card), 0);
    EXPECT_FALSE(t.surface.isVisible({PicArray::Card, 0}));
    EXPECT_EQ(t.play().GetTop(1, 0), -1);
    EXPECT_TRUE(t.consistent());
}

INSTANTIATE_TEST_SUITE_P(
    Values, PlayBadDefinition,
    ::testing::Values(BadValue{"no tableau pile", [](cCustom &c) { c.setHPiles(0); }, "tableau piles is 0"},
                      BadValue{"22 tableau piles", [](cCustom &c) { c.setHPiles(22); }, "tableau piles is 22"},
                      BadValue{"negative tableau piles", [](cCustom &c) { c.setHPiles(-3); }, "is -3"},
                      BadValue{"22 free cells", [](cCustom &c) { c.setRPiles(22); }, "free cells is 22"},
                      BadValue{"more start cards than cells",
                               [](cCustom &c) {
                                   c.setRPiles(2);
                                   c.setRCards(3);
                               },
                               "free-cell start cards is 3"},
                      BadValue{"negative free-cell cards", [](cCustom &c) { c.setRCards(-1); }, "is -1"},
                      BadValue{"five foundation start cards", [](cCustom &c) { c.setGCards(5); }, "is 5"},
                      BadValue{"start cards without a rank",
                               [](cCustom &c) {
                                   c.setGCards(2);
                                   c.setGBase(13);
                               },
                               "base rank is 13"},
                      BadValue{"three suit kinds", [](cCustom &c) { c.setSuits(3); }, "suit kind is 3"},
                      BadValue{"empty-pile rank 14", [](cCustom &c) { c.setHSpace(14); }, "is 14"},
                      BadValue{"empty-pile rank -2", [](cCustom &c) { c.setHSpace(-2); }, "is -2"}),
    [](const ::testing::TestParamInfo<BadValue> &info) {
        std::string name = info.param.what;
        for (char &ch : name) {
            if (!std::isalnum(static_cast<unsigned char>(ch)))
                ch = '_';
        }
        return name;
    });

TEST(PlayDeal, TheEdgesOfTheDefinitionRangesAreDealt)
{
    BoardContext t;
    ASSERT_TRUE(t.ctx.custom().Init("Freecell"));
    cCustom &c = t.ctx.custom();
    c.setHPiles(21);
    c.setRPiles(21);
    c.setRCards(21);
    c.setHSpace(-1);
    c.setGCards(4);
    c.setGBase(12);
    c.setSuits(0);
    mStudio::BuildLayout(t.ctx);
    t.play().Init(GameNumber::fromNumber(1));
    EXPECT_TRUE(t.consistent());
    EXPECT_EQ(t.play().GetTop(4, 20), 0);
    EXPECT_EQ(t.play().BaseNum(), 12);
    EXPECT_EQ(t.surface.picture({PicArray::Home, 0}), CardPicture::slot(-1));
}

TEST(PlayDeal, ALayoutWhoseDealDoesNotMatchTheStockIsRefused)
{
    BoardContext t;
    t.load("Freecell");
    HomeValues h = homeOf(t.ctx.games());
    h.cards = 40; // 12 cards would stay on the stock
    setHome(t.ctx.games(), h);
    QString text;
    EXPECT_EQ(errorOf([&] { t.play().Init(GameNumber::fromNumber(1)); }, &text), err::BadDefinition);
    EXPECT_TRUE(text.contains("52")) << text.toStdString();
    EXPECT_FALSE(t.play().Dealt());
}
