// The move rules of the board: the rank-and-suit test, runs, the lift rule and the drop
// rules of the tableau, the free cells and the foundations.
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
