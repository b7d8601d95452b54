// Speed of the Moves Manager: opening it over a record of 2,000 moves (the list filled,
// the window shown and painted), and the jump it makes when its slider is dragged end to
// end: from the last of 500 moves back to the deal and forward again, on a shown
// 1920 x 1080 board that paints as the cards go.
#include <QApplication>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "app/Context.h"
#include "engine/DisplayList.h"
#include "engine/cCustom.h"
#include "engine/cEngine.h"
#include "engine/cGames.h"
#include "engine/cPlay.h"
#include "engine/mStudio.h"
#include "platform/ArtLibrary.h"
#include "platform/MessageBox.h"
#include "shell/BoardView.h"
#include "shell/frmQuickMove.h"
#include "support/BenchBoard.h"

namespace {

void OpenOver2000Moves(benchmark::State &state)
{
    Board b;
    QVector<TransRecord> records(2000);
    for (int i = 0; i < records.size(); ++i) {
        TransRecord &r = records[i];
        r.PicID = static_cast<std::int16_t>(i % 52);
        r.SCell = static_cast<std::int16_t>(i % 5);
        r.SPile = static_cast<std::int16_t>(i % 8);
        r.SPos = static_cast<std::int16_t>(i % 13);
        r.DCell = static_cast<std::int16_t>((i + 1) % 5);
        r.DPile = static_cast<std::int16_t>((i + 3) % 8);
        r.DPos = static_cast<std::int16_t>((i + 5) % 13);
        r.Multi = static_cast<std::int16_t>(i % 7 == 3 ? 1 : 0);
    }
    b.ctx.engine().SetRecords(records);
    for (auto _ : state) {
        frmQuickMove dlg(b.ctx);
        dlg.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(dlg.MarkedRow());
    }
}

// 500 recorded moves on a dealt Freecell board: the top card of pile 0 to free cell 0
// and back, again and again.
struct ShownBoard : Board {
    ShownBoard() : images(ctx.art()), view(surface, images)
    {
        view.setFramePacing(std::chrono::milliseconds(0));
        view.resize(1920, 1080);
        view.show();
        QApplication::processEvents();
        ctx.custom().Init(QStringLiteral("Freecell"));
        mStudio::BuildLayout(ctx);
        ctx.play().Init(GameNumber::fromNumber(617));
        ctx.engine().ClearTRANS();
        cPlay &play = ctx.play();
        const int card = play.GetTopPicID(cGames::Tableau, 0);
        const int pos = play.GetTop(cGames::Tableau, 0);
        for (int i = 0; i < 250; ++i) {
            std::int32_t kind = cEngine::KindPlain;
            play.MoveCard(card, cGames::FreeCell, 0, 0, kind, 0, 0, true);
            kind = cEngine::KindPlain;
            play.MoveCard(card, cGames::Tableau, 0, pos, kind, 0, 0, true);
        }
    }
    ArtCardImages images;
    BoardView view;
};

void MoveToDealAndBack(benchmark::State &state)
{
    ShownBoard b;
    cEngine &engine = b.ctx.engine();
    const bool back = state.range(0) == 0;
    for (auto _ : state) {
        if (back) {
            engine.MoveTo(0);
            state.PauseTiming();
            engine.MoveTo(500);
            state.ResumeTiming();
        } else {
            state.PauseTiming();
            engine.MoveTo(0);
            state.ResumeTiming();
            engine.MoveTo(500);
        }
    }
    if (engine.GetTransTop() != 500 || engine.GetTransID() != 500)
        state.SkipWithError("the record does not hold 500 moves");
}

} // namespace

BENCHMARK(OpenOver2000Moves)->Unit(benchmark::kMillisecond);
// Arg 0: from move 500 to the deal; arg 1: from the deal to move 500.
BENCHMARK(MoveToDealAndBack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
