// Opening a picture: the colour count of the status line, libjpeg-turbo
// decoding a 12-megapixel JPEG alone (the yardstick of the open), and the
// open of that file into the document pieces.
#include "app/document/colour_count.h"
#include "bench_support.h"
#include "document_bench_support.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <jpeglib.h>
#include <memory>

namespace {

void BM_Document_CountColors12MP(benchmark::State& state)
{
    const kel::Bitmap& photo = kel::bench::photoLikeBitmap();
    int count = 0;
    for (auto _ : state) {
        count = kel::CountColors(photo);
        benchmark::DoNotOptimize(count);
    }
    state.counters["colours"] = count;
}
BENCHMARK(BM_Document_CountColors12MP)->Unit(benchmark::kMillisecond);

// Reads and decodes the file with libjpeg-turbo into blue, green, red rows:
// new rows each time, or rows already in memory (the decoder alone, without
// the cost of fresh pages, which is large on some virtual machines).
void decodeWithLibjpeg(benchmark::State& state, bool keptRows)
{
    const std::string path = kel::bench::photoJpegPath().toStdString();
    std::unique_ptr<unsigned char[]> kept;
    for (auto _ : state) {
        FILE* file = std::fopen(path.c_str(), "rb");
        jpeg_decompress_struct info;
        jpeg_error_mgr errors;
        info.err = jpeg_std_error(&errors);
        jpeg_create_decompress(&info);
        jpeg_stdio_src(&info, file);
        jpeg_read_header(&info, TRUE);
        info.out_color_space = JCS_EXT_BGR;
        jpeg_start_decompress(&info);
        const std::size_t stride = std::size_t(info.output_width) * 3;
        std::unique_ptr<unsigned char[]> fresh;
        if (!kept) kept.reset(new unsigned char[stride * info.output_height]());
        if (!keptRows) fresh.reset(new unsigned char[stride * info.output_height]);
        unsigned char* pixels = keptRows ? kept.get() : fresh.get();
        while (info.output_scanline < info.output_height) {
            JSAMPROW row = pixels + stride * info.output_scanline;
            jpeg_read_scanlines(&info, &row, 1);
        }
        jpeg_finish_decompress(&info);
        jpeg_destroy_decompress(&info);
        std::fclose(file);
        benchmark::ClobberMemory();
    }
}
void BM_Document_LibjpegDecodeAlone12MP(benchmark::State& state) { decodeWithLibjpeg(state, false); }
BENCHMARK(BM_Document_LibjpegDecodeAlone12MP)->Unit(benchmark::kMillisecond);

void BM_Document_LibjpegDecodeIntoKeptRows12MP(benchmark::State& state) { decodeWithLibjpeg(state, true); }
BENCHMARK(BM_Document_LibjpegDecodeIntoKeptRows12MP)->Unit(benchmark::kMillisecond);

} // namespace
