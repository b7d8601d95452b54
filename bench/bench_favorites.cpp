// The favourites at their largest expected size: 1,000 favourites in 50 folders of 20.
// BuildFavMenu reads every record and rebuilds the Favorites menu (it runs at start-up
// and after every write); the Organize Favorites window fills its tree from the same
// folders. Warm file cache; reported in milliseconds.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include "support/BenchRuns.h"
#include "app/Context.h"
#include "engine/mStudio.h"
#include "library/frmOrgFav.h"
#include "library/mFavorites.h"
#include "platform/MessageBox.h"
#include "platform/kMenu.h"
#include "shell/MenuImages.h"
#include "store/cData.h"
#include "support/BenchContext.h"

namespace {

struct Favourites : BenchContext {
    Favourites()
    {
        ctx.menu().AddStaticItem(QStringLiteral("mFavMain"), QStringLiteral("Favorites"), true);
        ctx.menu().setImageList(MenuImages::ImageList());
        const QString root = ctx.data().FavFolder();
        for (int f = 0; f < 50; ++f) {
            const QString folder = root + QStringLiteral("/Folder %1").arg(f);
            QDir().mkpath(folder);
            for (int i = 0; i < 20; ++i) {
                QFile file(folder + QStringLiteral("/Freecell - %1").arg(f * 20 + i));
                if (file.open(QIODevice::WriteOnly))
                    file.write(mFavorites::FavRecord(QStringLiteral("Freecell"), GameNumber::fromNumber(f * 20 + i),
                                                     QStringLiteral("Player1"), QDateTime({2026, 12, 9}, {14, 0})));
            }
        }
    }
};

void BuildFavMenu(benchmark::State &state)
{
    Favourites f;
    mFavorites::BuildFavMenu(f.ctx);
    for (auto _ : state)
        mFavorites::BuildFavMenu(f.ctx);
    // Menu items: the static menu, 50 folders and 1,000 favourites.
    const auto items = static_cast<std::int64_t>(f.ctx.menu().ItemCount());
    if (items < 1051)
        state.SkipWithError("the menu does not hold every favourite");
    state.counters["items"] = static_cast<double>(items);
}

void FillOrganizeWindow(benchmark::State &state)
{
    Favourites f;
    frmOrgFav window(f.ctx);
    int nodes = 0;
    for (auto _ : state) {
        window.FillFavTree();
        nodes = 0;
        for (QTreeWidgetItemIterator it(window.tvFav); *it; ++it)
            ++nodes;
    }
    if (nodes != 1051)
        state.SkipWithError("the tree does not hold every favourite");
    state.counters["nodes"] = nodes;
}

} // namespace

BENCHMARK(BuildFavMenu)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(10));
BENCHMARK(FillOrganizeWindow)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(10));
