// Moving cards: the move primitive with its turning up, recording and animation, the
// chain of automatic moves, and the stock operations with their move groups.
#include <gtest/gtest.h>

#include <vector>

#include <QFile>

#include "core/AppError.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "appearance/cSound.h"
#include "store/mOptions.h"
#include "support/BoardChecker.h"
#include "support/Errors.h"

namespace {

// Records where a watched card is at every animation step.
class StepRecorder : public DisplayListObserver {
public:
    StepRecorder(DisplayList &list, int card) : list_(list), card_(card) {}
    void areaChanged(const QRectF &) override {}
    void processEvents() override { ++events; }
    void animationStep(double) override
    {
        steps.emplace_back(list_.left({PicArray::Card, card_}), list_.top({PicArray::Card, card_}));
    }
    std::vector<std::pair<double, double>> steps;
    int events = 0;

private:
    DisplayList &list_;
    int card_;
};

// Seven piles dealt in rows (28 cards); the other 24 stay on the stock, with one waste pile.
void dealWithStock(BoardContext &t, int stockMove, int redeals)
{
    t.loadWithStock(stockMove);
    cGames &g = t.ctx.games();
    g.Ext(g.BaseX(), 200, 52, redeals, QStringLiteral("Freecell"), false, 0);
    t.play().Init(GameNumber::fromNumber(10));
}

const TransRecord &record(BoardContext &t, int id)
{
    return t.ctx.engine().Record(id);
}

} // namespace

TEST(PlayMoves, UncoveringAFaceDownCardTurnsItUpAndRecordsKindThree)
{
    BoardContext t;
    t.dealWithClosedCards(3);
    cPlay &p = t.play();
    const int card = p.GetTopPicID(0, 0);
    const int below = p.GetPicID(0, 0, 5);
    ASSERT_FALSE(p.FaceMode(below));
    std::int32_t kind = cEngine::KindPlain;
    p.MoveCard(card, 4, 0, 0, kind, 1, 0, true);
    EXPECT_EQ(kind, cEngine::KindUncovered);
    EXPECT_TRUE(p.FaceMode(below));
    ASSERT_EQ(t.ctx.engine().GetTransTop(), 1);
    const TransRecord &r = record(t, 1);
    EXPECT_EQ(r.PicID, card);
    EXPECT_EQ(r.SCell, 0);
    EXPECT_EQ(r.SPos, 6);
    EXPECT_EQ(r.DCell, 4);
    EXPECT_EQ(r.TMod, cEngine::KindUncovered);
    EXPECT_TRUE(t.consistent());

    int speed = 0;
    ASSERT_TRUE(t.ctx.engine().Undo(speed));
    EXPECT_EQ(p.GetTopPicID(0, 0), card);
    EXPECT_FALSE(p.FaceMode(below));
    EXPECT_TRUE(t.consistent());

    // A card with a face-up card under it is a plain move.
    p.ChangeFaceMode(below, true);
    kind = cEngine::KindPlain;
    p.MoveCard(card, 4, 1, 0, kind, 1, 0, true);
    EXPECT_EQ(kind, cEngine::KindPlain);
}

TEST(PlayMoves, AReplayStepNeitherRecordsNorTurnsUpNorMovesAutomatically)
{
    BoardContext t;
    t.dealWithClosedCards(3);
    t.playing();
    cPlay &p = t.play();
    const int ace = t.find(0, 0);
    // A pile of seven cards without the Ace, whose top card lies on a face-down card.
    const int pile = p.Pile(ace) == 0 ? 1 : 0;
    int dump = 0;
    while (dump == pile || dump == p.Pile(ace))
        ++dump;
    t.place(ace, 0, 7, true, dump);
    ASSERT_EQ(p.GetTop(0, pile), 6);
    const int card = p.GetTopPicID(0, pile);
    const int below = p.GetPicID(0, pile, 5);
    std::int32_t kind = cEngine::KindReplay;
    p.MoveCard(card, 4, 0, 0, kind, 1, 0, true);
    EXPECT_EQ(kind, cEngine::KindReplay);
    EXPECT_FALSE(p.FaceMode(below));
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);
    EXPECT_EQ(p.Cell(ace), 0);

    // The next move of the player sets the Ace off.
    kind = cEngine::KindPlain;
    p.MoveCard(card, 4, 1, 0, kind, 1, 0, true);
    EXPECT_EQ(p.Cell(ace), 3);
    EXPECT_GE(t.ctx.engine().GetTransTop(), 2);
    EXPECT_EQ(record(t, 1).PicID, card);
}

