#include "engine/cPlay.h"

#include <algorithm>

#include "appearance/cSound.h"
#include "appearance/mCustomize.h"
#include "core/AppError.h"
#include "core/Numbers.h"
#include "engine/cGames.h"
#include "platform/ArtLibrary.h"
#include "app/Context.h"

namespace {
using mCustomize::GetDeckIndex;

// Empty-slot pictures.
constexpr int kSlotAnyCard = 13;
constexpr int kSlotEmpty = 14;

// The shaped deals fill a grid of 9 piles; the heights of each pile, 8 positions at most.
constexpr int kShapedPiles = 9;
constexpr int kShapedHeights[4][kShapedPiles] = {
    {4, 5, 6, 7, 8, 7, 6, 5, 4}, // 3: a pyramid
    {7, 6, 5, 4, 3, 4, 5, 6, 7}, // 4: a valley
    {8, 3, 8, 3, 8, 3, 8, 3, 8}, // 14: alternate long and short piles
    {1, 2, 3, 4, 5, 6, 7, 8, 8}, // 15: a staircase, dealt face down
};

int shapedIndex(int homeType)
{
    switch (homeType) {
    case 3: return 0;
    case 4: return 1;
    case 14: return 2;
    default: return 3;
    }
}

// The face-up piles of the face-down deals 9 to 13.
bool openPile(int homeType, int pile, int piles)
{
    switch (homeType) {
    case 9: return pile % 2 == 0;                   // even piles
    case 10: return pile % 2 == 1;                  // odd piles
    case 11: return pile * 2 < piles;               // the left half
    case 12: return pile * 2 >= piles;              // the right half
    default: return pile == 0 || pile == piles - 1; // 13: the two outer piles
    }
}

int suitOf(int value, int suitType)
{
    switch (suitType) {
    case 1: return (value % 52) / 26;
    case 2: return (value % 52) / 13;
    default: return 0;
    }
}

void badDefinition(const QString &what, int value, int lo, int hi)
{
    raiseError(err::BadDefinition, QStringLiteral("The game cannot be dealt: %1 is %2, it must be %3 to %4.")
                                       .arg(what)
                                       .arg(value)
                                       .arg(lo)
                                       .arg(hi));
}

void checkRange(const QString &what, int value, int lo, int hi)
{
    if (value < lo || value > hi)
        badDefinition(what, value, lo, hi);
}
} // namespace

cPlay::cPlay(Context &ctx, bool scratch) : ctx_(ctx), scratch_(scratch)
{
    ClearTops();
}

// ---- Queries ----------------------------------------------------------------------

void cPlay::checkCard(int card) const
{
    checkIndex(card, 0, totalCards_ - 1);
    checkIndex(card, 0, static_cast<std::int64_t>(records_.size()) - 1);
}

const CardRecord &cPlay::record(int card) const
{
    checkCard(card);
    return records_[static_cast<std::size_t>(card)];
}

CardRecord &cPlay::record(int card)
{
    checkCard(card);
    return records_[static_cast<std::size_t>(card)];
}

const cPlay::Grid &cPlay::grid(int area) const
{
    checkIndex(area, 0, Areas - 1);
    const Grid &g = grids_[static_cast<std::size_t>(area)];
    if (g.piles.empty())
        raiseError(err::Subscript);
    return g;
}

cPlay::Grid &cPlay::grid(int area)
{
    return const_cast<Grid &>(static_cast<const cPlay &>(*this).grid(area));
}

std::int16_t &cPlay::top(int area, int pile)
{
    checkIndex(area, 0, Areas - 1);
    checkIndex(pile, 0, MaxPiles - 1);
    return tops_[static_cast<std::size_t>(area)][static_cast<std::size_t>(pile)];
}

int cPlay::GetTop(int area, int pile) const
{
    checkIndex(area, 0, Areas - 1);
    checkIndex(pile, 0, MaxPiles - 1);
    return tops_[static_cast<std::size_t>(area)][static_cast<std::size_t>(pile)];
}

