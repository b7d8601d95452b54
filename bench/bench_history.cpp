// Opening the game history window on a record of 32,000 moves, most of them undone:
// the window is built, its rows loaded and shown offscreen with the current move
// scrolled into view. Reported in milliseconds per opening; the median of the runs.
#include <QApplication>
#include <QTemporaryDir>
#include <QTreeView>
#include <benchmark/benchmark.h>

#include "support/BenchRuns.h"
#include "app/Context.h"
#include "engine/cEngine.h"
#include "engine/mStudio.h"
#include "platform/MessageBox.h"
#include "scores/frmHistory.h"
#include "support/BenchContext.h"

namespace {

class LongGame : public NullSessionInfo {
public:
    QString GameName() const override { return QStringLiteral("Freecell"); }
    int Game_Status() const override { return 1; }
    GameNumber GameNo() const override { return GameNumber::fromNumber(617); }
};

struct Record : SessionPart<LongGame>, BenchContext {
    Record() : BenchContext(services(*this))
    {
        QVector<TransRecord> moves(32000);
        for (int n = 0; n < moves.size(); ++n) {
            TransRecord &m = moves[n];
            m.PicID = static_cast<std::int16_t>(n % 52 + 1);
            m.SCell = static_cast<std::int16_t>(n % 5);
            m.SPile = static_cast<std::int16_t>(n % 8);
            m.SPos = static_cast<std::int16_t>(n % 19);
            m.DCell = static_cast<std::int16_t>((n + 2) % 5);
            m.DPile = static_cast<std::int16_t>((n + 3) % 8);
            m.DPos = static_cast<std::int16_t>(n % 13);
            m.mCards = static_cast<std::int16_t>(n % 4);
        }
        ctx.engine().SetRecords(moves);
    }
};

void OpenHistory(benchmark::State &state)
{
    Record r;
    int rows = 0;
    for (auto _ : state) {
        frmHistory window(r.ctx);
        window.show();
        QApplication::processEvents();
        rows = window.lvHistory->model()->rowCount();
    }
    if (rows != 32000)
        state.SkipWithError("the window did not list 32,000 moves");
    state.counters["rows"] = rows;
}

} // namespace

BENCHMARK(OpenHistory)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(1))->Repetitions(benchRuns(9));
