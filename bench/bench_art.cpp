// Speed of the picture component: the 52 faces and every card back at device pixel
// ratio 1 and 2, cold (a fresh library, so decks are parsed and pictures drawn) and cached.
#include "platform/ArtLibrary.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

qreal ratioOf(const benchmark::State &state)
{
    return static_cast<qreal>(state.range(0));
}

void FacesCold(benchmark::State &state)
{
    for (auto _ : state) {
        ArtLibrary art;
        art.setDevicePixelRatio(ratioOf(state));
        for (int i = 1; i <= 52; ++i)
            benchmark::DoNotOptimize(art.FacePicture(i));
    }
}

void FacesCached(benchmark::State &state)
{
    ArtLibrary art;
    art.setDevicePixelRatio(ratioOf(state));
    for (int i = 1; i <= 52; ++i)
        art.FacePicture(i);
    for (auto _ : state)
        for (int i = 1; i <= 52; ++i)
            benchmark::DoNotOptimize(art.FacePicture(i));
}

// Our painted backs only: what a deal with a painted back costs.
void PaintedBacksCold(benchmark::State &state)
{
    QString folder;
    for (auto _ : state) {
        ArtLibrary art(folder);
        art.setDevicePixelRatio(ratioOf(state));
        for (int i = 1; i <= art.DeckCount(); ++i)
            benchmark::DoNotOptimize(art.DeckPicture(i));
    }
}

// Every back, the decks' own included: what the card-back dialog costs the first time.
void AllBacksCold(benchmark::State &state)
{
    for (auto _ : state) {
        ArtLibrary art;
        art.setDevicePixelRatio(ratioOf(state));
        for (int i = 1; i <= art.DeckCount(); ++i)
            benchmark::DoNotOptimize(art.DeckPicture(i));
    }
}

void AllBacksCached(benchmark::State &state)
{
    ArtLibrary art;
    art.setDevicePixelRatio(ratioOf(state));
    for (int i = 1; i <= art.DeckCount(); ++i)
        art.DeckPicture(i);
    for (auto _ : state)
        for (int i = 1; i <= art.DeckCount(); ++i)
            benchmark::DoNotOptimize(art.DeckPicture(i));
}

} // namespace

BENCHMARK(FacesCold)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(FacesCached)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
BENCHMARK(PaintedBacksCold)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(AllBacksCold)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(AllBacksCached)->Arg(1)->Arg(2)->Unit(benchmark::kMicrosecond);