int cPlay::GetPicID(int area, int pile, int pos) const
{
    const Grid &g = grid(area);
    checkIndex(pile, 0, static_cast<std::int64_t>(g.piles.size()) - 1);
    checkIndex(pos, 0, g.lastPos());
    return g.piles[static_cast<std::size_t>(pile)][static_cast<std::size_t>(pos)];
}

int cPlay::GetTopPicID(int area, int pile) const
{
    return GetPicID(area, pile, GetTop(area, pile));
}

CardLocation cPlay::GetLocation(int card) const
{
    const CardRecord &r = record(card);
    return {r.Cell, r.Pile, r.Pos};
}

int cPlay::ClosedCards(int pile) const
{
    if (!Dealt())
        return 0;
    const int t = GetTop(cGames::Tableau, pile);
    int closed = 0;
    for (int q = 0; q <= t; ++q) {
        if (!FaceMode(GetPicID(cGames::Tableau, pile, q)))
            ++closed;
    }
    return closed;
}

int cPlay::DeckCard(int card) const
{
    checkCard(card);
    return deck_[static_cast<std::size_t>(card)];
}

bool cPlay::wrap(int area) const
{
    return ctx_.games().AK(area) != 0;
}

double cPlay::DrawRandom()
{
    random_.MixIn(gameNumber_.value());
    return random_.Next();
}

// ---- Faces and backs --------------------------------------------------------------

void cPlay::ChangeFaceMode(int card, bool faceUp)
{
    CardRecord &r = record(card);
    ctx_.surface().setPicture(cardPic(card), faceUp ? r.Face : back_);
    r.FaceMode = faceUp;
}

void cPlay::ChangeDecks()
{
    back_ = CardPicture::back(GetDeckIndex(ctx_));
    CardSurface &surface = ctx_.surface();
    for (int i = surface.upperBound(PicArray::Card); i >= 0; --i) {
        if (i < totalCards_ && i < static_cast<int>(records_.size()) && surface.isLoaded(cardPic(i)) &&
            !records_[static_cast<std::size_t>(i)].FaceMode)
            surface.setPicture(cardPic(i), back_);
    }
}

// ---- Clearing ---------------------------------------------------------------------

void cPlay::UnloadControls(PicArray array)
{
    CardSurface &surface = ctx_.surface();
    for (int i = surface.upperBound(array); i >= 1; --i) {
        if (surface.isLoaded({array, i}))
            surface.unload({array, i});
    }
    surface.putOnBoard({array, 0});
    surface.setVisible({array, 0}, false);
}

void cPlay::ClearAll()
{
    CancelDrag();
    CardSurface &surface = ctx_.surface();
    UnloadControls(PicArray::Card);
    UnloadControls(PicArray::Home);
    UnloadControls(PicArray::Right);
    UnloadControls(PicArray::Res);
    surface.setVisible({PicArray::Stock, 0}, false);
    surface.setVisible({PicArray::Waste, 0}, false);

    for (Grid &g : grids_)
        g.piles.clear();
    ClearTops();
    records_.clear();
    deck_.clear();
    totalCards_ = 0;
    baseNum_ = 0;
    surface.resize(cardPic(0), CardWidthTwips, CardHeightTwips);
}

void cPlay::ClearTops()
{
    for (auto &area : tops_)
        area.fill(-1);
}

// ---- Init -------------------------------------------------------------------------

void cPlay::Init(const GameNumber &gameNumber)
{
    ClearAll();
    CheckLayout();
    try {
        gameNumber_ = gameNumber;
        totalCards_ = ctx_.games().TotalCards();
        back_ = CardPicture::back(scratch_ ? 1 : GetDeckIndex(ctx_));
        CreateBoard();
        ClearTops();
        ShuffleDeck();
        CreateCards();
        SetGoalBase();
        ShowSlots();
        SetupStock();
        DealWasteCards();
        DealResCards();
        if (!scratch_)
            ctx_.sound().StartGame();
        DealHome();
    } catch (...) {
        ClearAll();
        throw;
    }
}

