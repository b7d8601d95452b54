// Speed of the board painting: a full dealt board (52 cards, 16 slots) on a 1920 x 1080
// table at device pixel ratio 1 and 2, and one drag frame: a card carrying 5 riders moved
// a few pixels, with only the changed area painted again.
#include <QApplication>
#include <QPainter>
#include <benchmark/benchmark.h>

#include "platform/ArtLibrary.h"
#include "shell/BoardView.h"

namespace {

const QSize screen(1920, 1080);

PicRef card(int i)
{
    return {PicArray::Card, i};
}

void show(DisplayList &list, PicRef pic, double left, double top, CardPicture picture)
{
    if (!list.isLoaded(pic))
        list.load(pic);
    list.move(pic, left, top);
    list.setPicture(pic, picture);
    list.setVisible(pic, true);
    list.bringToFront(pic);
}

// Four free cells and four foundations on top, eight tableau piles of 7 and 6 cards below.
void deal(DisplayList &list)
{
    for (int i = 0; i < 4; ++i) {
        if (i > 0) {
            list.load({PicArray::Res, i});
            list.load({PicArray::Right, i});
        }
        show(list, {PicArray::Res, i}, 1500 + i * 1300, 600, CardPicture::slot(14));
        show(list, {PicArray::Right, i}, 17000 + i * 1300, 600, CardPicture::slot(0));
    }
    for (int i = 0; i < 8; ++i) {
        if (i > 0)
            list.load({PicArray::Home, i});
        show(list, {PicArray::Home, i}, 4000 + i * 1300, 3000, CardPicture::slot(14));
    }
    for (int k = 0; k < 52; ++k)
        show(list, card(k), 4000 + (k % 8) * 1300, 3000 + (k / 8) * 250, CardPicture::face(k + 1));
}

QImage target(qreal ratio)
{
    QImage img(screen * ratio, QImage::Format_ARGB32_Premultiplied);
    img.setDevicePixelRatio(ratio);
    return img;
}

struct Board {
    explicit Board(qreal ratio) : images(art), view(list, images), image(target(ratio))
    {
        art.setDevicePixelRatio(ratio);
        deal(list);
        QImage table(screen * ratio, QImage::Format_ARGB32_Premultiplied);
        table.setDevicePixelRatio(ratio);
        art.PaintTile(table, art.TexturePicture(1));
        view.setBackgroundImage(table);
        view.setFramePacing(std::chrono::milliseconds(0));
        paint(QRegion(QRect(QPoint(0, 0), screen))); // fills the picture cache
    }

    void paint(const QRegion &region)
    {
        QPainter painter(&image);
        for (const QRect &r : region)
            view.paintBoard(painter, r);
    }

    ArtLibrary art;
    ArtCardImages images;
    DisplayList list;
    BoardView view;
    QImage image;
};

void FullBoard(benchmark::State &state)
{
    Board board(static_cast<qreal>(state.range(0)));
    const QRegion all(QRect(QPoint(0, 0), screen));
    for (auto _ : state) {
        board.paint(all);
        benchmark::ClobberMemory();
    }
}

// Lifts the top card of pile 0 with the five cards above it, as a drag does, then moves
// it back and forth by 3 pixels per frame.
void DragFrame(benchmark::State &state)
{
    Board board(static_cast<qreal>(state.range(0)));
    DisplayList &list = board.list;
    const PicRef lifted = card(8);
    for (int k = 1; k <= 5; ++k) {
        list.putInside(card(8 + 8 * k), lifted);
        list.move(card(8 + 8 * k), 0, 250 * k);
    }
    list.resize(lifted, 1065, 1440 + 250 * 5);
    list.bringToFront(lifted);
    board.view.clearPendingRegion();
    double step = 45;
    for (auto _ : state) {
        list.move(lifted, list.left(lifted) + step, list.top(lifted) + step);
        step = -step;
        board.paint(board.view.pendingRegion());
        board.view.clearPendingRegion();
        benchmark::ClobberMemory();
    }
}

// The same frame through the widget: a synchronous repaint into its backing store.
void DragFrameWidget(benchmark::State &state)
{
    ArtLibrary art;
    ArtCardImages images(art);
    DisplayList list;
    BoardView view(list, images);
    view.setFramePacing(std::chrono::milliseconds(0));
    view.resize(screen);
    deal(list);
    view.show();
    QApplication::processEvents();
    const PicRef lifted = card(8);
    for (int k = 1; k <= 5; ++k) {
        list.putInside(card(8 + 8 * k), lifted);
        list.move(card(8 + 8 * k), 0, 250 * k);
    }
    list.resize(lifted, 1065, 1440 + 250 * 5);
    list.bringToFront(lifted);
    view.repaint();
    double step = 45;
    for (auto _ : state) {
        list.move(lifted, list.left(lifted) + step, list.top(lifted) + step);
        step = -step;
        list.animationStep(1);
    }
}

} // namespace

BENCHMARK(FullBoard)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(DragFrame)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(DragFrameWidget)->Unit(benchmark::kMicrosecond);
