// The move rules of the board: the rank-and-suit test, runs, the lift rule and the drop
// rules of the tableau, the free cells and the foundations, and the check of a recorded
// move against them.
#include <algorithm>

#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mFunc.h"
#include "engine/mStudio.h"
#include "app/Context.h"

namespace {
bool limitsRuns(const QString &tag)
{
    return tag == QLatin1String("Freecell") || tag == QLatin1String("FreecellAK") || tag == QLatin1String("Penguin");
}

constexpr int kFullPileTop = 12;
constexpr int kRunLength = 13;
} // namespace

bool cPlay::CheckNum(int target, int moving, int direction, int suitRule, bool wrap) const
{
    const int t = Num(target);
    const int m = Num(moving);
    const bool up = m == t + 1 || (wrap && t == 12 && m == 0);
    const bool down = m == t - 1 || (wrap && t == 0 && m == 12);
    bool rank = false;
    switch (direction) {
    case 1: rank = up; break;
    case -1: rank = down; break;
    case 0: rank = up || down; break;
    default: break;
    }
    if (!rank)
        return false;
    switch (suitRule) {
    case 1: return IsSameSuit(moving, target);
    case 2: return IsDiffColor(moving, target);
    case 4: return IsDiffSuit(moving, target);
    case 5: return IsSameColor(moving, target);
    default: return true;
    }
}

bool cPlay::IsMovableRun(int card, int count) const
{
    const CardLocation at = GetLocation(card);
    const int order = ctx_.games().MultiOrder();
    const bool w = wrap(cGames::Tableau);
    for (int q = at.Pos; q < at.Pos + count; ++q) {
        if (!mStudio::CheckOrder(ctx_, GetPicID(at.Cell, at.Pile, q), GetPicID(at.Cell, at.Pile, q + 1), order, w))
            return false;
    }
    return true;
}

LiftDecision cPlay::LiftRule(int card, int area, int pile, int pos) const
{
    const cGames &g = ctx_.games();
    LiftDecision d;
    const int t = GetTop(area, pile);
    switch (area) {
    case cGames::Tableau: {
        if (pos == t) {
            d.kind = LiftDecision::Kind::Card;
            return d;
        }
        const int n = t - pos;
        if (!FaceMode(card)) {
            d.focusToolbar = false;
            return d;
        }
        if (n < 0 || !IsMovableRun(card, n) || !g.MultiMove())
            return d;
        if (limitsRuns(g.Tag()) && n > mFunc::GetMaxMoveCards(ctx_)) {
            d.focusToolbar = false;
            return d;
        }
        d.kind = LiftDecision::Kind::Run;
        d.riders = n;
        return d;
    }
    case cGames::StockArea:
        if (g.StockType() != 1)
            d.kind = LiftDecision::Kind::PlayStock;
        else if (pos == t)
            d.kind = LiftDecision::Kind::Card;
        return d;
    case cGames::WasteArea:
        if (pile == 0 && pos == t)
            d.kind = LiftDecision::Kind::Card;
        return d;
    default:
        // Foundations and free cells give up their top card only, so a pile never has a gap.
        if (pos == t)
            d.kind = LiftDecision::Kind::Card;
        return d;
    }
}

bool cPlay::TableauAccepts(int card, int fromArea, int fromPile, int pile) const
{
    const cGames &g = ctx_.games();
    const int t = GetTop(cGames::Tableau, pile);
    if (t == -1)
        return Num(card) == g.EmptyNum() || g.EmptyNum() == 13;
    if (fromArea == cGames::Tableau && fromPile == pile)
        return false;
    return mStudio::CheckOrder(ctx_, GetPicID(cGames::Tableau, pile, t), card, g.Order(cGames::Tableau, 0),
                               wrap(cGames::Tableau));
}

bool cPlay::FreeCellAccepts(int riders, int cell) const
{
    return GetTop(cGames::FreeCell, cell) == -1 && riders == 0 && ctx_.games().ResNum() == -1;
}

bool cPlay::FoundationAccepts(int card, int riders, int fromArea, int fromPile, int pile) const
{
    const cGames &g = ctx_.games();
    if (g.Tag() == QLatin1String("Spider") || riders != 0)
        return false;
    // A card taken from a foundation never counts as dropped back onto its own pile.
    if (fromArea == cGames::Foundation && fromPile == pile)
        return false;
    const int t = GetTop(cGames::Foundation, pile);
    if (t == -1)
        return Num(card) == baseNum_;
    if (t == kFullPileTop)
        return false;
    return mStudio::CheckOrder(ctx_, GetPicID(cGames::Foundation, pile, t), card, g.Order(cGames::Foundation, pile),
                               wrap(cGames::Foundation));
}

int cPlay::FoundationFor(int card) const
{
    const CardLocation at = GetLocation(card);
    for (int a = 0; a < ctx_.games().Piles(cGames::Foundation); ++a) {
        if (FoundationAccepts(card, 0, at.Cell, at.Pile, a))
            return a;
    }
    return -1;
}

