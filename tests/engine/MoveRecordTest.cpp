// The move record: undo and redo of single moves and of groups with their speeds and
// sounds, undo all and redo all, jumps, the growth of the record, and recorded moves that
// do not fit the board, which are refused before anything changes.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <tuple>
#include <type_traits>
#include <vector>

#include "core/AppError.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "store/mRegistry.h"
#include "support/BoardChecker.h"
#include "support/Errors.h"

namespace {

// Where every card lies and which way up it shows.
using Snapshot = std::vector<std::tuple<int, int, int, bool>>;

Snapshot snapshot(const cPlay &p)
{
    Snapshot s;
    for (int i = 0; i < p.TotalCards(); ++i)
        s.emplace_back(p.Cell(i), p.Pile(i), p.Pos(i), p.FaceMode(i));
    return s;
}

// A recorded move of a card onto the top of a pile, shown at once.
void move(BoardContext &t, int card, int area, int pile)
{
    std::int32_t kind = cEngine::KindPlain;
    t.play().MoveCard(card, area, pile, t.play().GetTop(area, pile) + 1, kind, 0, 0, true);
}

int topOf(BoardContext &t, int pile)
{
    return t.play().GetTopPicID(cGames::Tableau, pile);
}

// Five moves: a plain one, a group of three, and another plain one.
void fiveMoves(BoardContext &t)
{
    move(t, topOf(t, 0), cGames::Tableau, 1);
    t.ctx.engine().StartMulti();
    move(t, topOf(t, 2), cGames::Tableau, 3);
    move(t, topOf(t, 4), cGames::Tableau, 5);
    move(t, topOf(t, 6), cGames::Tableau, 7);
    t.ctx.engine().EndMulti();
    move(t, topOf(t, 1), cGames::FreeCell, 0);
}

// A legal record of the board as dealt: the top card of tableau pile 0 into free cell 0.
TransRecord firstPileToFreeCell(const cPlay &p)
{
    TransRecord r;
    r.PicID = static_cast<std::int16_t>(p.GetTopPicID(cGames::Tableau, 0));
    r.SCell = cGames::Tableau;
    r.SPile = 0;
    r.SPos = static_cast<std::int16_t>(p.GetTop(cGames::Tableau, 0));
    r.DCell = cGames::FreeCell;
    r.DPile = 0;
    r.DPos = 0;
    return r;
}

// Calls the record between the cards of an operation, as a timer tick let in by a yield
// would; none of its calls may start.
class Intruder : public DisplayListObserver {
public:
    explicit Intruder(cEngine &engine) : engine_(engine) {}
    void areaChanged(const QRectF &) override {}
    void animationStep(double) override {}
    void processEvents() override
    {
        ++calls;
        if (!engine_.Busy())
            ++notBusy;
        const int before = engine_.GetTransID();
        int speed = 0;
        if (engine_.Undo(speed) || engine_.Redo(speed))
            ++started;
        engine_.UndoAll(speed);
        engine_.RedoAll(speed);
        engine_.MoveTo(0);
        engine_.MoveTo(engine_.GetTransTop());
        if (engine_.GetTransID() != before)
            ++started;
    }

    int calls = 0;
    int notBusy = 0;
    int started = 0;

private:
    cEngine &engine_;
};

class MoveRecord : public ::testing::Test {
protected:
    MoveRecord()
    {
        t.deal("Freecell", 5);
        dealt = snapshot(t.play());
    }

    cEngine &engine() { return t.ctx.engine(); }
    int steps() const { return t.surface.animationStepCount(); }

    // What a call of the record leaves: the move it ends on, the speed it hands back and
    // the animation steps it takes.
    struct Step {
        int transId;
        int speed;
        int steps;
    };
    // Runs a call of the record at the speed and compares what it leaves with the step; a
    // call that reports doing nothing fails as well.
    template <class Result>::testing::AssertionResult runs(Result (cEngine::*call)(int &), int speed, const Step &want)
    {
        const int before = steps();
        bool done = true;
        if constexpr (std::is_same_v<Result, bool>)
            done = (engine().*call)(speed);
        else
            (engine().*call)(speed);
        const Step got{engine().GetTransID(), speed, steps() - before};
        if (done && got.transId == want.transId && got.speed == want.speed && got.steps == want.steps)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << (done ? "" : "did nothing, ") << "ended on move " << got.transId
                                             << " at speed " << got.speed << " after " << got.steps << " steps";
    }

