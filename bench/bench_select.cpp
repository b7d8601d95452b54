// The game selection window on full folders: 5,000 saved games and 5,000 incomplete
// auto-saved games, each with 100 moves. Measured offscreen with a warm file cache:
// opening the window on "Saved Games" (first in the run, when no header is known and the
// entries are listed under their titles while a worker reads the headers; the same until
// every header has been filled in; and again, when unchanged files are not read),
// switching to "Incomplete AutoSave", and choosing an entry (its details, rules and preview).
// Reported in milliseconds; run with --benchmark_repetitions for medians.
#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include "support/BenchRuns.h"
#include "app/Context.h"
#include "core/TextFile.h"
#include "engine/cEngine.h"
#include "engine/mStudio.h"
#include "library/frmSelect.h"
#include "library/mSelect.h"
#include "store/SavedHeaders.h"
#include "store/cData.h"
#include "support/BenchContext.h"

namespace {

class Freecell : public NullSessionInfo {
public:
    QString GameName() const override { return QStringLiteral("Freecell"); }
    GameNumber GameNo() const override { return GameNumber::fromNumber(617); }
    std::int32_t Time() const override { return 754; }
    std::int16_t Moves() const override { return 100; }
    std::int16_t Score() const override { return 240; }
    std::int16_t Percentage() const override { return 46; }
};

struct Folders : SessionPart<Freecell>, BenchContext {
    Folders() : BenchContext(services(*this))
    {
        QByteArray bytes = ctx.engine().SavedGameBytes();
        for (int m = 0; m < 100; ++m) {
            QString line;
            for (const int v : {m % 52 + 1, 2, m % 8 + 1, 3, 3, 0, 1, 1, 0, 0})
                line += TextFile::printed(v);
            bytes += line.toLatin1() + "\r\n";
        }
        for (const QString &dir : {ctx.data().SavedFolder(), ctx.data().AutoSaveFolder()}) {
            for (int i = 0; i < 5000; ++i) {
                QFile file(dir + QStringLiteral("/Freecell-%1").arg(i) + ctx.data().IncExt());
                if (file.open(QIODevice::WriteOnly))
                    file.write(bytes);
            }
        }
        mSelect::SaveLastCategory(ctx, QStringLiteral("Save"));
    }
};

void chooseCategory(frmSelect &w, const QString &key)
{
    w.lvMain->setCurrentRow(static_cast<int>(mSelect::CategoryKeys().indexOf(key)));
}

Folders &folders()
{
    static Folders f;
    return f;
}

// Opens the game selection, shown, and gives how many entries its tree lists.
qsizetype openAndCount(Folders &f)
{
    frmSelect w(f.ctx);
    w.show();
    QApplication::processEvents();
    return w.tree().nodes.size();
}

void OpenOnSavedGames(benchmark::State &state)
{
    Folders &f = folders();
    // Warm the cache: every file is read once before the measured openings.
    benchmark::DoNotOptimize(frmSelect(f.ctx).tree().nodes.size());
    qsizetype nodes = 0;
    for (auto _ : state)
        nodes = openAndCount(f);
    if (nodes != 5001)
        state.SkipWithError("the window did not list 5,000 saved games");
    state.counters["nodes"] = static_cast<double>(nodes);
}

// The first opening in a run: no header is known yet, every file is read.
void OpenOnSavedGamesFirst(benchmark::State &state)
{
    Folders &f = folders();
    qsizetype nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        f.ctx.savedHeaders().clear();
        state.ResumeTiming();
        nodes = openAndCount(f);
    }
    if (nodes != 5001)
        state.SkipWithError("the window did not list 5,000 saved games");
}

// The first opening until every header has been read and shown.
void OpenOnSavedGamesFirstAllRead(benchmark::State &state)
{
    Folders &f = folders();
    bool complete = true;
    for (auto _ : state) {
        state.PauseTiming();
        f.ctx.savedHeaders().clear();
        state.ResumeTiming();
        frmSelect w(f.ctx);
        w.show();
        while (w.readingHeaders())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents);
        complete = complete && mSelect::PendingPaths(w.tree()).isEmpty();
    }
    if (!complete)
        state.SkipWithError("a header was not filled in");
}

void SwitchToIncompleteAutoSave(benchmark::State &state)
{
    Folders &f = folders();
    frmSelect w(f.ctx);
    w.show();
    chooseCategory(w, QStringLiteral("Inc"));
    qsizetype nodes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        chooseCategory(w, QStringLiteral("Save"));
        QApplication::processEvents();
        state.ResumeTiming();
        chooseCategory(w, QStringLiteral("Inc"));
        QApplication::processEvents();
        nodes = w.tree().nodes.size();
    }
    if (nodes != 5001)
        state.SkipWithError("the window did not list 5,000 incomplete games");
}

void ChooseAnEntry(benchmark::State &state)
{
    Folders &f = folders();
    frmSelect w(f.ctx);
    w.show();
    chooseCategory(w, QStringLiteral("Inc"));
    QTreeWidgetItem *root = w.tvRight->topLevelItem(0);
    int i = 0;
    for (auto _ : state) {
        w.tvRight->setCurrentItem(root->child(i));
        QApplication::processEvents();
        i = (i + 997) % root->childCount();
    }
    if (f.ctx.gSelectGameName != QLatin1String("Freecell"))
        state.SkipWithError("no game was chosen");
}

} // namespace

BENCHMARK(OpenOnSavedGamesFirst)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(5));
BENCHMARK(OpenOnSavedGamesFirstAllRead)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(5));
BENCHMARK(OpenOnSavedGames)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(5));
BENCHMARK(SwitchToIncompleteAutoSave)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(5));
BENCHMARK(ChooseAnEntry)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(50));
