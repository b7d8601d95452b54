#include "engine/cGames.h"

#include <cmath>

#include "core/AppError.h"
#include "core/Numbers.h"
#include "app/Context.h"

namespace {
// Every step of a board position is checked at 32 bits.
std::int32_t add32(std::int64_t a, std::int64_t b)
{
    return toInt32(a + b);
}

std::int32_t mul32(std::int64_t a, std::int64_t b)
{
    return toInt32(a * b);
}

// Face-down tableau cards sit closer together than the open ones above them.
constexpr std::int32_t kClosedCardOffset = 60;
// The foundations of "Petal" show their cards below the pile's first one.
constexpr std::int32_t kPetalDrop = 250;
// The board's first row lies this far below its top margin.
constexpr std::int32_t kTopMargin = 360;
} // namespace

cGames::cGames(Context &ctx) : ctx_(ctx) {}

void cGames::Home(std::int32_t piles, std::int32_t order, std::int32_t cards, std::int32_t ak, std::int32_t emptyNum,
                  std::int32_t multiMove, std::int32_t startX, std::int32_t startY, std::int32_t pileWidth,
                  std::int32_t posWidth, std::int32_t div, std::int32_t divWidth, std::int32_t pileOrder,
                  std::int32_t cHomeType, std::int32_t cMultiOrder, std::int32_t suitType, std::int32_t cCardsOpen)
{
    AreaDef &a = areas_[Tableau];
    a.Piles = toInt16(piles);
    a.Order = order;
    a.Cards = toInt16(cards);
    a.AK = toInt16(ak);
    emptyNum_ = toInt16(emptyNum);
    multiMove_ = toInt16(multiMove);
    a.StartX = startX;
    a.StartY = startY;
    a.PileWidth = pileWidth;
    a.PosWidth = posWidth;
    a.Div = toInt16(div);
    a.DivWidth = divWidth;
    a.PileOrder = pileOrder;
    homeType_ = cHomeType;
    multiOrder_ = cMultiOrder;
    suitType_ = suitType;
    cardsOpen_ = toInt16(cCardsOpen);
}

void cGames::Stock(std::int32_t piles, std::int32_t stockMove, std::int32_t startX, std::int32_t startY,
                   std::int32_t posWidth, std::int32_t stockNum, std::int32_t stockType)
{
    AreaDef &a = areas_[StockArea];
    a.Piles = toInt16(piles);
    stockMove_ = stockMove;
    a.StartX = startX;
    a.StartY = startY;
    a.PosWidth = posWidth;
    stockNum_ = toInt16(stockNum);
    stockType_ = stockType;
}

void cGames::Waste(std::int32_t piles, std::int32_t startX, std::int32_t startY, std::int32_t pileWidth,
                   std::int32_t cards, std::int32_t posWidth)
{
    AreaDef &a = areas_[WasteArea];
    a.Piles = toInt16(piles);
    a.StartX = startX;
    a.StartY = startY;
    a.PileWidth = pileWidth;
    a.Cards = toInt16(cards);
    a.PosWidth = posWidth;
}

void cGames::Goal(std::int32_t piles, std::int32_t order, std::int32_t cards, std::int32_t goalType, std::int32_t ak,
                  std::int32_t startX, std::int32_t startY, std::int32_t pileWidth, std::int32_t posWidth,
                  std::int32_t div, std::int32_t divWidth, std::int32_t pileOrder)
{
    AreaDef &a = areas_[Foundation];
    a.Piles = toInt16(piles);
    a.Order = order;
    a.Cards = toInt16(cards);
    goalType_ = goalType;
    a.AK = toInt16(ak);
    a.StartX = startX;
    a.StartY = startY;
    a.PileWidth = pileWidth;
    a.PosWidth = posWidth;
    a.Div = toInt16(div);
    a.DivWidth = divWidth;
    a.PileOrder = pileOrder;
}

