// The image and colour commands on the 4000 x 3000 photo-like picture; each
// figure is read as a ratio to the memcpy baseline.
#include "bench_support.h"
#include "operations/channels.h"
#include "operations/colour_depth.h"
#include "operations/mirror_turn.h"
#include "operations/scramble.h"

#include <benchmark/benchmark.h>

namespace {

using kel::Bitmap;
using kel::bench::onFreshCopy;

// Routines that can run again on their own result with the same work.
template <typename Operation>
void inPlace(benchmark::State& state, Operation operation)
{
    Bitmap picture(kel::bench::photoLikeBitmap());
    for (auto _ : state) {
        operation(picture);
        benchmark::ClobberMemory();
    }
}

void BM_ImageOps_MirrorHorizontal(benchmark::State& state)
{
    inPlace(state, [](Bitmap& b) { kel::flipBitmap(b, kel::FlipMode::Horizontal); });
}
void BM_ImageOps_MirrorVertical(benchmark::State& state)
{
    inPlace(state, [](Bitmap& b) { kel::flipBitmap(b, kel::FlipMode::Vertical); });
}

// Into a bitmap kept from run to run, as repeated turns reuse their store.
void turn(benchmark::State& state, kel::QuarterTurn direction)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    Bitmap turned;
    for (auto _ : state) {
        kel::rotateBitmap(photo, turned, direction);
        benchmark::ClobberMemory();
    }
}
void BM_ImageOps_TurnClockwise(benchmark::State& state) { turn(state, kel::QuarterTurn::Clockwise); }
void BM_ImageOps_TurnAnticlockwise(benchmark::State& state) { turn(state, kel::QuarterTurn::Anticlockwise); }

// Into a new bitmap each time: the fresh pages of a 36 MB store are paid too.
void BM_ImageOps_TurnClockwiseNewBitmap(benchmark::State& state)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    for (auto _ : state) {
        Bitmap turned = kel::rotateBitmap(photo, kel::QuarterTurn::Clockwise);
        benchmark::DoNotOptimize(turned.rowUnchecked(0));
    }
}

void BM_ImageOps_ScaleChannels(benchmark::State& state)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    Bitmap shown(photo);
    for (auto _ : state) {
        kel::ScaleChannels(photo, shown, kel::rgb(210, 128, 60));
        benchmark::ClobberMemory();
    }
}

void BM_ImageOps_Sepia(benchmark::State& state)
{
    onFreshCopy(state, [](Bitmap& b) { kel::SepiaTone(b, kel::kSepiaDepth); });
}
void BM_ImageOps_BlackAndWhite(benchmark::State& state)
{
    onFreshCopy(state, [](Bitmap& b) { kel::blackAndWhite(b); });
}
void BM_ImageOps_Scramble(benchmark::State& state)
{
    inPlace(state, [](Bitmap& b) { kel::scrambleBitmap(b); });
}

BENCHMARK(BM_ImageOps_MirrorHorizontal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_MirrorVertical)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_TurnClockwise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_TurnAnticlockwise)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_TurnClockwiseNewBitmap)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_ScaleChannels)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_Sepia)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_BlackAndWhite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImageOps_Scramble)->Unit(benchmark::kMillisecond);

} // namespace
