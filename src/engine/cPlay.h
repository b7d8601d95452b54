// The board of the game in play: one record per card, the card ids of every pile of
// every area, and the top of every pile. It shuffles and deals, decides what may move
// (the move rules) and moves cards (the one move primitive MoveCard), showing every card
// on the card surface. Kept true: every placed card occupies exactly one grid position,
// its record names that position, and the cards of a pile fill positions 0..top.
#pragma once

#include <QString>
#include <array>
#include <cstdint>
#include <vector>

#include "core/GameNumber.h"
#include "engine/CardSurface.h"
#include "engine/DealRandom.h"
#include "app/Seams.h"

class Context;
struct TransRecord;

struct CardRecord {
    std::int16_t Num = 0;      // rank: 0 Ace .. 12 King
    std::int16_t Suit = 0;     // 0..3
    std::int16_t Suitpile = 0; // which 13-card run of the pack the card belongs to
    bool FaceMode = false;     // face up
    std::int16_t reserved = 0;
    CardPicture Face;
    std::int16_t Cell = 0; // area
    std::int16_t Pile = 0;
    std::int16_t Pos = 0;
};

struct CardLocation {
    int Cell = 0;
    int Pile = 0;
    int Pos = 0;
};

// The drag state shared by the board window and the board, in twips.
struct DragState {
    int gPressX = 0, gPressY = 0;      // the pointer inside the pressed card at the press
    int gPressLeft = 0, gPressTop = 0; // the pressed card's place at the press
    int gDragCount = 0;                // cards riding on the lifted card
    bool gDragActive = false;          // a card is lifted
};

// What a press on a card may lift (the lift rule).
struct LiftDecision {
    enum class Kind : std::uint8_t {
        None,      // nothing is lifted
        Card,      // the card alone
        Run,       // the card with `riders` cards lying on it
        PlayStock, // nothing is lifted; the press plays the stock
    };
    Kind kind = Kind::None;
    int riders = 0;
    // False when the press was refused because the card is face down or the run is
    // longer than the free cells allow: the window then keeps its keyboard focus.
    bool focusToolbar = true;
};

class cPlay : public IBoardInfo {
public:
    static constexpr int Areas = 5;
    static constexpr int MaxPiles = 21;
    // Twips between riders shown below (or beside) the lifted card.
    static constexpr int RiderDown = 250;
    static constexpr int RiderAcross = 180;

    // A scratch board deals and moves on its context's display list only: no card
    // pictures, no sounds and no settings are asked for, so it can try a game's moves
    // apart from the table.
    explicit cPlay(Context &ctx, bool scratch = false);

    // Builds and deals the board for the game number, on the layout of gGames. Clears any
    // board left from before and cancels a drag first. A layout that cannot be dealt
    // raises err::BadDefinition before anything is placed; any later error leaves the
    // board cleared.
    void Init(const GameNumber &gameNumber);

    // --- Pointer input ---
    // Lifts the card (with the run on it) when the lift rule allows; true when lifted.
    bool MouseDown(int card, int area, int pile, int pos);
    // Carries the lifted card; any other card is ignored.
    void MouseMove(int card, int pile, int pos, double x, double y);
    // Drops the lifted card on the first slot that is hit and takes it, or sends it back;
    // a card released where it was lifted, or a release on another card, sends it back.
    // Without a lifted card it does nothing.
    void MouseUp(int card, int area, int pile, int pos);
    void DoubleClick(int card);
    DragState &drag() { return drag_; }
    const DragState &drag() const { return drag_; }
    // The riding card ids of the drag, bottom to top (index 0 is rider 1).
    const std::vector<int> &DragRiders() const { return riders_; }
    bool DragAcross() const { return across_; }
    // False when the last press was refused for a face-down card or a run over the limit:
    // the window then leaves its keyboard focus where it is.
    bool PressGivesFocus() const { return lastPressFocus_; }
    // While hurried (the program is closing), every card goes to its place in one step
    // and no move waits for the display, so an operation under way ends at once.
    bool Hurried() const { return hurried_; }
    void setHurried(bool hurried) { hurried_ = hurried; }
    // Puts the riders of a lifted card back on the board and forgets the drag.
    void CancelDrag();
    // The hit test of a dragged card against a slot: mode 0 tests the card's centre,
    // any other mode an overlap.
    bool IsOverSlot(int card, int area, int pile, int pos, int mode) const;
    // Sends the lifted card and its riders back to where the press found them.
    void SnapBack(int card);

