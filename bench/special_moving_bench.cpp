// The pixel-moving special effects on the 4000 x 3000 photo-like picture, each
// run starting from a fresh copy made outside the timing; every figure is read
// as a ratio to the memcpy baseline.
#include "bench_support.h"
#include "graphics/random.h"
#include "operations/special/displacements.h"
#include "operations/special/ripples.h"
#include "operations/special/spray.h"
#include "operations/special/turns.h"
#include "operations/special/twist_points.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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

// The floor under Twist: only its memory traffic, the four taps of every pixel
// read in scan order from the picture being written, with the source points
// worked out beforehand and no weighting.
void BM_SpecialMoving_TwistTapsOnly(benchmark::State& state)
{
    const kel::Bitmap& photo = kel::bench::photoLikeBitmap();
    const int width = photo.width(), height = photo.height();
    const std::size_t stride = std::size_t(photo.bytesPerLine());
    std::vector<std::uint32_t> taps(std::size_t(width) * std::size_t(height));
    std::vector<float> fx(static_cast<std::size_t>(width)), fy(fx);
    for (int y = 0; y < height; ++y) {
        kel::twist_detail::sourcePoints(y, width, height, 255.0f, fx.data(), fy.data());
        for (int x = 0; x < width; ++x) {
            const int ix = std::clamp(int(fx[std::size_t(x)]), 0, width - 2);
            const int iy = std::clamp(int(fy[std::size_t(x)]), 0, height - 2);
            taps[std::size_t(y) * std::size_t(width) + std::size_t(x)] = std::uint32_t(std::size_t(iy) * stride + 3 * std::size_t(ix));
        }
    }
    kel::Bitmap picture(photo);
    for (auto _ : state) {
        state.PauseTiming();
        picture = photo;
        picture.detach();
        state.ResumeTiming();
        std::uint8_t* base = picture.rowUnchecked(0);
        const std::uint32_t* tap = taps.data();
        for (int y = 0; y < height; ++y) {
            std::uint8_t* target = base + std::size_t(y) * stride;
            for (int x = 0; x < width; ++x, ++tap, target += 3) {
                __builtin_prefetch(base + tap[taps.data() + taps.size() - tap > 64 ? 64 : 0]);
                const std::uint8_t* top = base + *tap;
                const std::uint8_t* bottom = top + stride;
                for (int c = 0; c < 3; ++c) target[c] = std::uint8_t((top[c] + top[c + 3] + bottom[c] + bottom[c + 3]) >> 2);
            }
        }
        benchmark::ClobberMemory();
    }
}

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
BENCHMARK(BM_SpecialMoving_TwistTapsOnly)->Unit(benchmark::kMillisecond);

} // namespace
