// The layout and rule switches of the game being played: one AreaDef per board area
// (0 tableau, 1 stock, 2 waste, 3 foundations, 4 free cells; record 5 stays zero) and
// the game-wide values. mStudio::BuildLayout fills it in one go when a game starts;
// the board changes only EmptyNum and StockNum. It also turns a board slot into
// screen coordinates. Before the first layout every value is zero and Tag is empty.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

#include "engine/AreaDef.h"

class Context;

class cGames {
public:
    // Board area numbers (the Cell of a slot).
    static constexpr int Tableau = 0;
    static constexpr int StockArea = 1;
    static constexpr int WasteArea = 2;
    static constexpr int Foundation = 3;
    static constexpr int FreeCell = 4;
    static constexpr int AreaCount = 6;

    explicit cGames(Context &ctx);

    // Group setters; each sets the listed values and nothing else. Values stored in
    // 16 bits raise the overflow error when they do not fit.
    void Home(std::int32_t piles, std::int32_t order, std::int32_t cards, std::int32_t ak, std::int32_t emptyNum,
              std::int32_t multiMove, std::int32_t startX, std::int32_t startY, std::int32_t pileWidth,
              std::int32_t posWidth, std::int32_t div, std::int32_t divWidth, std::int32_t pileOrder,
              std::int32_t cHomeType, std::int32_t cMultiOrder, std::int32_t suitType, std::int32_t cCardsOpen);
    void Stock(std::int32_t piles, std::int32_t stockMove, std::int32_t startX, std::int32_t startY,
               std::int32_t posWidth, std::int32_t stockNum, std::int32_t stockType);
    void Waste(std::int32_t piles, std::int32_t startX, std::int32_t startY, std::int32_t pileWidth, std::int32_t cards,
               std::int32_t posWidth);
    void Goal(std::int32_t piles, std::int32_t order, std::int32_t cards, std::int32_t goalType, std::int32_t ak,
              std::int32_t startX, std::int32_t startY, std::int32_t pileWidth, std::int32_t posWidth, std::int32_t div,
              std::int32_t divWidth, std::int32_t pileOrder);
    void Res(std::int32_t piles, std::int32_t cards, std::int32_t startX, std::int32_t startY, std::int32_t pileWidth,
             std::int32_t posWidth, std::int32_t div, std::int32_t divWidth, std::int32_t pileOrder,
             std::int32_t cResNum);
    void Ext(std::int32_t baseX, std::int32_t baseY, std::int32_t cards, std::int32_t cRedeals, const QString &tag,
             bool cDisAutoPlay, std::int32_t goalDiv);

    // The record of an area; a cell outside 0..5 raises the subscript error.
    const AreaDef &Area(int cell) const;
    std::int16_t Piles(int cell) const { return Area(cell).Piles; }
    std::int16_t Cards(int cell) const { return Area(cell).Cards; }
    std::int16_t AK(int cell) const { return Area(cell).AK; }
    // The order of the area; every pile of an area builds alike.
    std::int32_t Order(int cell, int pile) const;

    // The order for moving a group: its own, or the tableau's when that is 0.
    std::int32_t MultiOrder() const { return multiOrder_ != 0 ? multiOrder_ : areas_[Tableau].Order; }
    std::int32_t HomePileOrder() const { return areas_[Tableau].PileOrder; }
    bool MultiMove() const { return multiMove_ != 0; }
    std::int32_t GoalType() const { return goalType_; }
    std::int32_t StockType() const { return stockType_; }
    std::int32_t StockMove() const { return stockMove_; }
    QString Tag() const { return tag_; }
    std::int32_t HomeType() const { return homeType_; }
    std::int32_t SuitType() const { return suitType_; }
    std::int16_t TotalCards() const { return totalCards_; }
    std::int32_t BaseX() const { return baseX_; }
    std::int32_t BaseY() const { return baseY_; }
    bool DisAutoPlay() const { return disAutoPlay_; }
    std::int16_t EmptyNum() const { return emptyNum_; }
    void setEmptyNum(std::int32_t v);
    std::int16_t CardsOpen() const { return cardsOpen_; }
    std::int16_t StockNum() const { return stockNum_; }
    void setStockNum(std::int32_t v);
    std::int16_t GoalDiv() const { return goalDiv_; }
    std::int16_t ResNum() const { return resNum_; }
    std::int16_t Redeals() const { return redeals_; }

    // Screen coordinates (twips) of the top-left corner of a card at that slot. A
    // board value that would divide by zero raises the division error, a negative
    // stock or waste position the invalid-argument error, a result beyond 32 bits
    // the overflow error.
    std::int32_t GetCordX(int cell, int pile, int pos) const;
    std::int32_t GetCordY(int cell, int pile, int pos) const;

private:
    struct BoardPoint {
        std::int64_t x;
        std::int64_t y;
    };
    // The slot's position on the board, before the board is placed on the screen.
    BoardPoint BoardPosition(int cell, int pile, int pos) const;

    Context &ctx_;
    std::array<AreaDef, AreaCount> areas_{};
    std::int32_t goalType_ = 0;
    std::int16_t emptyNum_ = 0;
    std::int16_t resNum_ = 0;
    std::int16_t multiMove_ = 0;
    std::int16_t redeals_ = 0;
    std::int32_t stockType_ = 0;
    std::int32_t stockMove_ = 0;
    std::int32_t homeType_ = 0;
    std::int32_t multiOrder_ = 0;
    std::int32_t suitType_ = 0;
    QString tag_;
    std::int16_t cardsOpen_ = 0;
    std::int16_t totalCards_ = 0;
    std::int32_t baseX_ = 0;
    std::int32_t baseY_ = 0;
    bool disAutoPlay_ = false;
    std::int16_t stockNum_ = 0;
    std::int16_t goalDiv_ = 0;
};
