// The yardstick of every other benchmark: copying the rows of a 4000 x 3000
// 24-bit bitmap with memcpy.
#include "bench_support.h"

#include <benchmark/benchmark.h>

#include <cstring>

namespace {

void BM_Baseline_MemcpyRows24bit(benchmark::State& state)
{
    const kel::Bitmap& source = kel::bench::photoLikeBitmap();
    kel::Bitmap target(source.width(), source.height(), kel::pf24bit);
    const std::size_t rowBytes = std::size_t(source.bytesPerLine());
    for (auto _ : state) {
        for (int y = 0; y < source.height(); ++y)
            std::memcpy(target.rowUnchecked(y), source.rowUnchecked(y), rowBytes);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * source.height() * std::int64_t(rowBytes));
}
BENCHMARK(BM_Baseline_MemcpyRows24bit)->Unit(benchmark::kMillisecond);

} // namespace