TEST(PlayMoves, AutomaticMovesChainAceFirstThenTheTwo)
{
    BoardContext t;
    t.deal("Freecell", 1);
    t.playing();
    cPlay &p = t.play();
    const int two = t.find(1, 0);
    const int ace = t.find(0, 0);
    const int king = t.find(12, 1);
    // None of the three may stay in pile 0, where they are stacked.
    for (int round = 0; round < 3; ++round) {
        for (int c : {two, ace, king}) {
            if (p.Cell(c) == 0 && p.Pile(c) == 0)
                t.place(c, 0, 7);
        }
    }
    t.place(two, 0, 0);
    t.place(ace, 0, 0);
    t.place(king, 0, 0);
    ASSERT_TRUE(t.consistent());
    const int checks = t.session.winChecks;
    const QString autoSound = t.home.path() + "/AutoPlay.wav";
    QFile wav(autoSound);
    ASSERT_TRUE(wav.open(QIODevice::WriteOnly) && wav.write("RIFF") == 4);
    wav.close();
    t.ctx.sound().SetSound(QStringLiteral("AutoPlay"), autoSound);

    std::int32_t kind = cEngine::KindPlain;
    p.MoveCard(king, 4, 0, 0, kind, 1, 0, true);
    const cEngine &e = t.ctx.engine();
    ASSERT_GE(e.GetTransTop(), 3);
    EXPECT_EQ(record(t, 1).PicID, king);
    EXPECT_EQ(record(t, 2).PicID, ace);
    EXPECT_EQ(record(t, 2).DCell, 3);
    EXPECT_EQ(record(t, 2).DPos, 0);
    EXPECT_EQ(record(t, 3).PicID, two);
    EXPECT_EQ(record(t, 3).DPile, record(t, 2).DPile);
    EXPECT_EQ(record(t, 3).DPos, 1);
    for (int i = 1; i <= e.GetTransTop(); ++i)
        EXPECT_EQ(record(t, i).Multi, 0) << i;
    // Every move ran the win check; each automatic move played its sound.
    EXPECT_EQ(t.session.winChecks - checks, e.GetTransTop());
    EXPECT_EQ(t.sounds.played.count(autoSound), e.GetTransTop() - 1);
    EXPECT_TRUE(t.consistent());

    // Each automatic move is undone by itself.
    int speed = 0;
    const int top = e.GetTransTop();
    t.ctx.engine().Undo(speed);
    EXPECT_EQ(t.ctx.engine().GetTransID(), top - 1);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, AutomaticMovesNeedAGameInPlayAndTheOption)
{
    BoardContext t;
    t.deal("Freecell", 2);
    cPlay &p = t.play();
    const int ace = t.find(0, 2);
    t.place(ace, 0, 3);

    p.AutoMoveCheck(); // no game in play
    EXPECT_EQ(p.Cell(ace), 0);

    t.playing();
    mOptions::SetAutoPlay(t.ctx, 0);
    p.AutoMoveCheck();
    EXPECT_EQ(p.Cell(ace), 0);

    mOptions::SetAutoPlay(t.ctx, 1);
    cGames &g = t.ctx.games();
    g.Ext(g.BaseX(), g.BaseY(), 52, -1, QStringLiteral("Freecell"), true, 0);
    p.AutoMoveCheck(); // the game switches automatic moves off
    EXPECT_EQ(p.Cell(ace), 0);

    g.Ext(g.BaseX(), g.BaseY(), 52, -1, QStringLiteral("Freecell"), false, 0);
    p.AutoMoveCheck();
    EXPECT_EQ(p.Cell(ace), 3);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, AFullFoundationIsSkippedAndAMoveOntoItIgnored)
{
    BoardContext t;
    ASSERT_TRUE(t.ctx.custom().Init("Freecell"));
    t.ctx.custom().setSuits(0); // one suit: four Aces of suit 0
    mStudio::BuildLayout(t.ctx);
    t.play().Init(GameNumber::fromNumber(4));
    cPlay &p = t.play();
    // Foundation 0 from Ace to King.
    for (int num = 0; num <= 12; ++num) {
        int card = -1;
        for (int i = 0; i < 52 && card < 0; ++i) {
            if (p.Num(i) == num && p.Cell(i) != 3)
                card = i;
        }
        t.place(card, 3, 0);
    }
    ASSERT_EQ(p.GetTop(3, 0), 12);
    ASSERT_TRUE(t.consistent());
    int ace = -1;
    for (int i = 0; i < 52 && ace < 0; ++i) {
        if (p.Num(i) == 0 && p.Cell(i) == 0)
            ace = i;
    }
    // The Ace would wrap onto the King, but a full foundation takes nothing.
    EXPECT_FALSE(p.FoundationAccepts(ace, 0, 0, p.Pile(ace), 0));
    std::int32_t kind = cEngine::KindPlain;
    t.place(ace, 0, 5);
    p.MoveCard(ace, 3, 0, 13, kind, 1, 0, true);
    EXPECT_EQ(p.Cell(ace), 0);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);

    t.playing();
    EXPECT_TRUE(p.AutoPlayCard(ace));
    EXPECT_EQ(p.Cell(ace), 3);
    EXPECT_EQ(p.Pile(ace), 1);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, ACardGoesStraightToItsPlaceInAsManyStepsAsTheSpeed)
{
    BoardContext t;
    t.deal("Freecell", 6);
    cPlay &p = t.play();
    const int card = p.GetTopPicID(0, 2);
    StepRecorder rec(t.surface, card);
    t.surface.setObserver(&rec);
    const double l0 = t.surface.left({PicArray::Card, card});
    const double t0 = t.surface.top({PicArray::Card, card});
    const double x = t.ctx.games().GetCordX(4, 0, 0);
    const double y = t.ctx.games().GetCordY(4, 0, 0);

    std::int32_t kind = cEngine::KindReplay;
    p.MoveCard(card, 4, 0, 0, kind, 4, 0, true);
    ASSERT_EQ(rec.steps.size(), 4u);
    for (int k = 1; k <= 4; ++k) {
        EXPECT_NEAR(rec.steps[k - 1].first, l0 + (x - l0) * k / 4, 0.01) << k;
        EXPECT_NEAR(rec.steps[k - 1].second, t0 + (y - t0) * k / 4, 0.01) << k;
    }
    EXPECT_EQ(rec.events, 1);

    rec.steps.clear();
    rec.events = 0;
    kind = cEngine::KindReplay;
    p.MoveCard(card, 4, 1, 0, kind, 1, 0, true);
    ASSERT_EQ(rec.steps.size(), 1u);
    EXPECT_EQ(rec.steps[0].first, t.ctx.games().GetCordX(4, 1, 0));
    EXPECT_EQ(rec.events, 1);

    rec.steps.clear();
    kind = cEngine::KindReplay;
    p.MoveCard(card, 4, 2, 0, kind, 0, 0, true);
    EXPECT_TRUE(rec.steps.empty());
    t.surface.setObserver(nullptr);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, ARunMovesWithItsRidersAndComesBackWithThem)
{
    BoardContext t;
    t.deal("Freecell", 6);
    cPlay &p = t.play();
    const int card = p.GetPicID(0, 1, 4);
    const int r1 = p.GetPicID(0, 1, 5);
    const int r2 = p.GetPicID(0, 1, 6);
    std::int32_t kind = cEngine::KindPlain;
    p.MoveCard(card, 0, 5, p.GetTop(0, 5) + 1, kind, 1, 2, true);
    EXPECT_EQ(p.GetTop(0, 1), 3);
    EXPECT_EQ(p.GetPicID(0, 5, 6), card);
    EXPECT_EQ(p.GetPicID(0, 5, 7), r1);
    EXPECT_EQ(p.GetPicID(0, 5, 8), r2);
    EXPECT_EQ(record(t, 1).mCards, 2);
    EXPECT_TRUE(t.consistent());

    int speed = 0;
    t.ctx.engine().Undo(speed);
    EXPECT_EQ(p.GetPicID(0, 1, 6), r2);
    EXPECT_EQ(p.GetTop(0, 5), 5);
    EXPECT_TRUE(t.consistent());

    // More riders than lie on the card, or fewer (leaving a gap), or none (-1) on a card
    // that is covered: refused before anything changes.
    for (const int riders : {3, 1, 0, -1}) {
        kind = cEngine::KindPlain;
        EXPECT_EQ(errorOf([&] { p.MoveCard(card, 0, 5, 6, kind, 1, riders, true); }), err::Subscript) << riders;
        EXPECT_EQ(t.ctx.engine().GetTransTop(), 1);
        EXPECT_EQ(p.GetTop(0, 1), 6);
        EXPECT_TRUE(t.consistent());
    }
}

