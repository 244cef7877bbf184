// The recompute of the shown picture and the build of each effect layer, on
// the 4000 x 3000 photo-like picture.
#include "bench_support.h"
#include "view/effects/effect_pipeline.h"

#include <benchmark/benchmark.h>

#include <initializer_list>
#include <utility>

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

} // namespace