void cGames::Res(std::int32_t piles, std::int32_t cards, std::int32_t startX, std::int32_t startY,
                 std::int32_t pileWidth, std::int32_t posWidth, std::int32_t div, std::int32_t divWidth,
                 std::int32_t pileOrder, std::int32_t cResNum)
{
    AreaDef &a = areas_[FreeCell];
    a.Piles = toInt16(piles);
    a.Cards = toInt16(cards);
    a.StartX = startX;
    a.StartY = startY;
    a.PileWidth = pileWidth;
    a.PosWidth = posWidth;
    a.Div = toInt16(div);
    a.DivWidth = divWidth;
    a.PileOrder = pileOrder;
    resNum_ = toInt16(cResNum);
}

void cGames::Ext(std::int32_t baseX, std::int32_t baseY, std::int32_t cards, std::int32_t cRedeals, const QString &tag,
                 bool cDisAutoPlay, std::int32_t goalDiv)
{
    baseX_ = baseX;
    baseY_ = baseY;
    totalCards_ = toInt16(cards);
    redeals_ = toInt16(cRedeals);
    tag_ = tag;
    disAutoPlay_ = cDisAutoPlay;
    goalDiv_ = toInt16(goalDiv);
}

const AreaDef &cGames::Area(int cell) const
{
    checkIndex(cell, 0, AreaCount - 1);
    return areas_[static_cast<std::size_t>(cell)];
}

std::int32_t cGames::Order(int cell, int /*pile*/) const
{
    return Area(cell).Order;
}

void cGames::setEmptyNum(std::int32_t v)
{
    emptyNum_ = toInt16(v);
}

void cGames::setStockNum(std::int32_t v)
{
    stockNum_ = toInt16(v);
}

cGames::BoardPoint cGames::BoardPosition(int cell, int pile, int pos) const
{
    const AreaDef &a = Area(cell);
    if (cell == StockArea || cell == WasteArea) {
        // The stock and the waste stack diagonally, one step for every few cards.
        if (pos < 0)
            raiseError(err::InvalidCall);
        const std::int64_t step = roundHalfEven(std::sqrt(static_cast<double>(pos))) / 2;
        const std::int32_t shift = mul32(step, a.PosWidth);
        return {add32(a.StartX, -static_cast<std::int64_t>(shift)), add32(a.StartY, -static_cast<std::int64_t>(shift))};
    }

    if (a.Div == 0)
        raiseError(err::DivisionByZero);
    const std::int32_t column = pile % a.Div;
    const std::int32_t row = pile / a.Div;
    const std::int32_t x = add32(a.StartX, mul32(column, a.PileWidth));

    const int closed = cell == Tableau ? ctx_.board().ClosedCards(pile) : 0;
    std::int32_t y;
    if (closed >= 1) {
        y = add32(a.StartY, mul32(kClosedCardOffset, closed));
        y = add32(y, mul32(static_cast<std::int64_t>(pos) - closed, a.PosWidth));
    } else {
        y = add32(a.StartY, mul32(pos, a.PosWidth));
    }
    y = add32(y, mul32(row, a.DivWidth));

    if (cell == Foundation && pos >= 1 && ctx_.session().GameName() == QLatin1String("Petal"))
        y = add32(y, kPetalDrop);
    return {x, y};
}

std::int32_t cGames::GetCordX(int cell, int pile, int pos) const
{
    const std::int64_t x = BoardPosition(cell, pile, pos).x;
    const std::int32_t margin = toInt32(static_cast<std::int64_t>(ctx_.gScreenWidth) - baseX_);
    return toInt32(roundHalfEven(static_cast<double>(margin) / 2.0 + static_cast<double>(x)));
}

std::int32_t cGames::GetCordY(int cell, int pile, int pos) const
{
    const std::int64_t y = BoardPosition(cell, pile, pos).y;
    return add32(add32(baseY_, kTopMargin), y);
}