// A layout the board cannot deal is refused before anything is placed, so a bad
// definition never leaves a half-dealt board or cards behind on the stock.
void cPlay::CheckLayout() const
{
    const cGames &g = ctx_.games();
    const int n = g.TotalCards();
    checkRange(QStringLiteral("the number of cards"), n, 1, 104);
    checkRange(QStringLiteral("the number of tableau piles"), g.Piles(cGames::Tableau), 1, MaxPiles);
    checkRange(QStringLiteral("the number of stock piles"), g.Piles(cGames::StockArea), 0, MaxPiles);
    checkRange(QStringLiteral("the number of waste piles"), g.Piles(cGames::WasteArea), 0, MaxPiles);
    checkRange(QStringLiteral("the number of waste start cards"), g.Cards(cGames::WasteArea), 0,
               g.Piles(cGames::WasteArea));
    checkRange(QStringLiteral("the number of foundations"), g.Piles(cGames::Foundation), 0, MaxPiles);
    checkRange(QStringLiteral("the number of free cells"), g.Piles(cGames::FreeCell), 0, MaxPiles);
    checkRange(QStringLiteral("the number of free-cell start cards"), g.Cards(cGames::FreeCell), 0,
               g.Piles(cGames::FreeCell));
    const int gCards = g.Cards(cGames::Foundation);
    checkRange(QStringLiteral("the number of foundation start cards"), gCards, 0,
               std::min<int>(4, g.Piles(cGames::Foundation)));
    if (gCards > 0)
        checkRange(QStringLiteral("the foundation base rank"), g.GoalType(), 0, 12);
    checkRange(QStringLiteral("the suit kind"), g.SuitType(), 0, 2);
    checkRange(QStringLiteral("the rank that fills an empty tableau pile"), g.EmptyNum(), -1, 13);
    checkRange(QStringLiteral("the number of tableau cards"), g.Cards(cGames::Tableau), 0, n);
    checkRange(QStringLiteral("the deal kind"), g.HomeType(), 0, 15);

    // Which cards end on the stock depends only on the card values, not on the shuffle.
    int onStock = 0;
    if (g.Piles(cGames::StockArea) > 0) {
        for (int d = 0; d < n; ++d) {
            const bool onFoundation = gCards > 0 && d % 13 == g.GoalType() && d / 13 < gCards;
            if (!onFoundation && (g.StockType() != 2 || suitOf(d, g.SuitType()) < 2))
                ++onStock;
        }
    }
    const int piles = g.Piles(cGames::Tableau);
    const int c = g.Cards(cGames::Tableau);
    int needed = g.Cards(cGames::WasteArea) + g.Cards(cGames::FreeCell);
    switch (g.HomeType()) {
    case 0:
    case 6:
    case 8:
    case 9:
    case 10:
    case 11:
    case 12:
    case 13: needed += c; break;
    case 1: needed += piles * (piles + 1) / 2; break;
    case 2:
        checkRange(QStringLiteral("the number of tableau piles of a deal by suit"), piles,
                   g.SuitType() == 2 ? 4 : g.SuitType() + 1, MaxPiles);
        break;
    case 3:
    case 4:
    case 14:
    case 15:
        checkRange(QStringLiteral("the number of tableau piles of a shaped deal"), piles, kShapedPiles, MaxPiles);
        break;
    default: break;
    }
    if (needed > onStock || (g.HomeType() == 0 && needed != onStock)) {
        raiseError(err::BadDefinition,
                   QStringLiteral("The game cannot be dealt: the deal takes %1 cards but the stock holds %2.")
                       .arg(needed)
                       .arg(onStock));
    }
}

