// Lifting, dragging and dropping cards of a dealt board with the mouse on the board
// window: the pressed card follows the pointer, lands on the slot that takes it or goes
// back, and a lost capture cancels the drag. A small stand-in plays the main window's
// part between the board window and the board.
#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "core/Numbers.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "shell/BoardView.h"
#include "support/BoardChecker.h"

namespace {

PicRef pic(int card)
{
    return {PicArray::Card, card};
}

// Plain card-sized pictures, one colour per kind of picture.
struct PlainImages : CardImages {
    QImage image(const CardPicture &p, qreal ratio) override
    {
        QImage img(QSize(71, 96) * ratio, QImage::Format_ARGB32_Premultiplied);
        img.setDevicePixelRatio(ratio);
        img.fill(p.kind == CardPicture::Kind::Back ? Qt::blue : Qt::white);
        return img;
    }
};

// The main window's part of a press, a move and a release on a card picture.
class WindowStandIn {
public:
    WindowStandIn(BoardContext &t, BoardView &view) : t_(t)
    {
        BoardHandlers h;
        h.press = [this](PicRef p, Qt::MouseButton b, Qt::KeyboardModifiers, double x, double y) { press(p, b, x, y); };
        h.move = [this](PicRef p, Qt::MouseButtons, Qt::KeyboardModifiers, double x, double y) { move(p, x, y); };
        h.release = [this](PicRef p, Qt::MouseButton, Qt::KeyboardModifiers, double, double) { release(p); };
        h.captureLost = [this](PicRef) {
            ++lost;
            t_.play().CancelDrag();
        };
        view.setHandlers(std::move(h));
    }

    int lifted = 0;
    int released = 0;
    int lost = 0;

private:
    void press(PicRef p, Qt::MouseButton button, double x, double y)
    {
        if (p.array != PicArray::Card || button != Qt::LeftButton || !t_.session.running)
            return;
        cPlay &play = t_.play();
        DragState &d = play.drag();
        if (d.gDragActive)
            return;
        const int i = p.index;
        d.gDragCount = 0;
        d.gPressX = static_cast<int>(roundHalfEven(x));
        d.gPressY = static_cast<int>(roundHalfEven(y));
        d.gPressLeft = static_cast<int>(roundHalfEven(t_.surface.left(p)));
        d.gPressTop = static_cast<int>(roundHalfEven(t_.surface.top(p)));
        if (play.MouseDown(i, play.Cell(i), play.Pile(i), play.Pos(i)))
            ++lifted;
        QCoreApplication::processEvents();
    }

    void move(PicRef p, double x, double y)
    {
        cPlay &play = t_.play();
        if (p.array != PicArray::Card || !t_.session.running || !play.drag().gDragActive)
            return;
        play.MouseMove(p.index, play.Pile(p.index), play.Pos(p.index), x, y);
    }

    void release(PicRef p)
    {
        cPlay &play = t_.play();
        if (p.array != PicArray::Card || !t_.session.running || !play.drag().gDragActive)
            return;
        play.drag().gDragActive = false;
        play.MouseUp(p.index, play.Cell(p.index), play.Pile(p.index), play.Pos(p.index));
        ++released;
    }

