// Pointer input on the board: lifting a card (with the run lying on it), carrying it,
// dropping it on the first slot that takes it or sending it back, and double-clicks.
#include <cstdint>

#include "core/Numbers.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "app/Context.h"

namespace {
constexpr int kCardWidth = 1065;
constexpr int kCardHeight = 1440;
} // namespace

bool cPlay::MouseDown(int card, int area, int pile, int pos)
{
    if (drag_.gDragActive)
        return false;
    const cGames &g = ctx_.games();
    const int t = GetTop(area, pile);
    if (area == cGames::Tableau && pos < t)
        drag_.gDragCount = t - pos;
    const LiftDecision d = LiftRule(card, area, pile, pos);
    lastPressFocus_ = d.focusToolbar;
    CardSurface &surface = ctx_.surface();
    const PicRef pic = cardPic(card);

    switch (d.kind) {
    case LiftDecision::Kind::PlayStock:
        // The stock lies stacked, so a press may fall on a card below its top; the top
        // card is the one turned, which keeps the stock without gaps.
        if (g.StockMove() == 2)
            DealStockToHome();
        else
            TurnStockCard(GetTopPicID(cGames::StockArea, 0));
        return false;
    case LiftDecision::Kind::Run:
        drag_.gDragActive = true;
        across_ = g.HomePileOrder() == 2 || g.HomePileOrder() == 3;
        riders_.clear();
        for (int k = 1; k <= d.riders; ++k) {
            const int rider = GetPicID(area, pile, pos + k);
            riders_.push_back(rider);
            surface.putInside(cardPic(rider), pic);
            if (across_)
                surface.move(cardPic(rider), RiderAcross * k, 0);
            else
                surface.move(cardPic(rider), 0, RiderDown * k);
        }
        if (across_)
            surface.resize(pic, kCardWidth + RiderAcross * d.riders, kCardHeight);
        else
            surface.resize(pic, kCardWidth, kCardHeight + RiderDown * d.riders);
        break;
    case LiftDecision::Kind::Card:
        drag_.gDragActive = true;
        drag_.gDragCount = 0;
        riders_.clear();
        break;
    case LiftDecision::Kind::None: return false;
    }
    lifted_ = card;
    surface.bringToFront(pic);
    return true;
}

void cPlay::MouseMove(int card, int /*pile*/, int /*pos*/, double x, double y)
{
    checkCard(card);
    // Only the lifted card follows the pointer.
    if (card != lifted_)
        return;
    CardSurface &surface = ctx_.surface();
    const PicRef pic = cardPic(card);
    surface.move(pic, surface.left(pic) + x - drag_.gPressX, surface.top(pic) + y - drag_.gPressY);
}

void cPlay::MouseUp(int card, int /*area*/, int /*pile*/, int /*pos*/)
{
    checkCard(card);
    if (lifted_ < 0)
        return;
    const int lifted = lifted_;
    CardSurface &surface = ctx_.surface();
    const PicRef pic = cardPic(lifted);
    surface.resize(pic, CardWidthTwips, CardHeightTwips);
    // A card released where it was lifted was only clicked: it goes back without trying the
    // slots, whose overlap test could otherwise take it to a neighbouring place. A release
    // that reaches another card drops nothing either.
    const bool moved =
        roundHalfEven(surface.left(pic)) != drag_.gPressLeft || roundHalfEven(surface.top(pic)) != drag_.gPressTop;
    const CardLocation at = GetLocation(lifted);
    bool placed = false;
    try {
        placed = card == lifted && moved && (dropIn(card, 0) || dropIn(card, 1));
    } catch (...) {
        // A move refused before it began leaves the card where it lay: it goes back with
        // its riders, so no picture is left hanging where the pointer let go.
        if (lifted_ == lifted && Dealt()) {
            const CardLocation now = GetLocation(lifted);
            if (now.Cell == at.Cell && now.Pile == at.Pile && now.Pos == at.Pos)
                SnapBack(lifted);
        }
        riders_.clear();
        lifted_ = -1;
        throw;
    }
    if (!placed)
        SnapBack(lifted);
    riders_.clear();
    lifted_ = -1;
}