    QString soundFile(const QString &event) const { return QDir(t.home.path()).filePath(event + ".wav"); }
    // Gives the undo and the redo sound files of their own.
    void withSounds()
    {
        for (const QString &event : {QStringLiteral("Undo"), QStringLiteral("Redo")}) {
            QFile file(soundFile(event));
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write("RIFF");
            mRegistry::SetRegString(t.ctx, QStringLiteral("Sounds"), event, soundFile(event));
        }
    }
    int played(const QString &event) const { return static_cast<int>(t.sounds.played.count(soundFile(event))); }

    BoardContext t;
    Snapshot dealt;
};

} // namespace

// ---- Undo, redo and their groups ------------------------------------------------

TEST_F(MoveRecord, NothingToUndoOrRedoChangesNothing)
{
    int speed = 7;
    EXPECT_FALSE(engine().Undo(speed));
    EXPECT_FALSE(engine().Redo(speed));
    EXPECT_EQ(speed, 7);
    EXPECT_FALSE(engine().UndoPossible());
    EXPECT_FALSE(engine().RedoPossible());
    EXPECT_FALSE(engine().MoveStarted());
    EXPECT_EQ(snapshot(t.play()), dealt);

    move(t, topOf(t, 0), cGames::FreeCell, 0);
    EXPECT_TRUE(engine().UndoPossible());
    EXPECT_FALSE(engine().RedoPossible());
    EXPECT_TRUE(engine().MoveStarted());
    EXPECT_FALSE(engine().Redo(speed));
    EXPECT_EQ(engine().GetTransID(), 1);
    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_FALSE(engine().UndoPossible());
    EXPECT_TRUE(engine().RedoPossible());
    EXPECT_TRUE(engine().MoveStarted());
    EXPECT_EQ(snapshot(t.play()), dealt);
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, ANewMoveAfterAnUndoDropsTheUndoneMoves)
{
    move(t, topOf(t, 0), cGames::FreeCell, 0);
    const Snapshot afterOne = snapshot(t.play());
    move(t, topOf(t, 1), cGames::FreeCell, 1);
    move(t, topOf(t, 2), cGames::FreeCell, 2);
    int speed = 0;
    ASSERT_TRUE(engine().Undo(speed));
    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_EQ(engine().GetTransID(), 1);
    EXPECT_EQ(engine().GetTransTop(), 3);
    EXPECT_EQ(snapshot(t.play()), afterOne);
    EXPECT_TRUE(t.consistent());

    const int card = topOf(t, 5);
    move(t, card, cGames::FreeCell, 3);
    EXPECT_EQ(engine().GetTransID(), 2);
    EXPECT_EQ(engine().GetTransTop(), 2);
    EXPECT_FALSE(engine().RedoPossible());
    EXPECT_FALSE(engine().Redo(speed));
    EXPECT_EQ(engine().PicID(2), card);
    EXPECT_EQ(engine().DPile(2), 3);
    EXPECT_TRUE(t.consistent());

    engine().UndoAll(speed);
    EXPECT_EQ(snapshot(t.play()), dealt);
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, AGroupIsUndoneAndRedoneWholeAtTheGroupSpeed)
{
    withSounds();
    fiveMoves(t);
    const Snapshot done = snapshot(t.play());
    const std::vector<int> multi = {0, 1, 1, 0, 0};
    for (int i = 1; i <= 5; ++i)
        EXPECT_EQ(engine().Multi(i), multi[static_cast<std::size_t>(i - 1)]) << i;
    EXPECT_FALSE(engine().GroupOpen());

    // The plain move alone, at the caller's speed, with its sound above speed 3.
    ASSERT_TRUE(runs(&cEngine::Undo, 5, {.transId = 4, .speed = 5, .steps = 5}));
    EXPECT_EQ(played("Undo"), 1);
    EXPECT_TRUE(t.consistent());

    // The group: its last move at the caller's speed, the two before it at speed 2, and
    // the caller's speed comes back as 2.
    ASSERT_TRUE(runs(&cEngine::Undo, 5, {.transId = 1, .speed = 2, .steps = 5 + 2 + 2}));
    EXPECT_EQ(played("Undo"), 2);
    EXPECT_TRUE(t.consistent());

    // Redone whole: its first move at the caller's speed, the rest at 2.
    ASSERT_TRUE(runs(&cEngine::Redo, 4, {.transId = 4, .speed = 2, .steps = 4 + 2 + 2}));
    EXPECT_EQ(played("Redo"), 1);
    EXPECT_TRUE(t.consistent());

    // Speed 3 or less makes no sound, 4 does.
    int speed = 3;
    ASSERT_TRUE(engine().Redo(speed));
    EXPECT_EQ(played("Redo"), 1);
    EXPECT_EQ(snapshot(t.play()), done);
    EXPECT_TRUE(t.consistent());
    speed = 3;
    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_EQ(played("Undo"), 2);
    speed = 4;
    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_EQ(played("Undo"), 3);
}

