// Speed of the board: dealing a Freecell game with zero animation pacing (one Init:
// shuffle, pictures, slots, stock and 52 dealt cards), on the bare display list and on a
// shown 1920 x 1080 board window that paints every step, and a full chain of automatic
// moves: 48 cards going up one after the other onto four foundations that take any card.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "engine/DisplayList.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "platform/ArtLibrary.h"
#include "platform/MessageBox.h"
#include "shell/BoardView.h"
#include "app/Context.h"
#include "support/BenchBoard.h"

namespace {

// Deals Freecell game after game on the board and reports deals per second.
void dealRepeatedly(Board &b, benchmark::State &state)
{
    b.ctx.custom().Init(QStringLiteral("Freecell"));
    mStudio::BuildLayout(b.ctx);
    std::int64_t number = 1;
    for (auto _ : state)
        b.ctx.play().Init(GameNumber::fromNumber(number++));
    state.counters["deals/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

void InitFreecell(benchmark::State &state)
{
    Board b;
    dealRepeatedly(b, state);
}

// The deal as the player sees it without pacing: every step of the 52 dealt cards is
// painted into the window's backing store and every placed card yields to the loop.
void InitFreecellShown(benchmark::State &state)
{
    Board b;
    ArtCardImages images(b.ctx.art());
    BoardView view(b.surface, images);
    view.setFramePacing(std::chrono::milliseconds(0));
    view.resize(1920, 1080);
    view.show();
    QApplication::processEvents();
    dealRepeatedly(b, state);
}

void AutoMoveChain(benchmark::State &state)
{
    Board b;
    cCustom &c = b.ctx.custom();
    c.Init(QStringLiteral("Freecell"));
    c.setGOrder(10); // any card onto any card
    c.setGCards(4);  // the four Aces start on the foundations
    mStudio::BuildLayout(b.ctx);
    std::int64_t number = 1;
    for (auto _ : state) {
        state.PauseTiming();
        b.ctx.play().Init(GameNumber::fromNumber(number++));
        b.ctx.engine().ClearTRANS();
        state.ResumeTiming();
        b.ctx.play().AutoMoveCheck();
        benchmark::DoNotOptimize(b.ctx.engine().GetTransTop());
    }
    if (b.ctx.engine().GetTransTop() != 48)
        state.SkipWithError("the chain did not move all 48 cards");
    state.counters["moves/s"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * 48, benchmark::Counter::kIsRate);
}

} // namespace

BENCHMARK(InitFreecell)->Unit(benchmark::kMicrosecond);
BENCHMARK(InitFreecellShown)->Unit(benchmark::kMillisecond);
BENCHMARK(AutoMoveChain)->Unit(benchmark::kMicrosecond);
