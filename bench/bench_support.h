#pragma once
// Shared pictures for the benchmarks.
#include "graphics/bitmap.h"

#include <benchmark/benchmark.h>

namespace kel::bench {

inline constexpr int kPhotoWidth = 4000;
inline constexpr int kPhotoHeight = 3000;

// A 24-bit picture with photo-like variety (smooth gradients plus fine noise),
// made once per size.
const Bitmap& photoLikeBitmap(int width = kPhotoWidth, int height = kPhotoHeight);

// The picture sizes the cost-growth benchmarks take, by megapixels (3, 12, 48).
inline int widthForMegapixels(int megapixels) { return megapixels == 3 ? 2000 : megapixels == 12 ? 4000 : 8000; }
inline int heightForMegapixels(int megapixels) { return widthForMegapixels(megapixels) * 3 / 4; }

// Runs an in-place routine on a fresh copy of the photo each time, the copy
// made outside the timing, so no run works on the previous run's result.
template <typename Operation>
void onFreshCopy(benchmark::State& state, Operation operation)
{
    const Bitmap& photo = photoLikeBitmap();
    Bitmap picture(photo);
    for (auto _ : state) {
        state.PauseTiming();
        picture = photo;
        picture.detach(); // the copy is made here, not at the routine's first write
        state.ResumeTiming();
        operation(picture);
        benchmark::ClobberMemory();
    }
}

} // namespace kel::bench
