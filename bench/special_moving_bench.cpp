// The pixel-moving special effects on the 4000 x 3000 photo-like picture, each
// run starting from a fresh copy made outside the timing; every figure is read
// as a ratio to the memcpy baseline.
#include "bench_support.h"
#include "graphics/random.h"
#include "operations/special/displacements.h"
#include "operations/special/ripples.h"
#include "operations/special/spray.h"
#include "operations/special/turns.h"

#include <benchmark/benchmark.h>

namespace {

void onFreshCopy(benchmark::State& state, void (*routine)(kel::Bitmap&))
{
    const kel::Bitmap& photo = kel::bench::photoLikeBitmap();
    kel::Bitmap picture(photo);
    for (auto _ : state) {
        state.PauseTiming();
        picture = photo;
        picture.detach(); // the copy is made here, not at the routine's first write
        kel::programRandom().setSeed(1);
        state.ResumeTiming();
        routine(picture);
        benchmark::ClobberMemory();
    }
}

void BM_SpecialMoving_Marble(benchmark::State& state) { onFreshCopy(state, kel::marble); }
void BM_SpecialMoving_Plasma(benchmark::State& state) { onFreshCopy(state, kel::plasma); }
void BM_SpecialMoving_RippleRandom(benchmark::State& state) { onFreshCopy(state, kel::rippleRandom); }
void BM_SpecialMoving_RippleTooth(benchmark::State& state) { onFreshCopy(state, kel::rippleTooth); }
void BM_SpecialMoving_RippleTriangle(benchmark::State& state) { onFreshCopy(state, kel::rippleTriangle); }
void BM_SpecialMoving_Spray(benchmark::State& state) { onFreshCopy(state, kel::spray); }
void BM_SpecialMoving_Triangles(benchmark::State& state) { onFreshCopy(state, kel::triangles); }
void BM_SpecialMoving_Turn(benchmark::State& state) { onFreshCopy(state, kel::turn); }
void BM_SpecialMoving_TurnRight(benchmark::State& state) { onFreshCopy(state, kel::turnRight); }
void BM_SpecialMoving_Twist(benchmark::State& state) { onFreshCopy(state, kel::twist); }

BENCHMARK(BM_SpecialMoving_Marble)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_Plasma)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_RippleRandom)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_RippleTooth)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_RippleTriangle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_Spray)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_Triangles)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_Turn)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_TurnRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SpecialMoving_Twist)->Unit(benchmark::kMillisecond);

} // namespace
