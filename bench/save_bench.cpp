// " Enregistrer" of a 4000 x 3000 picture through the main window, as BMP,
// PNG and JPEG, against the bare encoders (plain row writes, libpng with its
// defaults, libjpeg at quality 80) writing the same pixels to a file in the
// same run. The counter "ratio" is the command's time over the bare one's.
#include "app/program_form.h"
#include "bench_support.h"
#include "document_bench_support.h"
#include "support/fake_services.h"
#include "view/image_colorizer.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <png.h>

#include <chrono>
#include <cstdio>
#include <cstring>

namespace {

using Clock = std::chrono::steady_clock;
using kel::Bitmap;

void ensureApplication()
{
    if (QApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "kelvary_bench";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

void putLittle(unsigned char* at, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i) at[i] = static_cast<unsigned char>(value >> (8 * i));
}

void bareBmp(const Bitmap& bitmap, const char* path)
{
    const int stride = (bitmap.width() * 3 + 3) & ~3;
    const std::uint32_t imageSize = std::uint32_t(stride) * bitmap.height();
    unsigned char header[54] = {'B', 'M'};
    putLittle(header + 2, 54 + imageSize, 4);
    putLittle(header + 10, 54, 4);
    putLittle(header + 14, 40, 4);
    putLittle(header + 18, bitmap.width(), 4);
    putLittle(header + 22, bitmap.height(), 4);
    putLittle(header + 26, 1, 2);
    putLittle(header + 28, 24, 2);
    putLittle(header + 34, imageSize, 4);
    FILE* file = std::fopen(path, "wb");
    std::fwrite(header, 1, sizeof header, file);
    for (int y = bitmap.height() - 1; y >= 0; --y) std::fwrite(bitmap.scanLine(y), 1, stride, file);
    std::fclose(file);
}

void barePng(const Bitmap& bitmap, const char* path)
{
    FILE* file = std::fopen(path, "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, bitmap.width(), bitmap.height(), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_set_bgr(png);
    for (int y = 0; y < bitmap.height(); ++y) png_write_row(png, const_cast<png_bytep>(bitmap.scanLine(y)));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}

void bareJpeg(const Bitmap& bitmap, const char* path) { kel::bench::writeJpeg(bitmap, QString::fromLocal8Bit(path)); }

void compareSave(benchmark::State& state, int entry, const char* extension, void (*bare)(const Bitmap&, const char*))
{
    ensureApplication();
    QTemporaryDir folder;
    const QString commandPath = QDir(folder.path()).filePath(QStringLiteral("saved"));
    const QByteArray barePath = QDir(folder.path()).filePath(QStringLiteral("bare.") + QLatin1String(extension)).toLocal8Bit();
    kel::test::FakeServices fakes;
    kel::TProgramForm form(fakes.services());
    const Bitmap& photo = kel::bench::photoLikeBitmap();
    form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(photo));
    form.document().setFileName(commandPath);
    const Bitmap& shown = *form.Image1->Picture().bitmapIfAny();
    double bareSeconds = 0, commandSeconds = 0;
    for (auto _ : state) {
        const auto t0 = Clock::now();
        bare(shown, barePath.constData());
        const auto t1 = Clock::now();
        fakes.dialogs.answerFile(commandPath, entry);
        form.runCommand("Enregistrer1");
        const auto t2 = Clock::now();
        bareSeconds += std::chrono::duration<double>(t1 - t0).count();
        commandSeconds += std::chrono::duration<double>(t2 - t1).count();
        state.SetIterationTime(std::chrono::duration<double>(t2 - t1).count());
    }
    if (!fakes.dialogs.errors.isEmpty() || fakes.dialogs.asked.back().call == QLatin1String("plainMessage"))
        state.SkipWithError("the save failed");
    const double n = double(state.iterations());
    state.counters["bare_ms"] = 1000 * bareSeconds / n;
    state.counters["command_ms"] = 1000 * commandSeconds / n;
    state.counters["ratio"] = commandSeconds / bareSeconds;
}

void BM_Save_Bmp12MP_vsBare(benchmark::State& state) { compareSave(state, 1, "bmp", bareBmp); }
BENCHMARK(BM_Save_Bmp12MP_vsBare)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Save_Png12MP_vsLibpng(benchmark::State& state) { compareSave(state, 4, "png", barePng); }
BENCHMARK(BM_Save_Png12MP_vsLibpng)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_Save_Jpeg12MP_vsLibjpeg(benchmark::State& state) { compareSave(state, 3, "jpg", bareJpeg); }
BENCHMARK(BM_Save_Jpeg12MP_vsLibjpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace
