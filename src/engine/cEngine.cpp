#include "engine/cEngine.h"

#include "appearance/cSound.h"
#include "core/AppError.h"
#include "core/Numbers.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "app/Context.h"

namespace {
// Marks the record busy for the length of one undo, redo or jump.
class BusyScope {
public:
    explicit BusyScope(bool &flag) : flag_(flag) { flag_ = true; }
    ~BusyScope() { flag_ = false; }
    BusyScope(const BusyScope &) = delete;
    BusyScope &operator=(const BusyScope &) = delete;

private:
    bool &flag_;
};

constexpr int kAreas = 5;
constexpr int kMaxPiles = 21;
constexpr int kFullFoundationTop = 12;
} // namespace

cEngine::cEngine(Context &ctx) : ctx_(ctx)
{
    ClearTRANS();
}

void cEngine::ClearTRANS()
{
    current_ = 0;
    top_ = 0;
    capacity_ = 100;
    list_ = QVector<TransRecord>(capacity_ + 1);
    multi_ = false;
}

void cEngine::SaveTrans(int picId, int dCell, int dPile, int dPos, int mCards, std::int32_t tMod)
{
    const cPlay &play = ctx_.play();
    TransRecord r;
    r.PicID = toInt16(picId);
    r.SCell = toInt16(play.Cell(picId));
    r.SPile = toInt16(play.Pile(picId));
    r.SPos = toInt16(play.Pos(picId));
    r.DCell = toInt16(dCell);
    r.DPile = toInt16(dPile);
    r.DPos = toInt16(dPos);
    r.mCards = toInt16(mCards);
    r.TMod = tMod;
    r.Multi = multi_ ? 1 : 0;

    const std::int16_t next = toInt16(static_cast<std::int64_t>(current_) + 1);
    if (next > capacity_) {
        capacity_ = toInt16(static_cast<std::int64_t>(capacity_) + 100);
        list_.resize(capacity_ + 1);
    }
    current_ = next;
    top_ = current_;
    list_[current_] = r;
}

void cEngine::EndMulti()
{
    list_[current_].Multi = 0;
    multi_ = false;
}

const TransRecord &cEngine::Record(int id) const
{
    checkIndex(id, 0, capacity_);
    return list_[id];
}

void cEngine::checkFits(const TransRecord &r, bool undo) const
{
    const cPlay &play = ctx_.play();
    const cGames &games = ctx_.games();
    auto refuse = [&](const char *why) {
        raiseError(err::BadSavedGame,
                   QStringLiteral("Move of card %1 does not fit the board: %2.").arg(r.PicID).arg(QLatin1String(why)));
    };
    if (r.PicID < 0 || r.PicID >= play.TotalCards())
        refuse("no such card");
    if (r.TMod < 0 || r.TMod > 3)
        refuse("unknown kind of move");
    if (r.mCards < -1)
        refuse("negative number of cards");
    auto placeIsValid = [&](int area, int pile) {
        return area >= 0 && area < kAreas && pile >= 0 && pile < kMaxPiles && pile < games.Piles(area);
    };
    if (!placeIsValid(r.SCell, r.SPile) || !placeIsValid(r.DCell, r.DPile))
        refuse("no such pile");
    // The card must lie where the move starts, with exactly its riders above it, and
    // land on top of its destination pile.
    const int fromCell = undo ? r.DCell : r.SCell;
    const int fromPile = undo ? r.DPile : r.SPile;
    const int fromPos = undo ? r.DPos : r.SPos;
    const int toCell = undo ? r.SCell : r.DCell;
    const int toPile = undo ? r.SPile : r.DPile;
    const int toPos = undo ? r.SPos : r.DPos;
    if (play.Cell(r.PicID) != fromCell || play.Pile(r.PicID) != fromPile || play.Pos(r.PicID) != fromPos)
        refuse("the card is elsewhere");
    const int riders = r.mCards < 0 ? 0 : r.mCards;
    if (play.GetTop(fromCell, fromPile) - fromPos != riders)
        refuse("the cards above it do not match");
    const bool samePile = fromCell == toCell && fromPile == toPile;
    const int landing = samePile ? fromPos : play.GetTop(toCell, toPile) + 1;
    if (toPos != landing)
        refuse("it would not land on top of its pile");
    // The move primitive ignores a card sent onto a full foundation; the record would then
    // count a move the board never made.
    if (toCell == cGames::Foundation && !samePile && play.GetTop(toCell, toPile) >= kFullFoundationTop &&
        games.Tag() != QLatin1String("Spider"))
        refuse("its foundation is full");
    if (r.TMod == KindUncovered && r.SPos < 1)
        refuse("no card lies under it");
}