    // --- Move rules ---
    // The rank and suit test of a moving card put onto a target card.
    bool CheckNum(int target, int moving, int direction, int suitRule, bool wrap) const;
    bool IsSameSuit(int a, int b) const { return Suit(a) == Suit(b); }
    bool IsDiffSuit(int a, int b) const { return Suit(a) != Suit(b); }
    bool IsSameColor(int a, int b) const { return Color(a) == Color(b); }
    bool IsDiffColor(int a, int b) const { return Color(a) != Color(b); }
    // True when the `count` cards lying on the card each follow the group order.
    bool IsMovableRun(int card, int count) const;
    LiftDecision LiftRule(int card, int area, int pile, int pos) const;
    // The drop rules for a lifted card taken from (fromArea, fromPile), carrying `riders` cards
    // (a tableau pile takes a run whole).
    bool TableauAccepts(int card, int fromArea, int fromPile, int pile) const;
    bool FreeCellAccepts(int riders, int cell) const;
    bool FoundationAccepts(int card, int riders, int fromArea, int fromPile, int pile) const;
    // Double-click and automatic moves: the first foundation that takes the card, -1 none.
    int FoundationFor(int card) const;
    // Double-click: the first empty free cell for a tableau top card, -1 none.
    int FreeCellFor(int card) const;
    // Why the rules refuse a recorded move on the board as it stands before it, "" when
    // they allow it: a move a player could make (the lift rule, then the drop rule of its
    // destination; automatic moves are such moves), a card the stock deals, a redeal of the
    // waste, or a card of a completed run leaving the tableau (`previous` is the move done
    // before it, which a run's later cards continue). `redeals` counts the redeals met so
    // far in the record; one beyond the game's limit breaks the rules.
    QString RuleBreak(const TransRecord &move, const TransRecord &previous, int &redeals) const;

    // --- Moving cards ---
    // Every change of a card's place: turns up the card it uncovers, records the move
    // (kind 4 records nothing), moves the card and its riders, then the automatic moves
    // and the win check. `kind` may come back as 3. A place other than the top of its pile
    // + 1 (or the card's own place), or a rider count (-1: none) other than the cards lying
    // on the card, raises the bounds error before anything changes.
    void MoveCard(int card, int area, int pile, int pos, std::int32_t &kind, int speed, int riders, bool faceUp);
    // At most one automatic move to the foundations (they chain through MoveCard).
    void AutoMoveCheck();
    bool AutoPlayCard(int card);
    // Stock play: one card onto every tableau pile, or the card onto the waste.
    void DealStockToHome();
    void TurnStockCard(int card);
    // The whole waste back onto the stock, as one undo step.
    void RedealWS();

    // --- Queries ---
    int Cell(int card) const { return record(card).Cell; }
    int Pile(int card) const { return record(card).Pile; }
    int Pos(int card) const { return record(card).Pos; }
    bool FaceMode(int card) const { return record(card).FaceMode; }
    int Num(int card) const { return record(card).Num; }
    int Suit(int card) const { return record(card).Suit; }
    int Suitpile(int card) const { return record(card).Suitpile; }
    int Color(int card) const { return Suit(card) == 1 || Suit(card) == 3 ? 1 : 0; }
    CardPicture Face(int card) const { return record(card).Face; }
    CardLocation GetLocation(int card) const;
    int GetTop(int area, int pile) const;
    int GetPicID(int area, int pile, int pos) const;
    // The bounds error for an empty pile.
    int GetTopPicID(int area, int pile) const;
    // Face-down cards among positions 0..top of a tableau pile; 0 without a board.
    int ClosedCards(int pile) const override;
    int TotalCards() const { return totalCards_; }
    // The value the shuffled deck gave card id i.
    int DeckCard(int card) const;
    int BaseNum() const { return baseNum_; }
    bool Dealt() const { return !records_.empty(); }
    const GameNumber &GameNo() const { return gameNumber_; }
    CardPicture BackPicture() const { return back_; }

