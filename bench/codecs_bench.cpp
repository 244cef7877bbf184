// Opening a 12-megapixel JPEG and PNG (4000 x 3000, the photo-like picture of
// bench_support) through loadGraphic into a 24-bit bitmap, against the bare
// decoder on the same bytes in the same run: libjpeg-turbo, and libpng, each
// decoding into a new BGR buffer of its own (allocated, not cleared), as a
// decode into a new picture does. Each iteration times both; the
// counters give the reference time, ours, and their ratio (the overhead
// beyond the decoder must stay under 1.3). "with_draw" adds what the open
// command does next: drawing the graphic into a new 24-bit bitmap.
#include "bench_support.h"
#include "codecs/codec.h"
#include "codecs/writers.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include <jpeglib.h>
#include <png.h>

namespace {

using Clock = std::chrono::steady_clock;

struct Sample {
    QByteArray bytes;
    QString path;
};

const QTemporaryDir& benchFolder()
{
    static const QTemporaryDir dir;
    return dir;
}

Sample makeSample(kel::codecs::WriteFormat format, const char* name)
{
    Sample s;
    s.bytes = kel::codecs::encodeBitmap(kel::bench::photoLikeBitmap(), format);
    s.path = benchFolder().filePath(QString::fromLatin1(name));
    QFile file(s.path);
    if (!file.open(QIODevice::WriteOnly) || file.write(s.bytes) != s.bytes.size()) std::abort();
    return s;
}

const Sample& jpegSample()
{
    static const Sample s = makeSample(kel::codecs::WriteFormat::Jpeg, "photo.jpg");
    return s;
}

const Sample& pngSample()
{
    static const Sample s = makeSample(kel::codecs::WriteFormat::Png, "photo.png");
    return s;
}

void decodeWithLibjpeg(const QByteArray& bytes, std::unique_ptr<unsigned char[]>& out)
{
    jpeg_decompress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(bytes.constData()), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_EXT_BGR;
    jpeg_start_decompress(&info);
    const std::size_t stride = std::size_t(info.output_width) * 3;
    out.reset(new unsigned char[stride * info.output_height]);
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = out.get() + stride * info.output_scanline;
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
}

struct PngSource {
    const QByteArray* bytes;
    std::size_t position;
};

void decodeWithLibpng(const QByteArray& bytes, std::unique_ptr<unsigned char[]>& out)
{
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    PngSource source{&bytes, 0};
    png_set_read_fn(png, &source, [](png_structp p, png_bytep data, png_size_t count) {
        auto* s = static_cast<PngSource*>(png_get_io_ptr(p));
        std::memcpy(data, s->bytes->constData() + s->position, count);
        s->position += count;
    });
    png_read_info(png, info);
    png_set_bgr(png);
    png_read_update_info(png, info);
    const std::size_t stride = png_get_rowbytes(png, info);
    const png_uint_32 height = png_get_image_height(png, info);
    out.reset(new unsigned char[stride * height]);
    std::vector<png_bytep> rows(height);
    for (png_uint_32 y = 0; y < height; ++y) rows[y] = out.get() + stride * y;
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
}

template <typename Reference>
void compareOpen(benchmark::State& state, const Sample& sample, Reference reference)
{
    std::unique_ptr<unsigned char[]> buffer;
    reference(sample.bytes, buffer); // warm the decoder and the file cache
    benchmark::DoNotOptimize(kel::codecs::loadGraphic(sample.path));
    double referenceSeconds = 0, oursSeconds = 0, withDrawSeconds = 0;
    for (auto _ : state) {
        auto t0 = Clock::now();
        reference(sample.bytes, buffer);
        benchmark::DoNotOptimize(buffer.get());
        auto t1 = Clock::now();
        buffer.reset(); // freeing is timed on neither side
        auto graphic = kel::codecs::loadGraphic(sample.path);
        benchmark::DoNotOptimize(graphic.get());
        auto t2 = Clock::now();
        kel::Bitmap opened(graphic->width(), graphic->height(), kel::pf24bit);
        graphic->drawOnto(opened, 0, 0);
        benchmark::DoNotOptimize(opened.rowUnchecked(0));
        auto t3 = Clock::now();
        referenceSeconds += std::chrono::duration<double>(t1 - t0).count();
        oursSeconds += std::chrono::duration<double>(t2 - t1).count();
        withDrawSeconds += std::chrono::duration<double>(t3 - t1).count();
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
    const double n = double(state.iterations());
    state.counters["reference_ms"] = 1000 * referenceSeconds / n;
    state.counters["ours_ms"] = 1000 * oursSeconds / n;
    state.counters["ratio"] = oursSeconds / referenceSeconds;
    state.counters["with_draw_ratio"] = withDrawSeconds / referenceSeconds;
    state.counters["file_MB"] = double(sample.bytes.size()) / 1e6;
}

void BM_Codecs_OpenJpeg12MP_vsLibjpeg(benchmark::State& state) { compareOpen(state, jpegSample(), decodeWithLibjpeg); }
BENCHMARK(BM_Codecs_OpenJpeg12MP_vsLibjpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

void BM_Codecs_OpenPng12MP_vsLibpng(benchmark::State& state) { compareOpen(state, pngSample(), decodeWithLibpng); }
BENCHMARK(BM_Codecs_OpenPng12MP_vsLibpng)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(3.0);

} // namespace