TEST_F(MoveRecord, UndoAllAndRedoAllRunEveryStepAfterAGroupAtTheGroupSpeed)
{
    withSounds();
    fiveMoves(t);
    move(t, topOf(t, 3), cGames::FreeCell, 1);
    const Snapshot done = snapshot(t.play());

    // Records 6 and 5 at 5, the group's last move at 5, the rest of the group and record 1
    // at 2 without a sound.
    EXPECT_TRUE(runs(&cEngine::UndoAll, 5, {.transId = 0, .speed = 2, .steps = 5 + 5 + 5 + 2 + 2 + 2}));
    EXPECT_EQ(played("Undo"), 3);
    EXPECT_EQ(snapshot(t.play()), dealt);
    EXPECT_TRUE(t.consistent());

    // Record 1 and the group's first move at 5, everything after at 2.
    EXPECT_TRUE(runs(&cEngine::RedoAll, 5, {.transId = 6, .speed = 2, .steps = 5 + 5 + 2 + 2 + 2 + 2}));
    EXPECT_EQ(played("Redo"), 2);
    EXPECT_EQ(snapshot(t.play()), done);
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, AJumpTakesGroupsWholeInBothDirections)
{
    fiveMoves(t);
    const Snapshot done = snapshot(t.play());
    cEngine &e = engine();

    // Into the group from above: the whole group goes, ending below the number.
    e.MoveTo(3);
    EXPECT_EQ(e.GetTransID(), 1);
    EXPECT_TRUE(t.consistent());
    // Into the group from below: the whole group comes back, ending above it.
    e.MoveTo(3);
    EXPECT_EQ(e.GetTransID(), 4);
    EXPECT_TRUE(t.consistent());
    e.MoveTo(2);
    EXPECT_EQ(e.GetTransID(), 1);
    e.MoveTo(5);
    EXPECT_EQ(e.GetTransID(), 5);
    EXPECT_EQ(snapshot(t.play()), done);

    // Numbers beyond the record, below 0 or the current move do nothing.
    const int before = steps();
    e.MoveTo(6);
    e.MoveTo(-1);
    e.MoveTo(5);
    EXPECT_EQ(e.GetTransID(), 5);
    EXPECT_EQ(steps(), before);

    // A jump places the cards at once, but for the group's moves at the group speed, silently.
    withSounds();
    e.MoveTo(0);
    EXPECT_EQ(e.GetTransID(), 0);
    EXPECT_EQ(steps() - before, 2 + 2);
    EXPECT_EQ(played("Undo"), 0);
    EXPECT_EQ(snapshot(t.play()), dealt);
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, TurnedCardsAreTurnedBackAndAgain)
{
    // Seven piles dealt in rows over a stock and a waste: the stock's cards turn up onto
    // the waste (kind 1) and a redeal turns them down again (kind 2).
    t.loadWithStock();
    cPlay &p = t.play();
    p.Init(GameNumber::fromNumber(10));
    engine().ClearTRANS();
    const Snapshot start = snapshot(p);
    for (int k = 0; k < 3; ++k)
        p.TurnStockCard(p.GetTopPicID(cGames::StockArea, 0));
    const Snapshot turned = snapshot(p);
    p.RedealWS();
    const Snapshot redealt = snapshot(p);
    ASSERT_EQ(engine().GetTransTop(), 6);

    int speed = 0;
    ASSERT_TRUE(engine().Undo(speed)); // the redeal, whole
    EXPECT_EQ(engine().GetTransID(), 3);
    EXPECT_EQ(snapshot(p), turned);
    EXPECT_TRUE(t.consistent());
    engine().UndoAll(speed);
    EXPECT_EQ(snapshot(p), start);
    EXPECT_FALSE(p.FaceMode(p.GetTopPicID(cGames::StockArea, 0)));
    EXPECT_TRUE(t.consistent());

    speed = 0;
    engine().MoveTo(3);
    EXPECT_EQ(snapshot(p), turned);
    ASSERT_TRUE(engine().Redo(speed));
    EXPECT_EQ(snapshot(p), redealt);
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, RedoTurnsUpTheUncoveredCardAgain)
{
    t.dealWithClosedCards(3);
    cPlay &p = t.play();
    const int below = p.GetPicID(cGames::Tableau, 0, 5);
    move(t, topOf(t, 0), cGames::FreeCell, 0);
    ASSERT_EQ(engine().TMod(1), cEngine::KindUncovered);
    int speed = 0;
    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_FALSE(p.FaceMode(below));
    ASSERT_TRUE(engine().Redo(speed));
    EXPECT_TRUE(p.FaceMode(below));
    EXPECT_TRUE(t.consistent());
}

