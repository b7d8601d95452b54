// Opening the auto-save browser on a full auto-save folder: 10,000 auto-saved games,
// 5,000 incomplete and 5,000 finished, each with 100 moves. The window is built, filled
// from every file's header and shown offscreen; the folder is read once beforehand, so
// the figure is for a warm file cache. Reported in milliseconds per opening.
#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include "support/BenchRuns.h"
#include "app/Context.h"
#include "core/GameNumber.h"
#include "core/TextFile.h"
#include "engine/cEngine.h"
#include "engine/mStudio.h"
#include "library/frmAutoSave.h"
#include "library/mAutoSave.h"
#include "platform/MessageBox.h"
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

struct Folder : SessionPart<Freecell>, BenchContext {
    Folder() : BenchContext(services(*this))
    {
        QByteArray bytes = ctx.engine().SavedGameBytes();
        for (int m = 0; m < 100; ++m) {
            QString line;
            for (const int v : {m % 52 + 1, 2, m % 8 + 1, 3, 3, 0, 1, 1, 0, 0})
                line += TextFile::printed(v);
            bytes += line.toLatin1() + "\r\n";
        }
        const QString dir = ctx.data().AutoSaveFolder();
        for (int i = 0; i < 5000; ++i) {
            for (const QString &ext : {ctx.data().IncExt(), ctx.data().FinExt()}) {
                QFile file(dir + QStringLiteral("/Freecell-%1").arg(i) + ext);
                if (file.open(QIODevice::WriteOnly))
                    file.write(bytes);
            }
        }
    }
};

void OpenAutoSaveBrowser(benchmark::State &state)
{
    Folder f;
    // Warm the cache: every file is read once before the measured openings.
    benchmark::DoNotOptimize(frmAutoSave(f.ctx).lvFin->topLevelItemCount());
    int rows = 0;
    for (auto _ : state) {
        frmAutoSave browser(f.ctx);
        browser.show();
        QApplication::processEvents();
        rows = browser.lvInc->topLevelItemCount() + browser.lvFin->topLevelItemCount();
    }
    if (rows != 10000)
        state.SkipWithError("the browser did not list 10,000 games");
    state.counters["rows"] = rows;
}

} // namespace

BENCHMARK(OpenAutoSaveBrowser)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(5));
