// Speed of the appearance: painting the table background on a 3840 x 2160 table at
// ratio 1 and 2, a big JPEG from the image folder decoded in place and at a game start,
// the card-back dialog opened on each stored design and a click on every design, which
// must only ask the worker and return, and OK on a design, with and without its preview.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <QImageWriter>
#include <benchmark/benchmark.h>

#include "support/BenchRuns.h"
#include "app/Context.h"
#include "appearance/BackgroundDecoder.h"
#include "appearance/frmCardDeck.h"
#include "appearance/mCustomize.h"
#include "engine/mStudio.h"
#include "platform/ArtLibrary.h"
#include "platform/MessageBox.h"
#include "platform/ShellFolders.h"
#include "store/cData.h"
#include "support/BenchContext.h"

namespace {

struct Home : BenchContext {
    Home() { ctx.setMainWindow(&window); }
    ~Home() { ctx.setMainWindow(nullptr); }
    Home(const Home &) = delete;
    Home &operator=(const Home &) = delete;

    // A 3840 x 2160-pixel table at the ratio.
    void table(qreal ratio)
    {
        QImage &picture = window.backgroundPicture();
        picture = QImage(3840, 2160, QImage::Format_RGB32);
        picture.setDevicePixelRatio(ratio);
        picture.fill(Qt::black);
        window.setOuterSize(QSizeF(3840, 2160) / ratio * 15);
        ctx.art().setDevicePixelRatio(ratio);
    }

    // A window with or without a worker for background pictures.
    struct Window : NullMainWindow {
        BackgroundDecoder *backgroundDecoder() override { return decoder; }
        BackgroundDecoder *decoder = nullptr;
    } window;
};

// range(0): 1 colour fade, 0 tiled texture, 2 centred large picture; range(1): the ratio.
void setKind(Home &h, const benchmark::State &state)
{
    h.table(static_cast<qreal>(state.range(1)));
    mCustomize::SetBackIndex(h.ctx, static_cast<std::int16_t>(state.range(0)));
    mCustomize::SetEnableTile(h.ctx, state.range(0) != mCustomize::Picture);
}

void ApplyBackgroundWarm(benchmark::State &state)
{
    Home h;
    setKind(h, state);
    mCustomize::ApplyBackground(h.ctx);
    for (auto _ : state)
        mCustomize::ApplyBackground(h.ctx);
}

// A fresh picture component each time: textures and pictures are drawn anew.
void ApplyBackgroundCold(benchmark::State &state)
{
    Home h;
    setKind(h, state);
    for (auto _ : state) {
        state.PauseTiming();
        h.ctx.gArtLibrary = std::make_unique<ArtLibrary>();
        h.ctx.art().setDevicePixelRatio(static_cast<qreal>(state.range(1)));
        state.ResumeTiming();
        mCustomize::ApplyBackground(h.ctx);
    }
}

void ChangeBackgroundWarm(benchmark::State &state)
{
    Home h;
    setKind(h, state);
    double r = 0;
    for (int i = 0; i < 3; ++i)
        mCustomize::ChangeBackground(h.ctx, [&] { return 0.0; });
    for (auto _ : state)
        mCustomize::ChangeBackground(h.ctx, [&] { return 0.0; });
    benchmark::DoNotOptimize(r);
}

// A 6000 x 4000 JPEG in the image folder of the home.
void bigJpegFolder(Home &h, const benchmark::State &state)
{
    const QString folder = h.home.path() + QStringLiteral("/pictures");
    QDir().mkpath(folder);
    QImage big(6000, 4000, QImage::Format_RGB32);
    for (int y = 0; y < big.height(); ++y)
        for (int x = 0; x < big.width(); x += 50)
            big.setPixel(x, y, qRgb(x % 256, y % 256, (x + y) % 256));
    big.save(folder + QStringLiteral("/big.jpg"), "JPEG", 90);
    mCustomize::SetImageFolderFile(h.ctx, folder + QStringLiteral("/big.jpg"));
    mCustomize::SetBackIndex(h.ctx, mCustomize::ImageFolder);
    mCustomize::SetEnableTile(h.ctx, state.range(0) != 0);
}

// Decoded in place, as ApplyBackground paints it (tiled, then centred).
void ChangeBackgroundBigJpeg(benchmark::State &state)
{
    Home h;
    h.table(static_cast<qreal>(state.range(1)));
    bigJpegFolder(h, state);
    for (auto _ : state)
        mCustomize::PaintPictureFile(h.ctx, mCustomize::GetImageFolderFile(h.ctx));
}

// A game start with the main window's worker: the time the start waits; painted_ms is
// the time until the picture is on the table.
void ChangeBackgroundBigJpegGameStart(benchmark::State &state)
{
    Home h;
    h.table(static_cast<qreal>(state.range(1)));
    bigJpegFolder(h, state);
    BackgroundDecoder decoder;
    h.window.decoder = &decoder;
    double painted = 0;
    for (auto _ : state) {
        QElapsedTimer clock;
        clock.start();
        mCustomize::ChangeBackground(h.ctx, [] { return 0.0; });
        state.PauseTiming();
        while (decoder.delivered() != decoder.requested())
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        painted = std::max(painted, static_cast<double>(clock.nsecsElapsed()) / 1e6);
        state.ResumeTiming();
    }
    h.window.decoder = nullptr;
    state.counters["painted_ms"] = painted;
}

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

// OK in the card-back dialog until the board has the new back, for the design in
// range(0) (13 and up: the SVG decks' own backs). range(1) 1: OK after the preview has
// arrived, whose back the board takes over; 0: OK at once, the back rendered here.
void CardDeckOK(benchmark::State &state)
{
    Home h;
    const int design = static_cast<int>(state.range(0));
    if (design > h.ctx.art().DeckCount()) {
        state.SkipWithError("no such design");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        h.ctx.gArtLibrary = std::make_unique<ArtLibrary>();
        mCustomize::SetDeckIndex(h.ctx, 1);
        frmCardDeck dlg(h.ctx);
        dlg.show();
        QApplication::processEvents();
        for (QTreeWidgetItemIterator it(dlg.tvDeck); *it; ++it) {
            if (frmCardDeck::nodeTag(*it) == design)
                dlg.tvDeck_NodeClick(*it);
        }
        while (state.range(1) == 1 && dlg.shownIndex() != design)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        state.ResumeTiming();
        dlg.cmdOK_Click();
        benchmark::DoNotOptimize(h.ctx.art().DeckPicture(design));
    }
}

} // namespace

BENCHMARK(ApplyBackgroundWarm)->ArgsProduct({{1, 0, 2}, {1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(ApplyBackgroundCold)
    ->ArgsProduct({{1, 0, 2}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchRuns(5));
BENCHMARK(ChangeBackgroundWarm)->ArgsProduct({{1, 0, 2}, {1, 2}})->Unit(benchmark::kMillisecond);
BENCHMARK(ChangeBackgroundBigJpeg)
    ->ArgsProduct({{1, 0}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchRuns(5));
BENCHMARK(ChangeBackgroundBigJpegGameStart)
    ->ArgsProduct({{1, 0}, {1, 2}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchRuns(5));
BENCHMARK(CardDeckShown)->DenseRange(1, 10, 1)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(3));
BENCHMARK(CardDeckClickThrough)->Unit(benchmark::kMillisecond)->Iterations(benchRuns(2));
BENCHMARK(CardDeckOK)
    ->ArgsProduct({{13, 15, 19, 23, 25}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(benchRuns(3));
