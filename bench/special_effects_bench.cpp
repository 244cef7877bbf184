// The value-changing special effects on the 4000 x 3000 photo-like picture,
// each run on a fresh copy made outside the timing; read every figure as a
// ratio to the memcpy baseline.
#include "bench_support.h"
#include "operations/special/bevels.h"
#include "operations/special/blur_sharpen.h"
#include "operations/special/colour_effects.h"
#include "operations/special/masks.h"
#include "operations/special/seamless.h"
#include "operations/special/shadows.h"

#include <benchmark/benchmark.h>

namespace {

using kel::Bitmap;
using kel::bench::onFreshCopy;

void BM_Special_Blur(benchmark::State& state) { onFreshCopy(state, kel::blur); }
void BM_Special_Buttonize(benchmark::State& state) { onFreshCopy(state, kel::buttonize); }
void BM_Special_CircleButton(benchmark::State& state) { onFreshCopy(state, kel::circleButton); }
void BM_Special_CircleMask(benchmark::State& state) { onFreshCopy(state, kel::circleMask); }
void BM_Special_Dithering(benchmark::State& state) { onFreshCopy(state, kel::dither); }
void BM_Special_Exposure(benchmark::State& state) { onFreshCopy(state, kel::exposure); }
void BM_Special_Flaxen(benchmark::State& state) { onFreshCopy(state, kel::flaxen); }
void BM_Special_NightVision(benchmark::State& state) { onFreshCopy(state, kel::nightVision); }
void BM_Special_Seamless(benchmark::State& state) { onFreshCopy(state, kel::seamless); }
void BM_Special_ShadowDownLeft(benchmark::State& state) { onFreshCopy(state, kel::shadowDownLeft); }
void BM_Special_ShadowDownRight(benchmark::State& state) { onFreshCopy(state, kel::shadowDownRight); }
void BM_Special_ShadowUpLeft(benchmark::State& state) { onFreshCopy(state, kel::shadowUpLeft); }
void BM_Special_ShadowUpRight(benchmark::State& state) { onFreshCopy(state, kel::shadowUpRight); }
void BM_Special_Sharpen(benchmark::State& state) { onFreshCopy(state, kel::sharpen); }
BENCHMARK(BM_Special_Blur)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_Buttonize)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_CircleButton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_CircleMask)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_Dithering)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_Exposure)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_Flaxen)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_NightVision)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_Seamless)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_ShadowDownLeft)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_ShadowDownRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_ShadowUpLeft)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_ShadowUpRight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Special_Sharpen)->Unit(benchmark::kMillisecond);

} // namespace
