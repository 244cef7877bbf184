// One operation of the peer comparison, as a whole process, the way the
// command-line tools of other image programs are timed beside it:
//   kelvary_peer_ops <operation> <input> <output>
// Pictures come in and go out as .jpg, .png (the program's own codecs) or
// .raw, a bare dump of the 24-bit rows that costs little more than a copy,
// so that subtracting a run of "copy" leaves the operation's own time.
// "photo" ignores its input and writes the benchmarks' photo-like picture.
#include "app/document/colour_count.h"
#include "bench_support.h"
#include "codecs/codec.h"
#include "codecs/writers.h"
#include "operations/mirror_turn.h"
#include "operations/resize.h"
#include "operations/special/blur_sharpen.h"
#include "view/effects/effect_pipeline.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <initializer_list>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace {

constexpr char kRawMagic[4] = {'K', 'R', 'A', 'W'};

bool hasExtension(const std::string& path, const char* extension)
{
    const std::size_t n = std::strlen(extension);
    return path.size() > n && path.compare(path.size() - n, n, extension) == 0;
}

kel::Bitmap readRaw(const std::string& path)
{
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) throw std::runtime_error("cannot open " + path);
    char magic[4];
    std::int32_t size[2];
    if (std::fread(magic, 1, 4, file) != 4 || std::memcmp(magic, kRawMagic, 4) != 0 ||
        std::fread(size, sizeof size, 1, file) != 1)
        throw std::runtime_error("not a raw dump: " + path);
    kel::Bitmap bitmap = kel::Bitmap::forOverwrite(size[0], size[1], kel::pf24bit);
    const std::size_t bytes = std::size_t(bitmap.bytesPerLine()) * std::size_t(bitmap.height());
    if (bytes > 0 && std::fread(bitmap.rowUnchecked(0), 1, bytes, file) != bytes)
        throw std::runtime_error("short raw dump: " + path);
    std::fclose(file);
    return bitmap;
}

void writeBytes(const std::string& path, const void* data, std::size_t size, const void* header = nullptr,
                std::size_t headerSize = 0)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(header, 1, headerSize, file) != headerSize || std::fwrite(data, 1, size, file) != size ||
        std::fclose(file) != 0)
        throw std::runtime_error("cannot write " + path);
}

kel::Bitmap readPicture(const std::string& path)
{
    if (hasExtension(path, ".raw")) return readRaw(path);
    kel::Bitmap bitmap;
    bitmap.assign(*kel::codecs::loadGraphic(QString::fromStdString(path)));
    bitmap.setPixelFormat(kel::pf24bit);
    return bitmap;
}

// The codecs' bytes without the save command's safety sync, as other tools write.
void writePicture(const kel::Bitmap& bitmap, const std::string& path)
{
    if (hasExtension(path, ".raw")) {
        char header[12];
        const std::int32_t size[2] = {bitmap.width(), bitmap.height()};
        std::memcpy(header, kRawMagic, 4);
        std::memcpy(header + 4, size, sizeof size);
        writeBytes(path, bitmap.height() > 0 ? bitmap.rowUnchecked(0) : nullptr,
                   std::size_t(bitmap.bytesPerLine()) * std::size_t(bitmap.height()), header, sizeof header);
        return;
    }
    const auto format = hasExtension(path, ".png") ? kel::codecs::WriteFormat::Png : kel::codecs::WriteFormat::Jpeg;
    const QByteArray bytes = kel::codecs::encodeBitmap(bitmap, format);
    writeBytes(path, bytes.constData(), std::size_t(bytes.size()));
}

// The shown picture of the view with these settings over the picture.
kel::Bitmap shownWith(const kel::Bitmap& picture, std::initializer_list<std::pair<kel::Effect, int>> settings)
{
    kel::EffectPipeline pipeline;
    for (const auto& [effect, value] : settings) pipeline.set(effect, value, &picture);
    kel::Bitmap shown(picture);
    pipeline.recompute(picture, shown);
    return shown;
}

using Operation = std::function<kel::Bitmap(kel::Bitmap)>;

const std::map<std::string, Operation>& operations()
{
    static const std::map<std::string, Operation> table = {
        {"copy", [](kel::Bitmap b) { return b; }},
        {"photo", [](kel::Bitmap) { return kel::bench::photoLikeBitmap(); }},
        {"brightness-contrast",
         [](kel::Bitmap b) { return shownWith(b, {{kel::Effect::Brightness, 20}, {kel::Effect::Contrast, 60}}); }},
        {"grey", [](kel::Bitmap b) { return shownWith(b, {{kel::Effect::GrayScale, 1}}); }},
        {"negate", [](kel::Bitmap b) { return shownWith(b, {{kel::Effect::Invert, 1}}); }},
        {"blur3x3",
         [](kel::Bitmap b) {
             kel::blur(b);
             return b;
         }},
        {"emboss", [](kel::Bitmap b) { return shownWith(b, {{kel::Effect::Emboss, 1}}); }},
        {"flip",
         [](kel::Bitmap b) {
             kel::flipBitmap(b, kel::FlipMode::Horizontal);
             return b;
         }},
        {"rotate90", [](kel::Bitmap b) { return kel::rotateBitmap(b, kel::QuarterTurn::Clockwise); }},
        {"resize50", [](kel::Bitmap b) { return kel::stretchedBitmap(b, b.width() / 2, b.height() / 2); }},
        {"colours",
         [](kel::Bitmap b) {
             std::printf("%d\n", kel::CountColors(b));
             return b;
         }},
    };
    return table;
}

} // namespace

int main(int argc, char** argv)
{
    const auto found = argc == 4 ? operations().find(argv[1]) : operations().end();
    if (found == operations().end()) {
        std::fprintf(stderr, "usage: kelvary_peer_ops <operation> <input> <output>\noperations:");
        for (const auto& [name, operation] : operations()) std::fprintf(stderr, " %s", name.c_str());
        std::fprintf(stderr, "\n");
        return 2;
    }
    try {
        const bool made = found->first == "photo";
        writePicture(found->second(made ? kel::Bitmap() : readPicture(argv[2])), argv[3]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "kelvary_peer_ops: %s\n", error.what());
        return 1;
    }
    return 0;
}