// ---- The record itself ------------------------------------------------------------

TEST_F(MoveRecord, TheHundredAndFirstMoveGrowsTheRecordKeepingItsMoves)
{
    // One card back and forth between two free cells: move i goes to cell (i - 1) mod 2.
    const int card = topOf(t, 0);
    move(t, card, cGames::FreeCell, 0);
    for (int i = 2; i <= 100; ++i)
        move(t, card, cGames::FreeCell, (i - 1) % 2);
    EXPECT_EQ(engine().Capacity(), 100);
    EXPECT_EQ(errorOf([&] { engine().Record(101); }), err::Subscript);
    move(t, card, cGames::FreeCell, 0);
    EXPECT_EQ(engine().GetTransTop(), 101);
    EXPECT_EQ(engine().Capacity(), 200);
    EXPECT_EQ(engine().SCell(1), cGames::Tableau);
    for (int i = 2; i <= 101; ++i) {
        EXPECT_EQ(engine().PicID(i), card) << i;
        EXPECT_EQ(engine().SPile(i), i % 2) << i;
        EXPECT_EQ(engine().DPile(i), (i - 1) % 2) << i;
    }
    EXPECT_EQ(engine().DPile(200), 0);
    EXPECT_EQ(errorOf([&] { engine().Record(201); }), err::Subscript);
    EXPECT_EQ(errorOf([&] { engine().Record(-1); }), err::Subscript);
    // Record 0 is never written.
    EXPECT_EQ(engine().PicID(0), 0);
    EXPECT_EQ(engine().Multi(0), 0);
    EXPECT_TRUE(t.consistent());

    int speed = 0;
    engine().UndoAll(speed);
    EXPECT_EQ(snapshot(t.play()), dealt);
    EXPECT_TRUE(t.consistent());

    engine().StartMulti();
    engine().ClearTRANS();
    EXPECT_EQ(engine().Capacity(), 100);
    EXPECT_EQ(engine().GetTransTop(), 0);
    EXPECT_EQ(engine().GetTransID(), 0);
    EXPECT_FALSE(engine().GroupOpen());
    EXPECT_EQ(engine().PicID(100), 0);
}

TEST_F(MoveRecord, TheCountersOverflowRatherThanWrap)
{
    const int card = topOf(t, 0);
    cEngine &e = engine();
    for (int i = 1; i <= 32700; ++i)
        e.SaveTrans(card, cGames::FreeCell, 0, 0, 0, cEngine::KindPlain);
    EXPECT_EQ(e.GetTransTop(), 32700);
    EXPECT_EQ(e.Capacity(), 32700);
    EXPECT_EQ(errorOf([&] { e.SaveTrans(card, cGames::FreeCell, 0, 0, 0, cEngine::KindPlain); }), err::Overflow);
    EXPECT_EQ(e.GetTransID(), 32700);
    EXPECT_EQ(e.GetTransTop(), 32700);
}