TEST(PlayMoves, TheWinCheckRunsOnlyWhileTheGameRuns)
{
    BoardContext t;
    t.deal("Freecell", 6);
    std::int32_t kind = cEngine::KindPlain;
    t.play().MoveCard(t.play().GetTopPicID(0, 0), 4, 0, 0, kind, 1, 0, true);
    EXPECT_EQ(t.session.winChecks, 0);
    t.session.running = true;
    kind = cEngine::KindPlain;
    t.play().MoveCard(t.play().GetTopPicID(0, 1), 4, 1, 0, kind, 1, 0, true);
    EXPECT_EQ(t.session.winChecks, 1);
}

TEST(PlayMoves, TurningTheStockAndARedealAreUndoneAsTheyWereMade)
{
    BoardContext t;
    dealWithStock(t, 0, -1);
    cPlay &p = t.play();
    ASSERT_EQ(p.GetTop(1, 0), 23);
    ASSERT_TRUE(t.consistent());
    std::vector<int> turned;
    while (p.GetTop(1, 0) >= 0) {
        turned.push_back(p.GetTopPicID(1, 0));
        p.TurnStockCard(turned.back());
        ASSERT_TRUE(p.FaceMode(turned.back()));
    }
    EXPECT_EQ(p.GetTop(2, 0), 23);
    EXPECT_EQ(record(t, 1).TMod, cEngine::KindTurnedUp);
    EXPECT_EQ(record(t, 1).mCards, -1);
    EXPECT_TRUE(t.consistent());

    p.RedealWS();
    EXPECT_EQ(t.session.redeals, 1);
    EXPECT_EQ(p.GetTop(2, 0), -1);
    ASSERT_EQ(p.GetTop(1, 0), 23);
    EXPECT_EQ(p.GetPicID(1, 0, 0), turned.back()); // the waste's top card is now the stock's bottom
    EXPECT_EQ(p.GetTopPicID(1, 0), turned.front());
    for (int q = 0; q <= 23; ++q)
        EXPECT_FALSE(p.FaceMode(p.GetPicID(1, 0, q)));
    const cEngine &e = t.ctx.engine();
    ASSERT_EQ(e.GetTransTop(), 48);
    for (int i = 25; i < 48; ++i)
        EXPECT_EQ(record(t, i).Multi, 1) << i;
    EXPECT_EQ(record(t, 48).Multi, 0);
    EXPECT_EQ(record(t, 48).TMod, cEngine::KindTurnedDown);
    EXPECT_TRUE(t.consistent());
    // Redeals stay unlimited.
    EXPECT_EQ(t.ctx.games().StockNum(), 2);

    int speed = 0;
    ASSERT_TRUE(t.ctx.engine().Undo(speed));
    EXPECT_EQ(e.GetTransID(), 24);
    EXPECT_EQ(p.GetTop(1, 0), -1);
    EXPECT_EQ(p.GetTopPicID(2, 0), turned.back());
    EXPECT_TRUE(p.FaceMode(turned.back()));
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, TheLastRedealShowsTheEmptyStock)
{
    BoardContext t;
    dealWithStock(t, 0, 1);
    cPlay &p = t.play();
    EXPECT_EQ(t.surface.picture({PicArray::Stock, 0}), CardPicture::slot(16));
    p.TurnStockCard(p.GetTopPicID(1, 0));
    p.RedealWS();
    EXPECT_EQ(t.surface.picture({PicArray::Stock, 0}), CardPicture::slot(15));
    EXPECT_EQ(t.ctx.games().StockNum(), 1);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, TheRulesCheckCountsEachRedealAgainstTheGamesLimit)
{
    // Two redeals of two cards each, made where redeals are unlimited.
    QVector<TransRecord> moves;
    {
        BoardContext t;
        dealWithStock(t, 0, -1);
        cPlay &p = t.play();
        for (int round = 0; round < 2; ++round) {
            p.TurnStockCard(p.GetTopPicID(1, 0));
            p.TurnStockCard(p.GetTopPicID(1, 0));
            p.RedealWS();
        }
        for (int id = 1; id <= t.ctx.engine().GetTransTop(); ++id)
            moves.append(record(t, id));
        ASSERT_EQ(moves.size(), 8);
    }
    // The first move each limit refuses (0 for none) and why.
    auto firstBreak = [&](int limit) {
        BoardContext t;
        dealWithStock(t, 0, limit);
        cEngine &e = t.ctx.engine();
        e.SetRecords(moves);
        int redeals = 0;
        std::pair<int, QString> found{0, QString()};
        e.RedoAllChecked([&](const TransRecord &move, const TransRecord &previous) {
            const QString why = t.play().RuleBreak(move, previous, redeals);
            if (found.first == 0 && !why.isEmpty())
                found = {e.GetTransID() + 1, why};
        });
        return found;
    };
    // A redeal of several cards counts once.
    EXPECT_EQ(firstBreak(2).first, 0);
    EXPECT_EQ(firstBreak(-1).first, 0);
    const auto refused = firstBreak(1);
    EXPECT_EQ(refused.first, 7);
    EXPECT_EQ(refused.second, QStringLiteral("the game allows one redeal"));
}