void cPlay::CreateBoard()
{
    const cGames &g = ctx_.games();
    const int n = totalCards_;
    auto make = [&](int area, int depth) {
        Grid &grid = grids_[static_cast<std::size_t>(area)];
        grid.piles.assign(static_cast<std::size_t>(g.Piles(area)) + 1,
                          std::vector<std::int16_t>(static_cast<std::size_t>(depth) + 1, -1));
    };
    make(cGames::Tableau, static_cast<int>(roundHalfEven(static_cast<double>(n) / g.Piles(cGames::Tableau) + 13.0)));
    make(cGames::StockArea, n);
    if (g.Piles(cGames::WasteArea) > 0)
        make(cGames::WasteArea, n);
    make(cGames::Foundation, g.Piles(cGames::Foundation) == 4 && n == 104 ? 26 : 13);
    if (g.Piles(cGames::FreeCell) > 0)
        make(cGames::FreeCell, 13);
    records_.assign(static_cast<std::size_t>(n) + 1, CardRecord{});
    deck_.assign(static_cast<std::size_t>(n) + 1, 0);
}

void cPlay::ShuffleDeck()
{
    const int n = totalCards_;
    std::vector<std::int16_t> w(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        w[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(i);
    random_.Reset(-10);
    int k = n;
    for (int c = 0; c < n; ++c) {
        --k;
        const auto r = static_cast<std::size_t>(roundHalfEven(DrawRandom() * k));
        deck_[static_cast<std::size_t>(c)] = w[r];
        w[r] = w[static_cast<std::size_t>(k)];
    }
}

void cPlay::CreateCards()
{
    CardSurface &surface = ctx_.surface();
    const cGames &g = ctx_.games();
    for (int i = 0; i < totalCards_; ++i) {
        const PicRef pic = cardPic(i);
        if (i > 0 && !surface.isLoaded(pic))
            surface.load(pic);
        const int d = deck_[static_cast<std::size_t>(i)];
        CardRecord &r = records_[static_cast<std::size_t>(i)];
        r.Num = static_cast<std::int16_t>(d % 13);
        r.Suit = static_cast<std::int16_t>(suitOf(d, g.SuitType()));
        r.Suitpile = static_cast<std::int16_t>(d / 13);
        r.FaceMode = false;
        r.reserved = 0;
        r.Face = CardPicture::face(r.Suit * 13 + r.Num + 1);
        surface.setPicture(pic, back_);
        surface.bringToFront(pic);
    }
    auto loadSlots = [&](PicArray array, int piles) {
        for (int i = 1; i <= piles; ++i) {
            if (!surface.isLoaded({array, i}))
                surface.load({array, i});
        }
    };
    loadSlots(PicArray::Right, g.Piles(cGames::Foundation));
    loadSlots(PicArray::Home, g.Piles(cGames::Tableau));
    loadSlots(PicArray::Res, g.Piles(cGames::FreeCell));
    if (!scratch_)
        ctx_.art().EndCards();
    surface.processEvents();
}

void cPlay::SetGoalBase()
{
    const cGames &g = ctx_.games();
    const int gCards = g.Cards(cGames::Foundation);
    const int type = g.GoalType();
    const int piles = g.Piles(cGames::Foundation);
    const double half = gCards / 2.0;

    if (type >= 0 && type <= 12)
        baseNum_ = type;

    switch (type) {
    case 14:
        if (gCards > 0) {
            for (int i = 0; i < totalCards_; ++i) {
                const CardRecord &r = records_[static_cast<std::size_t>(i)];
                if ((r.Num == 0 && r.Suitpile < half) || (r.Num == 12 && r.Suitpile >= half))
                    PutCard(i, cGames::Foundation, r.Suitpile, 0, true);
            }
        }
        for (int i = 0; i < piles; ++i)
            ShowGoalSlot(i, i < half ? 0 : 12);
        return;
    case 15:
        if (gCards > 0) {
            for (int i = 0; i < totalCards_; ++i) {
                const CardRecord &r = records_[static_cast<std::size_t>(i)];
                if (r.Suitpile == r.Num) {
                    PutCard(i, cGames::Foundation, r.Suitpile, 0, true);
                    ShowGoalSlot(r.Suitpile, r.Suitpile);
                }
            }
        }
        return;
    case 16:
        if (gCards > 0) {
            PutCard(0, cGames::Foundation, 0, 0, true);
            baseNum_ = records_[0].Num;
            int placed = 1;
            for (int i = 1; i < totalCards_ && placed < gCards; ++i) {
                if (records_[static_cast<std::size_t>(i)].Num == baseNum_)
                    PutCard(i, cGames::Foundation, placed++, 0, true);
            }
        } else {
            baseNum_ = static_cast<int>(DrawRandom() * 12);
        }
        for (int i = 0; i < piles; ++i)
            ShowGoalSlot(i, baseNum_);
        return;
    case 17:
        if (gCards > 0) {
            for (int pile = 0; pile < 4; ++pile) {
                for (int i = 0; i < totalCards_ && GetTop(cGames::Foundation, pile) == -1; ++i) {
                    const CardRecord &r = records_[static_cast<std::size_t>(i)];
                    if (r.Suit == pile && r.Cell != cGames::Foundation) {
                        PutCard(i, cGames::Foundation, pile, 0, true);
                        ShowGoalSlot(pile, r.Num);
                    }
                }
            }
        }
        return;
    default: break;
    }

    // Base ranks 0..12, "any card" (13) and values no rule knows.
    if (gCards > 0) {
        for (int i = 0; i < totalCards_; ++i) {
            const CardRecord &r = records_[static_cast<std::size_t>(i)];
            if (r.Num == type && r.Suitpile < gCards)
                PutCard(i, cGames::Foundation, r.Suitpile, 0, true);
        }
    }
    for (int i = 0; i < piles; ++i)
        ShowGoalSlot(i, type);
}

void cPlay::showSlot(PicRef pic, int picture, int area, int pile)
{
    CardSurface &surface = ctx_.surface();
    const cGames &g = ctx_.games();
    surface.setPicture(pic, CardPicture::slot(picture));
    surface.move(pic, g.GetCordX(area, pile, 0), g.GetCordY(area, pile, 0));
    surface.setVisible(pic, true);
}

void cPlay::ShowGoalSlot(int pile, int n)
{
    showSlot({PicArray::Right, pile}, n, cGames::Foundation, pile);
}

void cPlay::ShowHomeSlot(int pile, int n)
{
    showSlot({PicArray::Home, pile}, n == kSlotAnyCard ? kSlotEmpty : n, cGames::Tableau, pile);
}

void cPlay::ShowResSlot(int pile)
{
    showSlot({PicArray::Res, pile}, kSlotEmpty, cGames::FreeCell, pile);
}

void cPlay::ShowWasteSlot()
{
    showSlot({PicArray::Waste, 0}, kSlotEmpty, cGames::WasteArea, 0);
}

void cPlay::ShowStockSlot(int n)
{
    showSlot({PicArray::Stock, 0}, kSlotEmpty + n, cGames::StockArea, 0);
}

void cPlay::ShowSlots()
{
    cGames &g = ctx_.games();
    for (int i = 0; i < g.Piles(cGames::FreeCell); ++i)
        ShowResSlot(i);
    if (g.Tag() == QLatin1String("Penguin"))
        g.setEmptyNum(baseNum_ == 0 ? 12 : baseNum_ - 1);
    const int n = g.EmptyNum() < 0 ? -1 : g.EmptyNum();
    for (int i = 0; i < g.Piles(cGames::Tableau); ++i)
        ShowHomeSlot(i, n);
    if (g.Piles(cGames::WasteArea) > 0)
        ShowWasteSlot();
    if (!scratch_)
        ctx_.art().EndSlots();
}

void cPlay::SetupStock()
{
    const cGames &g = ctx_.games();
    if (g.StockNum() > 0)
        ShowStockSlot(g.StockNum());
    if (g.Piles(cGames::StockArea) == 0)
        return;
    for (int i = 0; i < totalCards_; ++i) {
        const CardRecord &r = records_[static_cast<std::size_t>(i)];
        if (r.Cell == cGames::Foundation || (g.StockType() == 2 && r.Suit >= 2))
            continue;
        PutCard(i, cGames::StockArea, 0, GetTop(cGames::StockArea, 0) + 1, g.StockType() == 1);
    }
}

void cPlay::PutCard(int card, int area, int pile, int pos, bool faceUp)
{
    AnimateCard(card, area, pile, pos, 0, faceUp, false);
}

void cPlay::DealFromStock(int area, int pile, int pos, bool faceUp)
{
    AnimateCard(GetTopPicID(cGames::StockArea, 0), area, pile, pos, 2, faceUp, true, true);
}

void cPlay::DealWasteCards()
{
    for (int i = 0; i < ctx_.games().Cards(cGames::WasteArea); ++i)
        DealFromStock(cGames::WasteArea, i, 0, true);
}

void cPlay::DealResCards()
{
    const cGames &g = ctx_.games();
    const int piles = g.Piles(cGames::FreeCell);
    for (int i = 0; i < g.Cards(cGames::FreeCell); ++i)
        DealFromStock(cGames::FreeCell, i % piles, i / piles, true);
}

void cPlay::turnPileTops()
{
    for (int j = 0; j < ctx_.games().Piles(cGames::Tableau); ++j) {
        if (GetTop(cGames::Tableau, j) >= 0)
            ChangeFaceMode(GetTopPicID(cGames::Tableau, j), true);
    }
}

// Rows dealt to a widening (or narrowing) set of piles, HomeType 1 and 7.
void cPlay::dealRows(bool widening)
{
    const cGames &g = ctx_.games();
    const int piles = g.Piles(cGames::Tableau);
    const bool firstOnly = g.CardsOpen() != 0;
    for (int a = 0; a < piles; ++a) {
        const int from = widening ? a : 0;
        const int to = widening ? piles - 1 : piles - 1 - a;
        for (int j = from; j <= to; ++j) {
            if (!widening && GetTop(cGames::StockArea, 0) < 0)
                return;
            DealFromStock(cGames::Tableau, j, a, !firstOnly || j == from);
        }
    }
}

// The shaped deals: row by row over a grid of 9 piles, each pile to its height.
void cPlay::dealShaped(int homeType)
{
    const int *heights = kShapedHeights[shapedIndex(homeType)];
    const bool faceUp = homeType != 15;
    for (int q = 0; q < 8; ++q) {
        for (int j = 0; j < kShapedPiles; ++j) {
            if (q >= heights[j])
                continue;
            if (GetTop(cGames::StockArea, 0) < 0)
                return;
            DealFromStock(cGames::Tableau, j, q, faceUp);
        }
    }
}

void cPlay::DealHome()
{
    const cGames &g = ctx_.games();
    const int piles = g.Piles(cGames::Tableau);
    const int c = g.Cards(cGames::Tableau);
    const int type = g.HomeType();
    auto stockEmpty = [this] { return GetTop(cGames::StockArea, 0) < 0; };

    switch (type) {
    case 0: {
        const int open = g.CardsOpen();
        for (int k = 0; k < c; ++k)
            DealFromStock(cGames::Tableau, k % piles, k / piles, open <= 0 || k >= c - open);
        break;
    }
    case 1:
        dealRows(true);
        turnPileTops();
        break;
    case 7: dealRows(false); break;
    case 2:
        for (int k = 0; k < 52 && !stockEmpty(); ++k) {
            const int pile = Suit(GetTopPicID(cGames::StockArea, 0));
            DealFromStock(cGames::Tableau, pile, GetTop(cGames::Tableau, pile) + 1, true);
        }
        break;
    case 5:
        while (!stockEmpty()) {
            const int pile = static_cast<int>(roundHalfEven(DrawRandom() * (piles - 1)));
            DealFromStock(cGames::Tableau, pile, GetTop(cGames::Tableau, pile) + 1, true);
        }
        break;
    case 6:
        for (int k = 0; k < c; ++k)
            DealFromStock(cGames::Tableau, k % piles, k / piles, k / piles > 2 || k % piles > 3);
        break;
    case 8:
        for (int k = 0; k < c; ++k)
            DealFromStock(cGames::Tableau, k % piles, k / piles, (k / piles) % 2 == 1);
        break;
    case 9:
    case 10:
    case 11:
    case 12:
    case 13:
        for (int k = 0; k < c; ++k)
            DealFromStock(cGames::Tableau, k % piles, k / piles, openPile(type, k % piles, piles));
        turnPileTops();
        break;
    case 3:
    case 4:
    case 14:
    case 15:
        dealShaped(type);
        if (type == 15)
            turnPileTops();
        break;
    default: break;
    }
}

// ---- Placement --------------------------------------------------------------------

int cPlay::CardSpeed() const
{
    return scratch_ ? 1 : mCustomize::GetCardSpeed(ctx_);
}

void cPlay::AnimateCard(int card, int area, int pile, int pos, int speed, bool faceUp, bool vacate, bool dealt)
{
    checkCard(card);
    checkPlace(area, pile, pos);
    const cGames &g = ctx_.games();
    const std::int32_t x = g.GetCordX(area, pile, pos);
    const std::int32_t y = g.GetCordY(area, pile, pos);
    CardSurface &surface = ctx_.surface();
    const PicRef pic = cardPic(card);
    surface.bringToFront(pic);
    surface.setVisible(pic, true);
    // A hand-edited speed must not hold the board for minutes: the steps are capped.
    speed = hurried_ ? 0 : std::min(speed, mCustomize::kMaxSpeed);
    if (speed >= 1) {
        const auto l0 = static_cast<float>(surface.left(pic));
        const auto t0 = static_cast<float>(surface.top(pic));
        const auto fx = static_cast<float>(x);
        const auto fy = static_cast<float>(y);
        const auto fs = static_cast<float>(speed);
        for (int k = 1; k <= speed; ++k) {
            const auto fk = static_cast<float>(k);
            surface.move(pic, l0 + (fx - l0) * fk / fs, t0 + (fy - t0) * fk / fs);
            surface.animationStep(dealt ? 1.0 / speed : 1.0);
        }
    }
    surface.move(pic, x, y);
    SetLocation(card, area, pile, pos, faceUp, vacate);
    ChangeFaceMode(card, faceUp);
    surface.processEvents();
}

void cPlay::SetLocation(int card, int area, int pile, int pos, bool faceUp, bool vacate)
{
    CardRecord &r = record(card);
    // The new place is checked before the old one is given up, so a bad place changes nothing.
    checkPlace(area, pile, pos);
    if (vacate) {
        Grid &from = grid(r.Cell);
        from.piles[static_cast<std::size_t>(r.Pile)][static_cast<std::size_t>(r.Pos)] = -1;
        --top(r.Cell, r.Pile);
    }
    GrowPile(area, pos);
    grid(area).piles[static_cast<std::size_t>(pile)][static_cast<std::size_t>(pos)] = static_cast<std::int16_t>(card);
    ++top(area, pile);
    r.Cell = static_cast<std::int16_t>(area);
    r.Pile = static_cast<std::int16_t>(pile);
    r.Pos = static_cast<std::int16_t>(pos);
    r.FaceMode = faceUp;
}

void cPlay::checkPlace(int area, int pile, int pos) const
{
    const Grid &g = grid(area);
    checkIndex(pile, 0, std::min<std::int64_t>(static_cast<std::int64_t>(g.piles.size()), MaxPiles) - 1);
    checkIndex(pos, 0, g.lastPos() + 1);
}

void cPlay::GrowPile(int area, int pos)
{
    Grid &g = grid(area);
    if (g.lastPos() >= pos)
        return;
    for (auto &pile : g.piles)
        pile.push_back(-1);
}
