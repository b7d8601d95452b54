// Speed of the appearance dialogs: the card-back dialog opened on each stored design
// (fresh picture component, so nothing is cached) and a click on every design, which
// must only ask the worker and return.
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

#include "app/Context.h"
#include "appearance/frmCardDeck.h"
#include "appearance/mCustomize.h"
#include "engine/mStudio.h"
#include "platform/ArtLibrary.h"
#include "platform/MessageBox.h"
#include "platform/ShellFolders.h"

namespace {

class SilentBox : public IMessageBox {
protected:
    MsgResult ask(const QString &, MsgButtons, MsgIcon, const QString &) override { return MsgResult::Ok; }
    QString askText(const QString &, const QString &, const QString &) override { return {}; }
};

struct Home {
    Home()
        : folders(FixedShellFolders::underHome(home.path())), ctx([this] {
              Services s;
              s.messages = &box;
              s.shellFolders = &folders;
              return s;
          }())
    {
        ctx.createSharedObjects();
        mStudio::InitProduct(ctx);
    }

    QTemporaryDir home;
    FixedShellFolders folders;
    SilentBox box;
    Context ctx;
};

// Opening the dialog until it is on screen, for the design in range(0); the preview
// follows from the worker.
void CardDeckShown(benchmark::State &state)
{
    Home h;
    mCustomize::SetDeckIndex(h.ctx, static_cast<std::int16_t>(state.range(0)));
    for (auto _ : state) {
        frmCardDeck dlg(h.ctx);
        dlg.show();
        QApplication::processEvents();
    }
}

// The longest a click on one design holds the dialog, clicking through all of them.
void CardDeckClickThrough(benchmark::State &state)
{
    Home h;
    double worst = 0;
    for (auto _ : state) {
        state.PauseTiming();
        h.ctx.gArtLibrary = std::make_unique<ArtLibrary>();
        frmCardDeck dlg(h.ctx);
        dlg.show();
        state.ResumeTiming();
        for (int d = 1; d <= h.ctx.art().DeckCount(); ++d) {
            QElapsedTimer clock;
            clock.start();
            QTreeWidgetItemIterator it(dlg.tvDeck);
            for (; *it; ++it) {
                if (frmCardDeck::nodeTag(*it) == d)
                    dlg.tvDeck_NodeClick(*it);
            }
            QApplication::processEvents();
            worst = std::max(worst, static_cast<double>(clock.nsecsElapsed()) / 1e6);
        }
    }
    state.counters["worst_click_ms"] = worst;
}

} // namespace

BENCHMARK(CardDeckShown)->DenseRange(1, 10, 1)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(CardDeckClickThrough)->Unit(benchmark::kMillisecond)->Iterations(2);