bool cEngine::Undo(int &speed)
{
    if (busy_)
        return false;
    BusyScope busy(busy_);
    return undoStep(speed);
}

bool cEngine::undoStep(int &speed)
{
    if (current_ == 0)
        return false;
    cPlay &play = ctx_.play();
    while (true) {
        const TransRecord r = list_[current_];
        checkFits(r, true);
        if (r.Multi == 1)
            speed = 2;
        // A hurried board finishes the rest of the operation without animation or sound.
        if (play.Hurried())
            speed = 0;
        if (speed > 3)
            ctx_.sound().Undo();
        if (r.TMod == KindUncovered)
            play.ChangeFaceMode(play.GetPicID(r.SCell, r.SPile, r.SPos - 1), false);
        std::int32_t kind = KindReplay;
        play.MoveCard(r.PicID, r.SCell, r.SPile, r.SPos, kind, speed, r.mCards, true);
        if (r.TMod == KindTurnedUp)
            play.ChangeFaceMode(r.PicID, false);
        else if (r.TMod == KindTurnedDown)
            play.ChangeFaceMode(r.PicID, true);
        --current_;
        if (list_[current_].Multi != 1 || current_ == 0)
            return true;
    }
}

bool cEngine::Redo(int &speed)
{
    if (busy_)
        return false;
    BusyScope busy(busy_);
    return redoStep(speed);
}

bool cEngine::redoStep(int &speed)
{
    if (current_ >= top_)
        return false;
    cPlay &play = ctx_.play();
    while (true) {
        const TransRecord r = list_[current_ + 1];
        checkFits(r, false);
        if (check_)
            (*check_)(r, list_[current_]);
        if (list_[current_].Multi == 1)
            speed = 2;
        if (play.Hurried())
            speed = 0;
        ++current_;
        if (speed > 3)
            ctx_.sound().Redo();
        std::int32_t kind = KindReplay;
        play.MoveCard(r.PicID, r.DCell, r.DPile, r.DPos, kind, speed, r.mCards, true);
        if (r.TMod == KindUncovered)
            play.ChangeFaceMode(play.GetPicID(r.SCell, r.SPile, r.SPos - 1), true);
        if (r.TMod == KindTurnedUp)
            play.ChangeFaceMode(r.PicID, true);
        else if (r.TMod == KindTurnedDown)
            play.ChangeFaceMode(r.PicID, false);
        // A group whose closing record is missing ends at the last record.
        if (list_[current_].Multi != 1 || current_ >= top_)
            return true;
    }
}

void cEngine::UndoAll(int &speed)
{
    if (busy_)
        return;
    BusyScope busy(busy_);
    while (current_ >= 1 && undoStep(speed)) {
    }
}

void cEngine::RedoAll(int &speed)
{
    if (busy_)
        return;
    BusyScope busy(busy_);
    while (current_ != top_ && redoStep(speed)) {
    }
}

void cEngine::RedoAllChecked(const MoveCheck &check)
{
    check_ = &check;
    struct Reset {
        const MoveCheck *&check;
        ~Reset() { check = nullptr; }
    } reset{check_};
    int speed = 0;
    RedoAll(speed);
}

void cEngine::MoveTo(int newTid)
{
    if (busy_ || newTid == current_ || newTid > top_ || newTid < 0)
        return;
    BusyScope busy(busy_);
    int speed = 0;
    if (newTid < current_) {
        while (current_ > newTid && undoStep(speed))
            speed = 0;
    } else {
        while (current_ < newTid && redoStep(speed))
            speed = 0;
    }
}

std::int16_t cEngine::TotalGoalCards() const
{
    const cPlay &play = ctx_.play();
    const int piles = std::min(8, static_cast<int>(ctx_.games().Piles(3)));
    int total = 0;
    for (int pile = 0; pile < piles; ++pile)
        total += play.GetTop(3, pile) + 1;
    return toInt16(total);
}

void cEngine::SetRecords(const QVector<TransRecord> &records)
{
    ClearTRANS();
    const std::int16_t count = toInt16(records.size());
    if (count == 32767)
        raiseError(err::Overflow);
    while (count > capacity_)
        capacity_ = toInt16(static_cast<std::int64_t>(capacity_) + 100);
    list_.resize(capacity_ + 1);
    for (int i = 0; i < count; ++i)
        list_[i + 1] = records[i];
    top_ = count;
}