TEST_F(MoveRecord, TotalGoalCardsCountsTheCardsOnTheFoundations)
{
    EXPECT_EQ(engine().TotalGoalCards(), 0);
    t.place(t.find(0, 0), cGames::Foundation, 0);
    t.place(t.find(1, 0), cGames::Foundation, 0);
    t.place(t.find(0, 3), cGames::Foundation, 3);
    EXPECT_EQ(engine().TotalGoalCards(), 3);
    EXPECT_TRUE(t.consistent());
}

// ---- Operations that never overlap ------------------------------------------------

TEST_F(MoveRecord, AnUndoOrJumpNeverStartsInsideAnother)
{
    fiveMoves(t);
    const Snapshot done = snapshot(t.play());
    Intruder intruder(engine());
    t.surface.setObserver(&intruder);
    int speed = 0;
    engine().UndoAll(speed);
    EXPECT_EQ(engine().GetTransID(), 0);
    engine().MoveTo(5);
    EXPECT_EQ(engine().GetTransID(), 5);
    ASSERT_TRUE(engine().Undo(speed));
    ASSERT_TRUE(engine().Redo(speed));
    speed = 0;
    engine().RedoAll(speed);
    t.surface.setObserver(nullptr);

    EXPECT_GT(intruder.calls, 10);
    EXPECT_EQ(intruder.notBusy, 0);
    EXPECT_EQ(intruder.started, 0);
    EXPECT_FALSE(engine().Busy());
    EXPECT_EQ(engine().GetTransID(), 5);
    EXPECT_EQ(snapshot(t.play()), done);
    EXPECT_TRUE(t.consistent());
}

// ---- Recorded moves that do not fit the board -------------------------------------

TEST_F(MoveRecord, AMoveReadBackIsRedoneAndMinusOneRidersMeansNone)
{
    TransRecord r = firstPileToFreeCell(t.play());
    r.mCards = -1;
    engine().SetRecords({r});
    EXPECT_EQ(engine().GetTransID(), 0);
    EXPECT_EQ(engine().GetTransTop(), 1);
    int speed = 0;
    ASSERT_TRUE(engine().Redo(speed));
    EXPECT_EQ(t.play().GetTopPicID(cGames::FreeCell, 0), r.PicID);
    EXPECT_TRUE(t.consistent());
    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_EQ(snapshot(t.play()), dealt);
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, AHandEditedSpeedMovesACardInFiftyStepsAtMost)
{
    engine().SetRecords({firstPileToFreeCell(t.play())});
    EXPECT_TRUE(runs(&cEngine::Redo, 0, {1, 0, 0}));
    EXPECT_TRUE(runs(&cEngine::Undo, 30000, {0, 30000, 50}));
    EXPECT_TRUE(runs(&cEngine::Redo, 50, {1, 50, 50}));
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, AGroupLeftOpenEndsAtTheLastRecord)
{
    // Records 2 and 3 stay in the list beyond the top after the new move drops them.
    move(t, topOf(t, 0), cGames::FreeCell, 0);
    move(t, topOf(t, 1), cGames::FreeCell, 1);
    move(t, topOf(t, 2), cGames::FreeCell, 2);
    int speed = 0;
    engine().UndoAll(speed);
    engine().StartMulti();
    const int card = topOf(t, 5);
    move(t, card, cGames::FreeCell, 3);
    ASSERT_EQ(engine().GetTransTop(), 1);
    ASSERT_EQ(engine().Multi(1), 1);
    const Snapshot done = snapshot(t.play());

    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_EQ(snapshot(t.play()), dealt);
    ASSERT_TRUE(engine().Redo(speed));
    EXPECT_EQ(engine().GetTransID(), 1);
    EXPECT_EQ(snapshot(t.play()), done);
    EXPECT_TRUE(t.consistent());
    engine().MoveTo(0);
    engine().RedoAll(speed);
    EXPECT_EQ(engine().GetTransID(), 1);
    EXPECT_EQ(snapshot(t.play()), done);
    EXPECT_TRUE(t.consistent());

    // The same for a record read back whose last move is marked as grouped.
    engine().UndoAll(speed);
    TransRecord r = firstPileToFreeCell(t.play());
    r.Multi = 1;
    engine().SetRecords({r});
    engine().RedoAll(speed);
    EXPECT_EQ(engine().GetTransID(), 1);
    EXPECT_TRUE(t.consistent());
}

