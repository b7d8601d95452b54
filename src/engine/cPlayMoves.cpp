// Moving cards: the one move primitive, the automatic moves to the foundations and
// the stock operations.
#include <algorithm>

#include "appearance/cSound.h"
#include "core/AppError.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "app/Context.h"
#include "store/mOptions.h"

namespace {
constexpr int kFullPileTop = 12;
constexpr int kRunLength = 13;
constexpr int kSlotNoRedeal = 15;

bool isSpider(const cGames &g)
{
    return g.Tag() == QLatin1String("Spider");
}

// Keeps a move group of the move record open for its lifetime, so an error inside the
// group still closes it.
class MoveGroup {
public:
    explicit MoveGroup(cEngine &engine) : engine_(engine) { engine_.StartMulti(); }
    ~MoveGroup()
    {
        if (open_) {
            try {
                engine_.EndMulti();
            } catch (...) {
                // Already unwinding from the error that ended the group.
            }
        }
    }
    MoveGroup(const MoveGroup &) = delete;
    MoveGroup &operator=(const MoveGroup &) = delete;
    void close()
    {
        open_ = false;
        engine_.EndMulti();
    }

private:
    cEngine &engine_;
    bool open_ = true;
};
} // namespace

void cPlay::MoveCard(int card, int area, int pile, int pos, std::int32_t &kind, int speed, int riders, bool faceUp)
{
    const cGames &g = ctx_.games();
    if (!isSpider(g) && area == cGames::Foundation && GetTop(cGames::Foundation, pile) == kFullPileTop)
        return;
    const CardLocation from = GetLocation(card);
    checkPlace(area, pile, pos);
    // A card lands on top of its pile (or stays where it is); any other place would leave a
    // gap or cover a card, so it is refused before anything changes.
    const bool samePile = from.Cell == area && from.Pile == pile;
    if (pos != (samePile ? from.Pos : GetTop(area, pile) + 1))
        raiseError(err::Subscript);

    // The riding cards are exactly the ones lying on the card now (a count of -1 means none):
    // leaving one behind would open a gap in its pile, so any other count is refused before
    // anything changes.
    if (std::max(riders, 0) != GetTop(from.Cell, from.Pile) - from.Pos)
        raiseError(err::Subscript);
    std::vector<int> ride;
    for (int i = 1; i <= riders; ++i)
        ride.push_back(GetPicID(from.Cell, from.Pile, from.Pos + i));

    // A face-down card the move uncovers is turned up and the move recorded as kind 3. The
    // record reads the source place from the board, so it is written before the move, and
    // before the turn, so a record that cannot grow leaves the board as it was.
    int uncovered = -1;
    if (kind != cEngine::KindReplay && from.Cell == cGames::Tableau && from.Pos > 0) {
        const int below = GetPicID(cGames::Tableau, from.Pile, from.Pos - 1);
        if (!FaceMode(below)) {
            kind = cEngine::KindUncovered;
            uncovered = below;
        }
    }
    if (kind != cEngine::KindReplay)
        ctx_.engine().SaveTrans(card, area, pile, pos, riders, kind);
    if (uncovered >= 0)
        ChangeFaceMode(uncovered, true);

    AnimateCard(card, area, pile, pos, speed, faceUp, true);
    CardSurface &surface = ctx_.surface();
    for (std::size_t i = 0; i < ride.size(); ++i) {
        surface.putOnBoard(cardPic(ride[i]));
        AnimateCard(ride[i], area, pile, pos + static_cast<int>(i) + 1, 0, faceUp, true);
    }

    if (kind != cEngine::KindReplay && kind != cEngine::KindTurnedDown)
        AutoMoveCheck();
    if (ctx_.session().Game_Running())
        ctx_.session().CheckGameWon();
}

