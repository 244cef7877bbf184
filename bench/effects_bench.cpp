// The recompute of the shown picture and the build of each effect layer, on
// the 4000 x 3000 photo-like picture.
#include "bench_support.h"
#include "view/effects/effect_pipeline.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using kel::Effect;

void recomputeWith(benchmark::State& state, std::initializer_list<std::pair<Effect, int>> settings)
{
    const kel::Bitmap& photo = kel::bench::photoLikeBitmap();
    kel::EffectPipeline pipeline;
    for (const auto& [effect, value] : settings) pipeline.set(effect, value, &photo);
    kel::Bitmap shown(photo);
    for (auto _ : state) {
        pipeline.recompute(photo, shown);
        benchmark::ClobberMemory();
    }
}

void BM_Effects_Recompute_BrightnessContrast(benchmark::State& state)
{
    recomputeWith(state, {{Effect::Brightness, 20}, {Effect::Contrast, 60}});
}
BENCHMARK(BM_Effects_Recompute_BrightnessContrast)->Unit(benchmark::kMillisecond);

void BM_Effects_Recompute_BrightnessContrastSaturation(benchmark::State& state)
{
    recomputeWith(state, {{Effect::Brightness, 20}, {Effect::Contrast, 60}, {Effect::Saturation, 80}});
}
BENCHMARK(BM_Effects_Recompute_BrightnessContrastSaturation)->Unit(benchmark::kMillisecond);

void BM_Effects_Recompute_PosterizeSplitlightGrey(benchmark::State& state)
{
    recomputeWith(state, {{Effect::Brightness, 20},
                          {Effect::Contrast, 60},
                          {Effect::Saturation, 80},
                          {Effect::Posterize, 10},
                          {Effect::Splitlight, 10},
                          {Effect::GrayScale, 1}});
}
BENCHMARK(BM_Effects_Recompute_PosterizeSplitlightGrey)->Unit(benchmark::kMillisecond);

void BM_Effects_Recompute_SolarizeNoiseInvert(benchmark::State& state)
{
    recomputeWith(state, {{Effect::Solorize, 60}, {Effect::ColorNoise, 50}, {Effect::Invert, 1}, {Effect::Saturation, -80}});
}
BENCHMARK(BM_Effects_Recompute_SolarizeNoiseInvert)->Unit(benchmark::kMillisecond);

// One build of a layer: the copy of the original and the effect on it.
void buildLayer(benchmark::State& state, Effect effect, int value)
{
    const kel::Bitmap& photo = kel::bench::photoLikeBitmap();
    kel::EffectPipeline pipeline;
    for (auto _ : state) {
        pipeline.set(effect, value, &photo);
        benchmark::DoNotOptimize(pipeline.spatialLayer());
    }
}

void BM_Effects_Layer_Emboss(benchmark::State& state) { buildLayer(state, Effect::Emboss, 1); }
void BM_Effects_Layer_Mosaic8(benchmark::State& state) { buildLayer(state, Effect::Mosaic, 8); }
void BM_Effects_Layer_SplitBlur1(benchmark::State& state) { buildLayer(state, Effect::SplitBlur, 1); }
void BM_Effects_Layer_SplitBlur20(benchmark::State& state) { buildLayer(state, Effect::SplitBlur, 20); }
void BM_Effects_Layer_GaussianBlur1(benchmark::State& state) { buildLayer(state, Effect::GaussianBlur, 1); }
void BM_Effects_Layer_AntiAlias1(benchmark::State& state) { buildLayer(state, Effect::AntiAlias, 1); }
void BM_Effects_Layer_Trace2(benchmark::State& state) { buildLayer(state, Effect::Trace, 2); }
void BM_Effects_Layer_Tile2(benchmark::State& state) { buildLayer(state, Effect::Tile, 2); }
void BM_Effects_Layer_ColourNoise25(benchmark::State& state) { buildLayer(state, Effect::ColorNoise, 25); }
void BM_Effects_Layer_MonoNoise25(benchmark::State& state) { buildLayer(state, Effect::MonoNoise, 25); }
BENCHMARK(BM_Effects_Layer_Emboss)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_Mosaic8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_SplitBlur1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_SplitBlur20)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_GaussianBlur1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_AntiAlias1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_Trace2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_Tile2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_ColourNoise25)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Effects_Layer_MonoNoise25)->Unit(benchmark::kMillisecond);

// A photo-like picture of more than two million distinct colours: the same
// kind of gradients with independent fine noise in each channel.
const kel::Bitmap& manyColoursBitmap()
{
    static const kel::Bitmap bitmap = [] {
        using kel::bench::kPhotoHeight;
        using kel::bench::kPhotoWidth;
        kel::Bitmap b = kel::Bitmap::forOverwrite(kPhotoWidth, kPhotoHeight, kel::pf24bit);
        std::uint32_t noise = 12345;
        for (int y = 0; y < kPhotoHeight; ++y) {
            std::uint8_t* row = b.rowUnchecked(y);
            for (int x = 0; x < kPhotoWidth; ++x) {
                noise = noise * 1103515245u + 12345u;
                const int n = int(noise >> 8);
                row[3 * x] = std::uint8_t(x * 224 / kPhotoWidth + (n & 31));
                row[3 * x + 1] = std::uint8_t(y * 224 / kPhotoHeight + (n >> 5 & 31));
                row[3 * x + 2] = std::uint8_t((x + y) * 224 / (kPhotoWidth + kPhotoHeight) + (n >> 10 & 31));
            }
        }
        return b;
    }();
    return bitmap;
}

int distinctColours(const kel::Bitmap& bitmap)
{
    std::vector<bool> seen(std::size_t(1) << 24);
    int count = 0;
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* row = bitmap.rowUnchecked(y);
        for (int x = 0; x < bitmap.width(); ++x) {
            const std::size_t colour = std::size_t(row[3 * x]) | std::size_t(row[3 * x + 1]) << 8 | std::size_t(row[3 * x + 2]) << 16;
            count += !seen[colour];
            seen[colour] = true;
        }
    }
    return count;
}

void BM_Effects_Layer_Trace2_ManyColours(benchmark::State& state)
{
    const kel::Bitmap& picture = manyColoursBitmap();
    kel::EffectPipeline pipeline;
    for (auto _ : state) {
        pipeline.set(Effect::Trace, 2, &picture);
        benchmark::DoNotOptimize(pipeline.spatialLayer());
    }
    state.counters["colours"] = distinctColours(picture);
}
BENCHMARK(BM_Effects_Layer_Trace2_ManyColours)->Unit(benchmark::kMillisecond);

} // namespace
