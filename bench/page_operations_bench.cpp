// The operation pages' pixel arithmetic on the 4000 x 3000 photo-like picture.
// Bytes processed count the bytes each routine writes. Routines that can write
// into an existing bitmap do so here: a fresh bitmap of this size costs far
// more in first-touch page faults than the arithmetic (see FreshBitmap).
#include "bench_support.h"
#include "graphics/pixel_rows.h"
#include "operations/blend.h"
#include "operations/crop.h"
#include "operations/flood_fill.h"
#include "operations/frame.h"
#include "operations/incline.h"
#include "operations/resize.h"

#include <benchmark/benchmark.h>

namespace {

using kel::Bitmap;

std::int64_t bytesOf(const Bitmap& b) { return std::int64_t(b.bytesPerLine()) * b.height(); }

void resizeTo(benchmark::State& state, int percent)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    const kel::PictureSize size = kel::proposedSize(photo.width(), photo.height(), percent);
    Bitmap result(size.width, size.height, kel::pfDevice);
    for (auto _ : state) {
        kel::stretchInto(photo, result);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * bytesOf(result));
}

void BM_PageOps_Resize50(benchmark::State& state) { resizeTo(state, 50); }
BENCHMARK(BM_PageOps_Resize50)->Unit(benchmark::kMillisecond);

void BM_PageOps_Resize200(benchmark::State& state) { resizeTo(state, 200); }
BENCHMARK(BM_PageOps_Resize200)->Unit(benchmark::kMillisecond);

void BM_PageOps_CropLargest(benchmark::State& state)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    const kel::Rect rect = kel::selectionRect(0, 0, photo.width(), photo.height(), photo.width(), photo.height());
    for (auto _ : state) {
        Bitmap result = kel::croppedBitmap(photo, rect);
        benchmark::DoNotOptimize(result.rowUnchecked(0));
    }
}
BENCHMARK(BM_PageOps_CropLargest)->Unit(benchmark::kMillisecond);

// The cost every routine pays that returns a new bitmap of the picture's size.
void BM_PageOps_FreshBitmap24(benchmark::State& state)
{
    for (auto _ : state) {
        Bitmap fresh(kel::bench::kPhotoWidth, kel::bench::kPhotoHeight, kel::pf24bit);
        benchmark::DoNotOptimize(fresh.rowUnchecked(0));
    }
}
BENCHMARK(BM_PageOps_FreshBitmap24)->Unit(benchmark::kMillisecond);

void BM_PageOps_Frame4(benchmark::State& state)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    Bitmap picture(photo);
    for (auto _ : state) {
        state.PauseTiming();
        picture = photo;
        picture.detach();
        state.ResumeTiming();
        kel::AddFrame(picture, 4, kel::rgb(200, 30, 30));
        benchmark::DoNotOptimize(picture.rowUnchecked(0));
    }
}
BENCHMARK(BM_PageOps_Frame4)->Unit(benchmark::kMillisecond);

void BM_PageOps_FloodFillUniform(benchmark::State& state)
{
    Bitmap uniform(kel::bench::kPhotoWidth, kel::bench::kPhotoHeight, kel::pf24bit);
    for (int y = 0; y < uniform.height(); ++y)
        for (int x = 0; x < uniform.width(); ++x) uniform.setPixel(x, y, kel::rgb(40, 90, 200));
    Bitmap picture(uniform);
    for (auto _ : state) {
        state.PauseTiming();
        picture = uniform;
        picture.detach();
        state.ResumeTiming();
        kel::fillRegion(picture, picture.width() / 2, picture.height() / 2, 50, kel::rgb(255, 0, 0));
        benchmark::DoNotOptimize(picture.rowUnchecked(0));
    }
}
BENCHMARK(BM_PageOps_FloodFillUniform)->Unit(benchmark::kMillisecond);

void BM_PageOps_Incline30(benchmark::State& state)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    // The page's Tester: the destination filled with the background, then turned onto.
    Bitmap result(photo.width(), photo.height(), kel::pf24bit);
    for (auto _ : state) {
        kel::fillRows(result, 0, result.height(), kel::rgb(0, 0, 0));
        kel::TurnBitmap(photo, result, photo.width() / 2, 30, photo.height() / 2);
        benchmark::ClobberMemory();
    }
}
// The turn splits a large picture between two threads: wall time is what counts,
// and the CPU time of both threads is reported beside it.
BENCHMARK(BM_PageOps_Incline30)->Unit(benchmark::kMillisecond)->MeasureProcessCPUTime()->UseRealTime();

void BM_PageOps_Blend(benchmark::State& state)
{
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    Bitmap second(photo.width(), photo.height(), kel::pf24bit);
    for (int y = 0; y < second.height(); ++y) {
        const std::uint8_t* in = photo.rowUnchecked(y);
        std::uint8_t* out = second.rowUnchecked(y);
        for (int i = 0; i < photo.width() * 3; ++i) out[i] = std::uint8_t(255 - in[i]);
    }
    Bitmap result;
    for (auto _ : state) {
        kel::blendInto(photo, 5, second, 7, result);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_PageOps_Blend)->Unit(benchmark::kMillisecond);

} // namespace