    BoardContext &t_;
};

class BoardDrag : public ::testing::Test {
protected:
    BoardDrag() : view(t.surface, images), window(t, view)
    {
        view.setFramePacing(std::chrono::milliseconds(0));
        view.resize(1920, 1080);
        t.deal("Freecell", 1);
        t.playing();
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    cPlay &play() { return t.play(); }

    // The window pixel 10 x 10 pixels inside the top left corner of a board place in twips.
    static QPoint at(double left, double top)
    {
        return {static_cast<int>(left / BoardView::TwipsPerPixel) + 10,
                static_cast<int>(top / BoardView::TwipsPerPixel) + 10};
    }
    QPoint onCard(int card) const { return at(t.surface.left(pic(card)), t.surface.top(pic(card))); }
    QPoint onPlace(int area, int pile, int pos) const
    {
        const cGames &g = t.ctx.games();
        return at(g.GetCordX(area, pile, pos), g.GetCordY(area, pile, pos));
    }

    // Presses on the card, moves in a few steps to `to` and releases there.
    void drag(int card, QPoint to)
    {
        const QPoint from = onCard(card);
        QTest::mousePress(&view, Qt::LeftButton, {}, from);
        for (int k = 1; k <= 4; ++k)
            QTest::mouseMove(&view, from + (to - from) * k / 4);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
    }

    BoardContext t;
    PlainImages images;
    BoardView view;
    WindowStandIn window;
};

void stack(BoardContext &t, int pile, std::initializer_list<std::pair<int, int>> cards)
{
    t.empty(0, pile, 7);
    for (const auto &[num, suit] : cards)
        t.place(t.find(num, suit), 0, pile, true, 7);
}

} // namespace

TEST_F(BoardDrag, ACardDraggedOntoAFreeCellLandsThere)
{
    const int card = play().GetTopPicID(0, 0);
    drag(card, onPlace(4, 1, 0));
    EXPECT_EQ(window.lifted, 1);
    EXPECT_EQ(window.released, 1);
    EXPECT_EQ(play().Cell(card), 4);
    EXPECT_EQ(play().Pile(card), 1);
    EXPECT_FALSE(play().drag().gDragActive);
    EXPECT_FALSE(view.capturedPicture());
    // Automatic moves the drop sets off follow it in the record.
    ASSERT_GE(t.ctx.engine().GetTransTop(), 1);
    EXPECT_EQ(t.ctx.engine().PicID(1), card);
    EXPECT_TRUE(t.consistent());
}

TEST_F(BoardDrag, ARunIsCarriedAndDroppedOverTheCardOfThePileThatTakesIt)
{
    stack(t, 0, {{8, 0}, {7, 1}, {6, 2}});
    stack(t, 5, {{9, 3}});
    cPlay &p = play();
    const int nine = p.GetPicID(0, 0, 0);
    const int seven = p.GetPicID(0, 0, 2);
    const int target = p.GetTopPicID(0, 5);
    ASSERT_TRUE(t.consistent());

    const QPoint from = onCard(nine);
    const QPoint to = onPlace(0, 5, 1);
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    ASSERT_EQ(view.capturedPicture(), pic(nine));
    EXPECT_EQ(p.drag().gDragCount, 2);
    EXPECT_EQ(t.surface.carrierOf(pic(seven)), pic(nine));
    QTest::mouseMove(&view, (from + to) / 2);
    QTest::mouseMove(&view, to);
    // The pointer is over the target pile's card; the moves still reach the lifted card.
    EXPECT_EQ(t.surface.hitTest(to.x() * 15.0, to.y() * 15.0), pic(nine));
    EXPECT_NEAR(t.surface.absoluteRect(pic(seven)).top(), t.surface.top(pic(nine)) + 500, 0.01);
    QTest::mouseRelease(&view, Qt::LeftButton, {}, to);

    EXPECT_EQ(p.GetPicID(0, 5, 0), target);
    EXPECT_EQ(p.GetPicID(0, 5, 1), nine);
    EXPECT_EQ(p.GetPicID(0, 5, 3), seven);
    EXPECT_EQ(p.GetTop(0, 0), -1);
    EXPECT_EQ(t.ctx.engine().mCards(1), 2);
    EXPECT_TRUE(t.consistent());
}

TEST_F(BoardDrag, ACardDroppedWhereNothingTakesItGoesBack)
{
    cPlay &p = play();
    const int card = p.GetTopPicID(0, 0);
    const double left = t.surface.left(pic(card));
    const double top = t.surface.top(pic(card));
    // A tableau pile whose top card does not take it, and the bare table.
    int refusing = 1;
    while (p.TableauAccepts(card, 0, 0, refusing))
        ++refusing;
    ASSERT_LT(refusing, 8);
    for (const QPoint to : {onPlace(0, refusing, p.GetTop(0, refusing)), QPoint(40, 1000)}) {
        drag(card, to);
        EXPECT_EQ(p.Pile(card), 0);
        EXPECT_EQ(t.surface.left(pic(card)), left);
        EXPECT_EQ(t.surface.top(pic(card)), top);
        EXPECT_TRUE(t.consistent());
    }
    EXPECT_EQ(window.released, 2);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);
}

TEST_F(BoardDrag, AClickOnACardPutsItBack)
{
    // The free-cell card overlaps the place of the empty tableau pile below it.
    cPlay &p = play();
    t.place(p.GetTopPicID(0, 3), 4, 0);
    t.empty(0, 0, 7);
    const int card = p.GetTopPicID(4, 0);
    QTest::mouseClick(&view, Qt::LeftButton, {}, onCard(card));
    EXPECT_EQ(window.lifted, 1);
    EXPECT_EQ(p.Cell(card), 4);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);
    EXPECT_TRUE(t.consistent());
}

TEST_F(BoardDrag, ALostCaptureCancelsTheDrag)
{
    stack(t, 0, {{8, 0}, {7, 1}, {6, 2}});
    cPlay &p = play();
    const int nine = p.GetPicID(0, 0, 0);
    const QPoint from = onCard(nine);
    QTest::mousePress(&view, Qt::LeftButton, {}, from);
    QTest::mouseMove(&view, from + QPoint(300, 200));
    ASSERT_TRUE(p.drag().gDragActive);

    QEvent deactivate(QEvent::WindowDeactivate);
    QApplication::sendEvent(&view, &deactivate);
    EXPECT_EQ(window.lost, 1);
    EXPECT_FALSE(p.drag().gDragActive);
    EXPECT_TRUE(p.DragRiders().empty());
    EXPECT_TRUE(t.consistent());

    // The release that follows reaches no card.
    QTest::mouseRelease(&view, Qt::LeftButton, {}, from + QPoint(300, 200));
    EXPECT_EQ(window.released, 0);
    EXPECT_EQ(p.Pile(nine), 0);
    EXPECT_EQ(t.ctx.engine().GetTransTop(), 0);
    EXPECT_TRUE(t.consistent());
}