// One pass over the slots a card may be dropped on: mode 0 tests the card's centre,
// any other mode an overlap. The first slot hit that accepts the card takes it.
bool cPlay::dropIn(int card, int mode)
{
    const cGames &g = ctx_.games();
    const CardLocation from = GetLocation(card);
    const int n = drag_.gDragCount;
    for (int pile = 0; pile < g.Piles(cGames::Tableau); ++pile) {
        const int t = GetTop(cGames::Tableau, pile);
        if (IsOverSlot(card, cGames::Tableau, pile, t, mode) && TableauAccepts(card, from.Cell, from.Pile, pile)) {
            std::int32_t kind = cEngine::KindPlain;
            MoveCard(card, cGames::Tableau, pile, t + 1, kind, 1, n, true);
            return true;
        }
    }
    for (int cell = 0; cell < g.Piles(cGames::FreeCell); ++cell) {
        if (IsOverSlot(card, cGames::FreeCell, cell, 0, mode) && FreeCellAccepts(n, cell)) {
            std::int32_t kind = cEngine::KindPlain;
            MoveCard(card, cGames::FreeCell, cell, 0, kind, 1, 0, true);
            return true;
        }
    }
    if (g.Tag() == QLatin1String("Spider"))
        return false;
    for (int a = 0; a < g.Piles(cGames::Foundation); ++a) {
        if (IsOverSlot(card, cGames::Foundation, a, 0, mode) && FoundationAccepts(card, n, from.Cell, from.Pile, a)) {
            std::int32_t kind = cEngine::KindPlain;
            MoveCard(card, cGames::Foundation, a, GetTop(cGames::Foundation, a) + 1, kind, 1, 0, true);
            return true;
        }
    }
    return false;
}

// Sums are taken in 64 bits, so a card anywhere on a wide screen is tested, never an overflow.
bool cPlay::IsOverSlot(int card, int area, int pile, int pos, int mode) const
{
    const CardSurface &surface = ctx_.surface();
    const PicRef pic = cardPic(card);
    const std::int64_t l = roundHalfEven(surface.left(pic));
    const std::int64_t t = roundHalfEven(surface.top(pic));
    const cGames &g = ctx_.games();
    const std::int64_t x = g.GetCordX(area, pile, pos);
    const std::int64_t y = g.GetCordY(area, pile, pos);
    if (mode == 0) {
        const std::int64_t cx = roundHalfEven(static_cast<double>(l) + kCardWidth / 2.0);
        const std::int64_t cy = roundHalfEven(static_cast<double>(t) + kCardHeight / 2.0);
        return x < cx && cx < x + kCardWidth && y < cy && cy < y + kCardHeight;
    }
    return x < l + kCardWidth && l < x + kCardWidth && y < t + kCardHeight && t < y + kCardHeight;
}

void cPlay::SnapBack(int card)
{
    CardSurface &surface = ctx_.surface();
    surface.move(cardPic(card), drag_.gPressLeft, drag_.gPressTop);
    for (std::size_t i = 0; i < riders_.size(); ++i) {
        const PicRef rider = cardPic(riders_[i]);
        const int k = static_cast<int>(i) + 1;
        surface.putOnBoard(rider);
        if (across_)
            surface.move(rider, drag_.gPressLeft + RiderAcross * k, drag_.gPressTop);
        else
            surface.move(rider, drag_.gPressLeft, drag_.gPressTop + RiderDown * k);
        surface.bringToFront(rider);
    }
}

void cPlay::DoubleClick(int card)
{
    if (ctx_.session().Game_Status() != 1 || drag_.gDragActive || !Dealt())
        return;
    const CardLocation at = GetLocation(card);
    // Only the top card of a pile moves, so no pile is left with a gap.
    if (at.Cell == cGames::StockArea || at.Cell == cGames::Foundation || at.Pos != GetTop(at.Cell, at.Pile))
        return;
    const int a = FoundationFor(card);
    if (a >= 0) {
        std::int32_t kind = cEngine::KindPlain;
        MoveCard(card, cGames::Foundation, a, GetTop(cGames::Foundation, a) + 1, kind, CardSpeed(), 0, true);
        return;
    }
    const int cell = FreeCellFor(card);
    if (cell >= 0) {
        std::int32_t kind = cEngine::KindPlain;
        MoveCard(card, cGames::FreeCell, cell, 0, kind, CardSpeed(), 0, true);
    }
}

void cPlay::CancelDrag()
{
    CardSurface &surface = ctx_.surface();
    if (lifted_ >= 0 && lifted_ < totalCards_ && surface.isLoaded(cardPic(lifted_))) {
        surface.resize(cardPic(lifted_), CardWidthTwips, CardHeightTwips);
        if (drag_.gDragActive)
            SnapBack(lifted_);
    }
    riders_.clear();
    lifted_ = -1;
    drag_.gDragActive = false;
    drag_.gDragCount = 0;
}