TEST(PlayMoves, DealingTheStockOntoTheTableauIsOneGroup)
{
    BoardContext t;
    dealWithStock(t, 2, -1);
    cPlay &p = t.play();
    const int first = p.GetTopPicID(1, 0);
    p.DealStockToHome();
    EXPECT_EQ(p.GetTop(1, 0), 23 - 7);
    EXPECT_EQ(p.GetTopPicID(0, 0), first);
    for (int j = 0; j < 7; ++j)
        EXPECT_EQ(p.GetTop(0, j), j + 1);
    const cEngine &e = t.ctx.engine();
    ASSERT_EQ(e.GetTransTop(), 7);
    EXPECT_EQ(record(t, 1).Multi, 1);
    EXPECT_EQ(record(t, 7).Multi, 0);
    EXPECT_FALSE(e.GroupOpen());
    EXPECT_TRUE(t.consistent());
    int speed = 0;
    t.ctx.engine().Undo(speed);
    EXPECT_EQ(e.GetTransID(), 0);
    EXPECT_EQ(p.GetTop(1, 0), 23);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, SpiderTakesACompleteRunOffAsOneGroup)
{
    BoardContext t;
    ASSERT_TRUE(t.ctx.custom().Init("Freecell"));
    t.ctx.custom().setSuits(0);
    t.ctx.custom().setHOrder(5); // Down Same Suit
    mStudio::BuildLayout(t.ctx);
    cGames &g = t.ctx.games();
    g.Ext(g.BaseX(), g.BaseY(), 52, -1, QStringLiteral("Spider"), false, 0);
    t.play().Init(GameNumber::fromNumber(4));
    cPlay &p = t.play();
    for (int num = 12; num >= 0; --num) {
        int card = -1;
        for (int i = 0; i < 52 && card < 0; ++i) {
            if (p.Num(i) == num && !(p.Cell(i) == 0 && p.Pile(i) == 0))
                card = i;
        }
        t.place(card, 0, 0, true, 7);
    }
    const int pileCards = p.GetTop(0, 0) + 1;
    const int goal = p.Suitpile(p.GetTopPicID(0, 0));
    t.playing();
    p.AutoMoveCheck();
    EXPECT_EQ(p.GetTop(0, 0) + 1, pileCards - 13);
    ASSERT_EQ(p.GetTop(3, goal), 12);
    EXPECT_EQ(p.Num(p.GetPicID(3, goal, 0)), 0);
    EXPECT_EQ(p.Num(p.GetPicID(3, goal, 12)), 12);
    const cEngine &e = t.ctx.engine();
    ASSERT_EQ(e.GetTransTop(), 13);
    EXPECT_EQ(record(t, 1).Multi, 1);
    EXPECT_EQ(record(t, 13).Multi, 0);
    EXPECT_TRUE(t.consistent());
    int speed = 0;
    t.ctx.engine().Undo(speed);
    EXPECT_EQ(p.GetTop(3, goal), -1);
    EXPECT_TRUE(t.consistent());
}

TEST(PlayMoves, AutomaticMovesTryTheTableauBeforeTheFreeCells)
{
    BoardContext t;
    t.deal("Freecell", 1);
    cPlay &p = t.play();
    // An Ace in free cell 3 and one on top of a tableau pile: the tableau's goes up first.
    const int cellAce = t.find(0, 1);
    const int pileAce = t.find(0, 2);
    t.place(cellAce, 4, 3, true, p.Pile(cellAce) == 6 ? 5 : 6);
    const int pile = p.Pile(pileAce) == 7 ? 6 : 7;
    t.place(pileAce, 0, pile, true, p.Pile(pileAce) == 5 ? 4 : 5);
    ASSERT_TRUE(t.consistent());
    t.playing();
    p.AutoMoveCheck();
    const cEngine &e = t.ctx.engine();
    ASSERT_GE(e.GetTransTop(), 2);
    EXPECT_EQ(e.Record(1).SCell, cGames::Tableau);
    EXPECT_TRUE(t.consistent());
}