int cPlay::FreeCellFor(int card) const
{
    const CardLocation at = GetLocation(card);
    if (at.Cell != cGames::Tableau || at.Pos != GetTop(cGames::Tableau, at.Pile))
        return -1;
    for (int l = 0; l < ctx_.games().Piles(cGames::FreeCell); ++l) {
        if (GetTop(cGames::FreeCell, l) == -1)
            return l;
    }
    return -1;
}

bool cPlay::takesRunHome(const TransRecord &move, const TransRecord &previous) const
{
    const cGames &g = ctx_.games();
    if (move.SCell != cGames::Tableau)
        return false;
    const int home = GetTop(cGames::Foundation, move.DPile) + 1;
    // A later card of the run follows the one before it, inside the same move group.
    if (previous.Multi == 1 && previous.SCell == cGames::Tableau && previous.SPile == move.SPile &&
        previous.DCell == cGames::Foundation && previous.DPile == move.DPile)
        return home % kRunLength != 0;
    // The first card: the top of a run of 13 in order, from the King down to the base card.
    const int t = GetTop(cGames::Tableau, move.SPile);
    if (home % kRunLength != 0 || t < kRunLength - 1 || Num(move.PicID) != baseNum_)
        return false;
    for (int q = t; q > t - kRunLength + 1; --q) {
        if (!mStudio::CheckOrder(ctx_, GetPicID(cGames::Tableau, move.SPile, q - 1),
                                 GetPicID(cGames::Tableau, move.SPile, q), g.MultiOrder(), wrap(cGames::Tableau)))
            return false;
    }
    int goal = Suitpile(move.PicID);
    if (g.GoalDiv() != 0)
        goal %= g.GoalDiv();
    return goal == move.DPile;
}

QString cPlay::RuleBreak(const TransRecord &move, const TransRecord &previous, int &redeals) const
{
    const cGames &g = ctx_.games();
    const int card = move.PicID;
    const bool stockTop = move.SCell == cGames::StockArea && move.SPile == 0 &&
                          move.SPos == GetTop(cGames::StockArea, 0) && g.StockType() != 1;
    if (move.TMod == cEngine::KindTurnedUp) {
        // Stock play: its top card onto every tableau pile in turn, or onto the waste.
        const bool dealt =
            g.StockMove() == 2 ? move.DCell == cGames::Tableau : move.DCell == cGames::WasteArea && move.DPile == 0;
        return stockTop && dealt ? QString() : QStringLiteral("only the stock deals a card face up");
    }
    if (move.TMod == cEngine::KindTurnedDown) {
        // A redeal: the waste goes back onto the stock, while the game has redeals.
        const bool redeal = move.SCell == cGames::WasteArea && move.SPile == 0 && move.DCell == cGames::StockArea &&
                            move.DPile == 0 && g.StockNum() == 2 && g.Redeals() != 0;
        if (!redeal)
            return QStringLiteral("only a redeal of the waste turns cards face down");
        // One redeal is one group of such moves: its first move counts it.
        if (previous.TMod != cEngine::KindTurnedDown || previous.Multi != 1)
            ++redeals;
        if (g.Redeals() > 0 && redeals > g.Redeals())
            return g.Redeals() == 1 ? QStringLiteral("the game allows one redeal")
                                    : QStringLiteral("the game allows %1 redeals").arg(g.Redeals());
        return {};
    }
    // A move turns up the card it uncovers, and only a face-down one.
    const bool uncovers = move.SCell == cGames::Tableau && move.SPos > 0 &&
                          !FaceMode(GetPicID(cGames::Tableau, move.SPile, move.SPos - 1));
    if (uncovers != (move.TMod == cEngine::KindUncovered))
        return uncovers ? QStringLiteral("the face-down card it uncovers is not turned up")
                        : QStringLiteral("it turns up a card that is not face down");
    const LiftDecision lift = LiftRule(card, move.SCell, move.SPile, move.SPos);
    if (lift.kind != LiftDecision::Kind::Card && lift.kind != LiftDecision::Kind::Run)
        return QStringLiteral("the card cannot be picked up there");
    const int riders = std::max<int>(move.mCards, 0);
    bool taken = false;
    switch (move.DCell) {
    case cGames::Tableau: taken = TableauAccepts(card, move.SCell, move.SPile, move.DPile); break;
    case cGames::FreeCell: taken = FreeCellAccepts(riders, move.DPile); break;
    case cGames::Foundation:
        taken = g.Tag() == QLatin1String("Spider")
                    ? riders == 0 && takesRunHome(move, previous)
                    : FoundationAccepts(card, riders, move.SCell, move.SPile, move.DPile);
        break;
    default: break;
    }
    return taken ? QString() : QStringLiteral("the pile it goes to does not take it");
}