    // --- Faces and backs ---
    // Shows the face or the back and keeps the flag.
    void ChangeFaceMode(int card, bool faceUp);
    // Takes the back of the design now chosen and puts it on every face-down card.
    void ChangeDecks();
    // Empties the board and the surface; cancels a drag.
    void ClearAll();

private:
    // A board grid: card ids by pile (one more than the area uses) and position.
    struct Grid {
        std::vector<std::vector<std::int16_t>> piles;
        int lastPos() const { return piles.empty() ? -1 : static_cast<int>(piles.front().size()) - 1; }
    };

    const CardRecord &record(int card) const;
    CardRecord &record(int card);
    void checkCard(int card) const;
    const Grid &grid(int area) const;
    Grid &grid(int area);
    std::int16_t &top(int area, int pile);
    PicRef cardPic(int card) const { return {PicArray::Card, card}; }
    bool wrap(int area) const;
    // The next value of the deal's generator, the game number mixed in first.
    double DrawRandom();

    // Init's steps.
    void CheckLayout() const;
    void CreateBoard();
    void ClearTops();
    void ShuffleDeck();
    void CreateCards();
    void SetGoalBase();
    void ShowSlots();
    void ShowGoalSlot(int pile, int n);
    void ShowHomeSlot(int pile, int n);
    void ShowResSlot(int pile);
    void ShowWasteSlot();
    void ShowStockSlot(int n);
    void showSlot(PicRef pic, int picture, int area, int pile);
    void SetupStock();
    void PutCard(int card, int area, int pile, int pos, bool faceUp);
    void DealWasteCards();
    void DealResCards();
    void DealHome();
    void DealFromStock(int area, int pile, int pos, bool faceUp);
    void dealRows(bool leftToRight);
    void dealShaped(int homeType);
    void turnPileTops();
    void UnloadControls(PicArray array);

    // Placement.
    // The speed of a double-click move and of the automatic moves: the stored "CardSpeed";
    // a scratch board reads no settings and moves in one step.
    int CardSpeed() const;
    // A dealt card's steps share one display frame, so a deal is seen card by card yet
    // over in about a second; every other move waits a frame per step.
    void AnimateCard(int card, int area, int pile, int pos, int speed, bool faceUp, bool vacate, bool dealt = false);
    void SetLocation(int card, int area, int pile, int pos, bool faceUp, bool vacate);
    void GrowPile(int area, int pos);
    // Raises the bounds error unless a card may be placed there (one past the grid grows it).
    void checkPlace(int area, int pile, int pos) const;

    // Pointer input.
    bool dropIn(int card, int mode);
    // Whether a Spider move to a foundation takes a card of a completed run off the tableau.
    bool takesRunHome(const TransRecord &move, const TransRecord &previous) const;

    Context &ctx_;
    std::array<Grid, Areas> grids_;
    std::array<std::array<std::int16_t, MaxPiles>, Areas> tops_{};
    std::vector<CardRecord> records_;
    std::vector<std::int16_t> deck_;
    GameNumber gameNumber_;
    int totalCards_ = 0;
    CardPicture back_;
    int baseNum_ = 0;
    DealRandom random_;

    DragState drag_;
    std::vector<int> riders_;
    bool across_ = false;
    int lifted_ = -1;
    bool lastPressFocus_ = true;
    bool scratch_ = false;
    bool hurried_ = false;
};