namespace {

struct Damage {
    const char *name;
    // Arranges the board first; may be null.
    void (*arrange)(BoardContext &);
    void (*damage)(const cPlay &, TransRecord &);
};

void PrintTo(const Damage &d, std::ostream *os)
{
    *os << d.name;
}

class DamagedRecord : public ::testing::TestWithParam<Damage> {};

// The 13 cards of suit 0 on foundation 0.
void fullFoundation(BoardContext &t)
{
    for (int num = 0; num <= 12; ++num)
        t.place(t.find(num, 0), cGames::Foundation, 0, true, 6);
}

// The top card of tableau pile 0 into free cell 0, unrecorded.
void cardInFreeCell(BoardContext &t)
{
    t.place(t.play().GetTopPicID(cGames::Tableau, 0), cGames::FreeCell, 0);
}

} // namespace

TEST_P(DamagedRecord, IsRefusedBeforeAnythingChanges)
{
    BoardContext t;
    t.deal("Freecell", 5);
    if (GetParam().arrange)
        GetParam().arrange(t);
    ASSERT_TRUE(t.consistent());
    TransRecord r;
    if (t.play().GetTop(cGames::Tableau, 0) >= 0)
        r = firstPileToFreeCell(t.play());
    GetParam().damage(t.play(), r);
    cEngine &e = t.ctx.engine();
    e.SetRecords({r});
    const Snapshot before = snapshot(t.play());
    const int steps = t.surface.animationStepCount();

    int speed = 0;
    EXPECT_EQ(errorOf([&] { e.Redo(speed); }), err::BadSavedGame);
    EXPECT_EQ(e.GetTransID(), 0);
    EXPECT_EQ(errorOf([&] { e.RedoAll(speed); }), err::BadSavedGame);
    EXPECT_EQ(errorOf([&] { e.MoveTo(1); }), err::BadSavedGame);
    EXPECT_EQ(e.GetTransID(), 0);
    EXPECT_FALSE(e.Busy());
    EXPECT_EQ(snapshot(t.play()), before);
    EXPECT_EQ(t.surface.animationStepCount(), steps);
    EXPECT_TRUE(t.consistent());
}

INSTANTIATE_TEST_SUITE_P(Cases, DamagedRecord,
                         ::testing::Values(Damage{"NoSuchCard", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.PicID = 52; }},
                                           Damage{"NegativeCard", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.PicID = -1; }},
                                           Damage{"CardElsewhere", nullptr,
                                                  [](const cPlay &, TransRecord &r) {
                                                      r.SPos = static_cast<std::int16_t>(r.SPos - 1);
                                                  }},
                                           Damage{"CardOnAnotherPile", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.SPile = 1; }},
                                           Damage{"MissingRiders", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.mCards = 1; }},
                                           Damage{"RidersLeftBehind", nullptr,
                                                  [](const cPlay &p, TransRecord &r) {
                                                      r.SPos = static_cast<std::int16_t>(r.SPos - 1);
                                                      r.PicID = static_cast<std::int16_t>(
                                                          p.GetPicID(cGames::Tableau, 0, r.SPos));
                                                  }},
                                           Damage{"NegativeRiders", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.mCards = -2; }},
                                           Damage{"NotOnTopOfItsPile", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.DPos = 1; }},
                                           Damage{"NoSuchFreeCell", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.DPile = 4; }},
                                           Damage{"NoSuchArea", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.DCell = 5; }},
                                           Damage{"NegativeArea", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.SCell = -1; }},
                                           Damage{"ReplayKind", nullptr,
                                                  [](const cPlay &, TransRecord &r) { r.TMod = cEngine::KindReplay; }},
                                           Damage{"UnknownKind",
                                                  nullptr, [](const cPlay &, TransRecord &r) { r.TMod = -1; }},
                                           Damage{"UncoveredWithNothingBelow", cardInFreeCell,
                                                  [](const cPlay &p, TransRecord &r) {
                                                      r.PicID =
                                                          static_cast<std::int16_t>(p.GetTopPicID(cGames::FreeCell, 0));
                                                      r.SCell = cGames::FreeCell;
                                                      r.SPile = 0;
                                                      r.SPos = 0;
                                                      r.DPile = 1;
                                                      r.TMod = cEngine::KindUncovered;
                                                  }},
                                           Damage{"OntoAFullFoundation", fullFoundation,
                                                  [](const cPlay &p, TransRecord &r) {
                                                      int pile = 0;
                                                      while (p.GetTop(cGames::Tableau, pile) < 0)
                                                          ++pile;
                                                      r.PicID = static_cast<std::int16_t>(
                                                          p.GetTopPicID(cGames::Tableau, pile));
                                                      r.SPile = static_cast<std::int16_t>(pile);
                                                      r.SPos =
                                                          static_cast<std::int16_t>(p.GetTop(cGames::Tableau, pile));
                                                      r.DCell = cGames::Foundation;
                                                      r.DPile = 0;
                                                      r.DPos = 13;
                                                  }}),
                         [](const ::testing::TestParamInfo<Damage> &info) { return std::string(info.param.name); });

