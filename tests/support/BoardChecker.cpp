#include "support/BoardChecker.h"

#include <sstream>
#include <vector>

#include "core/AppError.h"
#include "engine/DisplayList.h"
#include "engine/cGames.h"
#include "engine/cCustom.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "app/Context.h"

::testing::AssertionResult BoardIsConsistent(Context &ctx, const DisplayList &surface, bool checkPictures)
{
    const cPlay &play = ctx.play();
    const cGames &games = ctx.games();
    std::ostringstream problems;
    if (!play.Dealt()) {
        for (int a = 0; a < cPlay::Areas; ++a) {
            for (int p = 0; p < cPlay::MaxPiles; ++p) {
                if (play.GetTop(a, p) != -1)
                    problems << "no board, yet top(" << a << "," << p << ") is " << play.GetTop(a, p) << "\n";
            }
        }
        if (problems.str().empty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << problems.str();
    }

    try {
        const int n = play.TotalCards();
        std::vector<int> seen(static_cast<std::size_t>(n), 0);
        for (int a = 0; a < cPlay::Areas; ++a) {
            const int piles = games.Piles(a);
            for (int p = 0; p < cPlay::MaxPiles; ++p) {
                const int top = play.GetTop(a, p);
                if (p >= piles) {
                    if (top != -1)
                        problems << "unused pile (" << a << "," << p << ") has top " << top << "\n";
                    continue;
                }
                for (int q = 0; q <= top; ++q) {
                    const int id = play.GetPicID(a, p, q);
                    if (id < 0 || id >= n) {
                        problems << "gap or bad id " << id << " at (" << a << "," << p << "," << q << ")\n";
                        continue;
                    }
                    ++seen[static_cast<std::size_t>(id)];
                    const CardLocation at = play.GetLocation(id);
                    if (at.Cell != a || at.Pile != p || at.Pos != q)
                        problems << "card " << id << " lies at (" << a << "," << p << "," << q << ") but records ("
                                 << at.Cell << "," << at.Pile << "," << at.Pos << ")\n";
                    const PicRef pic{PicArray::Card, id};
                    const QRectF r = surface.absoluteRect(pic);
                    const int x = games.GetCordX(a, p, q);
                    int y = games.GetCordY(a, p, q);
                    // The layout spaces the face-down cards at the bottom of a tableau pile
                    // 60 twips apart; it answers their places as they were when dealt.
                    const int closed = a == 0 ? play.ClosedCards(p) : 0;
                    if (q < closed)
                        y = games.GetCordY(a, p, closed) - 60 * (closed - q);
                    if (checkPictures && (r.left() != x || r.top() != y))
                        problems << "card " << id << " shown at " << r.left() << "," << r.top() << " not " << x << ","
                                 << y << "\n";
                    if (r.width() != CardWidthTwips || r.height() != CardHeightTwips)
                        problems << "card " << id << " is " << r.width() << " x " << r.height() << "\n";
                    if (surface.carrierOf(pic))
                        problems << "card " << id << " still rides inside another card\n";
                    if (!surface.isShown(pic))
                        problems << "card " << id << " is not shown\n";
                    const CardPicture want = play.FaceMode(id) ? play.Face(id) : play.BackPicture();
                    if (!(surface.picture(pic) == want))
                        problems << "card " << id << " shows the wrong picture\n";
                    if (q > 0) {
                        const int below = play.GetPicID(a, p, q - 1);
                        if (below >= 0 && below < n && !surface.isAbove(pic, {PicArray::Card, below}))
                            problems << "card " << id << " is drawn below card " << below << "\n";
                    }
                }
            }
        }
        for (int id = 0; id < n; ++id) {
            if (seen[static_cast<std::size_t>(id)] != 1)
                problems << "card " << id << " occupies " << seen[static_cast<std::size_t>(id)] << " places\n";
        }
    } catch (const AppError &e) {
        problems << "error " << e.number() << " while checking: " << e.description().toStdString() << "\n";
    }
    if (problems.str().empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << problems.str();
}

BoardContext::BoardContext() : ctx(services())
{
    ctx.createSharedObjects();
    mStudio::InitProduct(ctx);
    ctx.gScreenWidth = 1920 * 15;
    ctx.gScreenHeight = 1080 * 15;
}

Services BoardContext::services()
{
    Services s;
    s.messages = &box;
    s.shellFolders = &home.folders();
    s.session = &session;
    s.soundPlayer = &sounds;
    s.surface = &surface;
    return s;
}

void BoardContext::load(const QString &game)
{
    ASSERT_TRUE(ctx.custom().Init(game)) << game.toStdString();
    session.name = game;
    mStudio::BuildLayout(ctx);
}

void BoardContext::deal(const QString &game, std::int64_t number)
{
    load(game);
    play().Init(GameNumber::fromNumber(number));
}

void BoardContext::dealWithClosedCards(std::int64_t number)
{
    load("Freecell");
    HomeValues h = homeOf(ctx.games());
    h.cardsOpen = 8;
    setHome(ctx.games(), h);
    play().Init(GameNumber::fromNumber(number));
}

void BoardContext::loadWithStock(int stockMove)
{
    load("Freecell");
    cGames &g = ctx.games();
    HomeValues h = homeOf(g);
    h.piles = 7;
    h.homeType = 1;
    setHome(g, h);
    g.Stock(1, stockMove, 1165, 0, 30, 2, 0);
    g.Waste(1, 2400, 0, 1115, 0, 30);
}

void BoardContext::playing()
{
    session.status = 1;
    session.running = true;
}

cPlay &BoardContext::play() const
{
    return ctx.play();
}

int BoardContext::find(int num, int suit) const
{
    for (int i = 0; i < play().TotalCards(); ++i) {
        if (play().Num(i) == num && play().Suit(i) == suit)
            return i;
    }
    return -1;
}

void BoardContext::place(int card, int area, int pile, bool faceUp, int dump)
{
    cPlay &p = play();
    const CardLocation at = p.GetLocation(card);
    if (at.Cell == area && at.Pile == pile && at.Pos == p.GetTop(area, pile)) {
        p.ChangeFaceMode(card, faceUp);
        return;
    }
    auto usable = [&](int j) { return !(at.Cell == 0 && at.Pile == j) && !(area == 0 && pile == j); };
    while (p.GetTop(at.Cell, at.Pile) > at.Pos) {
        int d = dump >= 0 && usable(dump) ? dump : -1;
        for (int j = 0; d < 0; ++j) {
            if (usable(j))
                d = j;
        }
        std::int32_t kind = 4;
        p.MoveCard(p.GetTopPicID(at.Cell, at.Pile), 0, d, p.GetTop(0, d) + 1, kind, 0, 0, true);
    }
    std::int32_t kind = 4;
    p.MoveCard(card, area, pile, p.GetTop(area, pile) + 1, kind, 0, 0, faceUp);
}

void BoardContext::empty(int area, int pile, int dump)
{
    cPlay &p = play();
    while (p.GetTop(area, pile) >= 0) {
        std::int32_t kind = 4;
        p.MoveCard(p.GetTopPicID(area, pile), 0, dump, p.GetTop(0, dump) + 1, kind, 0, 0, true);
    }
}

HomeValues homeOf(const cGames &g)
{
    const AreaDef &a = g.Area(0);
    return {a.Piles,     a.Order,      a.Cards,     a.AK,         g.EmptyNum(), g.MultiMove() ? 1 : 0,
            a.StartX,    a.StartY,     a.PileWidth, a.PosWidth,   a.Div,        a.DivWidth,
            a.PileOrder, g.HomeType(), 0,           g.SuitType(), g.CardsOpen()};
}

void setHome(cGames &g, const HomeValues &h)
{
    g.Home(h.piles, h.order, h.cards, h.ak, h.emptyNum, h.multiMove, h.startX, h.startY, h.pileWidth, h.posWidth, h.div,
           h.divWidth, h.pileOrder, h.homeType, h.multiOrder, h.suitType, h.cardsOpen);
}