void cPlay::AutoMoveCheck()
{
    ISessionInfo &session = ctx_.session();
    if (session.Game_Status() != 1 || !Dealt())
        return;
    const cGames &g = ctx_.games();

    if (!isSpider(g)) {
        if (g.DisAutoPlay() || mOptions::GetAutoPlay(ctx_) == 0)
            return;
        auto tryPile = [this](int area, int pile) {
            return GetTop(area, pile) >= 0 && AutoPlayCard(GetTopPicID(area, pile));
        };
        for (int i = 0; i < g.Piles(cGames::Tableau); ++i) {
            if (tryPile(cGames::Tableau, i))
                return;
        }
        for (int i = 0; i < g.Piles(cGames::FreeCell); ++i) {
            if (tryPile(cGames::FreeCell, i))
                return;
        }
        if (g.Piles(cGames::WasteArea) > 0 && tryPile(cGames::WasteArea, 0))
            return;
        if (g.StockType() == 1 && g.Piles(cGames::StockArea) > 0)
            tryPile(cGames::StockArea, 0);
        return;
    }

    // Spider: a complete run from the base rank up to the King leaves the tableau whole.
    const int order = g.MultiOrder();
    const bool w = wrap(cGames::Tableau);
    for (int i = 0; i < g.Piles(cGames::Tableau) && session.Game_Running(); ++i) {
        const int t = GetTop(cGames::Tableau, i);
        if (t < kRunLength - 1)
            continue;
        int inOrder = 1;
        for (int q = t; q > 0 && inOrder < kRunLength; --q) {
            if (!mStudio::CheckOrder(ctx_, GetPicID(cGames::Tableau, i, q - 1), GetPicID(cGames::Tableau, i, q), order,
                                     w))
                break;
            ++inOrder;
        }
        const int topCard = GetPicID(cGames::Tableau, i, t);
        if (Num(topCard) != baseNum_ || inOrder < kRunLength)
            continue;
        int goal = Suitpile(topCard);
        if (g.GoalDiv() != 0)
            goal %= g.GoalDiv();
        MoveGroup group(ctx_.engine());
        for (int k = 0; k < kRunLength && session.Game_Running(); ++k) {
            std::int32_t kind = cEngine::KindPlain;
            MoveCard(GetTopPicID(cGames::Tableau, i), cGames::Foundation, goal, GetTop(cGames::Foundation, goal) + 1,
                     kind, CardSpeed(), 0, true);
        }
        group.close();
    }
}

bool cPlay::AutoPlayCard(int card)
{
    const int a = FoundationFor(card);
    if (a < 0)
        return false;
    std::int32_t kind = cEngine::KindPlain;
    MoveCard(card, cGames::Foundation, a, GetTop(cGames::Foundation, a) + 1, kind, CardSpeed(), 0, true);
    ctx_.sound().AutoPlay();
    return true;
}

void cPlay::DealStockToHome()
{
    MoveGroup group(ctx_.engine());
    for (int i = 0; i < ctx_.games().Piles(cGames::Tableau) && GetTop(cGames::StockArea, 0) >= 0; ++i) {
        std::int32_t kind = cEngine::KindTurnedUp;
        MoveCard(GetTopPicID(cGames::StockArea, 0), cGames::Tableau, i, GetTop(cGames::Tableau, i) + 1, kind, 2, 0,
                 true);
    }
    group.close();
}

void cPlay::TurnStockCard(int card)
{
    std::int32_t kind = cEngine::KindTurnedUp;
    MoveCard(card, cGames::WasteArea, 0, GetTop(cGames::WasteArea, 0) + 1, kind, 1, -1, true);
}

void cPlay::RedealWS()
{
    ISessionInfo &session = ctx_.session();
    session.setRedealsComp(session.RedealsComp() + 1);
    {
        MoveGroup group(ctx_.engine());
        const int cards = GetTop(cGames::WasteArea, 0) + 1;
        for (int k = 0; k < cards && GetTop(cGames::WasteArea, 0) >= 0; ++k) {
            std::int32_t kind = cEngine::KindTurnedDown;
            MoveCard(GetTopPicID(cGames::WasteArea, 0), cGames::StockArea, 0, GetTop(cGames::StockArea, 0) + 1, kind, 2,
                     0, false);
        }
        group.close();
    }
    cGames &g = ctx_.games();
    if (session.RedealsComp() == g.Redeals()) {
        ctx_.surface().setPicture({PicArray::Stock, 0}, CardPicture::slot(kSlotNoRedeal));
        g.setStockNum(1);
    }
}