TEST_F(MoveRecord, AnUndoThatDoesNotFitIsRefusedBeforeItTurnsACard)
{
    t.dealWithClosedCards(3);
    cPlay &p = t.play();
    const int card = topOf(t, 0);
    const int below = p.GetPicID(cGames::Tableau, 0, 5);
    move(t, card, cGames::FreeCell, 0);
    ASSERT_TRUE(p.FaceMode(below));

    // The card has gone elsewhere without a record.
    t.place(card, cGames::FreeCell, 1);
    const Snapshot moved = snapshot(p);
    int speed = 0;
    EXPECT_EQ(errorOf([&] { engine().Undo(speed); }), err::BadSavedGame);
    EXPECT_EQ(errorOf([&] { engine().UndoAll(speed); }), err::BadSavedGame);
    EXPECT_EQ(errorOf([&] { engine().MoveTo(0); }), err::BadSavedGame);
    EXPECT_EQ(engine().GetTransID(), 1);
    EXPECT_TRUE(p.FaceMode(below));
    EXPECT_EQ(snapshot(p), moved);
    EXPECT_TRUE(t.consistent());

    // Back in place, the move is undone.
    t.place(card, cGames::FreeCell, 0);
    ASSERT_TRUE(engine().Undo(speed));
    EXPECT_FALSE(p.FaceMode(below));
    EXPECT_TRUE(t.consistent());
}

TEST_F(MoveRecord, ARedoAllOrJumpStopsAtTheFirstMoveThatDoesNotFit)
{
    move(t, topOf(t, 0), cGames::FreeCell, 0);
    move(t, topOf(t, 1), cGames::FreeCell, 1);
    const Snapshot afterTwo = snapshot(t.play());
    move(t, topOf(t, 2), cGames::FreeCell, 2);
    move(t, topOf(t, 3), cGames::FreeCell, 3);
    std::vector<TransRecord> records;
    for (int i = 1; i <= 4; ++i)
        records.push_back(engine().Record(i));
    records[2].DPos = 1; // the third move no longer lands on top of its cell
    int speed = 0;
    engine().UndoAll(speed);
    engine().SetRecords(QVector<TransRecord>(records.begin(), records.end()));

    EXPECT_EQ(errorOf([&] { engine().RedoAll(speed); }), err::BadSavedGame);
    EXPECT_EQ(engine().GetTransID(), 2);
    EXPECT_EQ(snapshot(t.play()), afterTwo);
    EXPECT_TRUE(t.consistent());

    engine().MoveTo(0);
    EXPECT_EQ(errorOf([&] { engine().MoveTo(4); }), err::BadSavedGame);
    EXPECT_EQ(engine().GetTransID(), 2);
    EXPECT_FALSE(engine().Busy());
    EXPECT_TRUE(t.consistent());

    // A replay of one move at a time stops there too.
    ASSERT_TRUE(engine().Undo(speed));
    ASSERT_TRUE(engine().Redo(speed));
    EXPECT_EQ(errorOf([&] { engine().Redo(speed); }), err::BadSavedGame);
    EXPECT_EQ(engine().GetTransID(), 2);
    EXPECT_TRUE(t.consistent());
}
