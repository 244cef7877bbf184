#include "io/tiff_writer.h"

#include "codecs/atomic_file.h"
#include "codecs/byte_writer.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <vector>

namespace kel::io {
namespace {

enum FieldType : std::uint16_t { Ascii = 2, Short = 3, Long = 4, Rational = 5 };

constexpr std::uint32_t kProvisionalDirectoryOffset = 8;
constexpr std::uint16_t kEntryCount = 15;
constexpr char kSoftware[] = "Fendralupo";
constexpr std::uint32_t kSoftwareLength = sizeof kSoftware - 1; // written without its terminating zero

// What tells the two kinds of image apart.
struct Layout {
    int width;           // written width
    int height;
    int bits;            // per sample
    int samples;         // 1: palette colour; 3: RGB
    std::uint32_t stripBytes;
};

// 87.7 pixels per inch.
void writeResolution(codecs::ByteWriter& out)
{
    out.u32(877);
    out.u32(10);
}

// The whole file: header, the colour map (palette images), both resolutions,
// the bits per sample (RGB images), the software's name, the strip of pixel
// rows that `writeStrip` writes, then the directory that points at all of
// them, whose offset goes into the header last.
template <typename Strip>
QByteArray tiffFile(const Layout& image, const Palette& palette, Strip writeStrip)
{
    const bool rgb = image.samples == 3;
    codecs::ByteWriter out;
    out.u8('I');
    out.u8('I');
    out.u16(42);
    out.u32(kProvisionalDirectoryOffset);
    const int entries = 1 << image.bits;
    if (!rgb)
        for (auto of : {redOf, greenOf, blueOf})
            for (int i = 0; i < entries; ++i)
                out.u16(std::uint16_t(std::size_t(i) < palette.size() ? of(palette[std::size_t(i)]) * 256 : 0));
    const auto xResolution = std::uint32_t(out.position());
    writeResolution(out);
    const auto yResolution = std::uint32_t(out.position());
    writeResolution(out);
    const auto bitsPerSample = rgb ? std::uint32_t(out.position()) : std::uint32_t(image.bits);
    if (rgb)
        for (int i = 0; i < 3; ++i) out.u16(8);
    const auto software = std::uint32_t(out.position());
    out.bytes(kSoftware, kSoftwareLength);
    const auto strip = std::uint32_t(out.position());
    writeStrip(out);

    const auto directory = std::uint32_t(out.position());
    auto entry = [&out](std::uint16_t tag, FieldType type, std::uint32_t count, std::uint32_t value) {
        out.u16(tag);
        out.u16(type);
        out.u32(count);
        out.u32(value);
    };
    const auto samples = std::uint32_t(image.samples), height = std::uint32_t(image.height);
    out.u16(kEntryCount);
    entry(254, Long, 1, 0);
    entry(256, Short, 1, std::uint32_t(image.width));
    entry(257, Short, 1, height);
    entry(258, Short, samples, bitsPerSample);
    entry(259, Short, 1, 1);
    entry(262, Short, 1, rgb ? 2 : 3);
    entry(273, Long, 1, strip);
    entry(277, Short, 1, samples);
    entry(278, Long, 1, height);
    entry(279, Long, 1, image.stripBytes);
    entry(282, Rational, 1, xResolution);
    entry(283, Rational, 1, yResolution);
    if (rgb) entry(284, Short, 1, 1);
    entry(296, Short, 1, 2);
    entry(305, Ascii, kSoftwareLength, software);
    if (!rgb) entry(320, Short, std::uint32_t(3 * entries), kProvisionalDirectoryOffset);
    out.u32(0); // no next directory
    out.patchU32(4, directory);
    return out.take();
}

QByteArray paletteImage(const Bitmap& bitmap, int bits)
{
    const int height = bitmap.height();
    const int writtenWidth = bits == 8 ? bitmap.width() : bitmap.width() / 4 * 4;
    const int rowBytes = bits == 8 ? writtenWidth : writtenWidth / 2;
    const Layout layout{writtenWidth, height, bits, 1, std::uint32_t(height) * std::uint32_t(rowBytes)};
    return tiffFile(layout, bitmap.palette(), [&](codecs::ByteWriter& out) {
        for (int y = 0; y < height; ++y) out.bytes(bitmap.rowUnchecked(y), rowBytes);
    });
}

QByteArray rgbImage(const Bitmap& bitmap)
{
    const int width = bitmap.width(), height = bitmap.height();
    const Layout layout{width, height, 8, 3, std::uint32_t(3) * std::uint32_t(width) * std::uint32_t(height)};
    return tiffFile(layout, {}, [&](codecs::ByteWriter& out) {
        std::vector<Colour> colours(static_cast<std::size_t>(width));
        std::vector<std::uint8_t> row(std::size_t(width) * 3);
        for (int y = 0; y < height; ++y) {
            readRow(bitmap, y, colours.data());
            for (int x = 0; x < width; ++x) {
                const Colour c = colours[std::size_t(x)];
                row[std::size_t(x) * 3] = std::uint8_t(redOf(c));
                row[std::size_t(x) * 3 + 1] = std::uint8_t(greenOf(c));
                row[std::size_t(x) * 3 + 2] = std::uint8_t(blueOf(c));
            }
            out.bytes(row.data(), qsizetype(row.size()));
        }
    });
}

// The file, or nothing for an empty or 1-bit bitmap.
QByteArray tiffBytes(const Bitmap& bitmap)
{
    if (bitmap.empty() || bitmap.pixelFormat() == pf1bit) return {};
    // ImageWidth and ImageLength are 16-bit fields.
    if (bitmap.width() > 65535 || bitmap.height() > 65535)
        throw InvalidOperation(QStringLiteral("Image trop grande pour le format TIFF (%1 x %2 pixels, 65535 au plus)")
                                   .arg(bitmap.width())
                                   .arg(bitmap.height()));
    switch (bitmap.pixelFormat()) {
    case pf4bit:
        if (bitmap.width() < 4)
            throw InvalidOperation(
                QStringLiteral("Image à 16 couleurs trop étroite pour le format TIFF (4 pixels de large au moins)"));
        return paletteImage(bitmap, 4);
    case pf8bit: return paletteImage(bitmap, 8);
    default: return rgbImage(bitmap);
    }
}

} // namespace

void WriteBitmapAsTiff(QIODevice& stream, const Bitmap& bitmap)
{
    codecs::writeToDevice(stream, tiffBytes(bitmap));
}

QByteArray encodeTiff(const Bitmap& bitmap)
{
    QByteArray bytes = tiffBytes(bitmap);
    if (bytes.isEmpty())
        throw InvalidOperation(bitmap.empty() ? QStringLiteral("Aucune image à enregistrer")
                                              : QStringLiteral("Les images à 2 couleurs ne s'enregistrent pas au format TIFF"));
    return bytes;
}

void SaveBitmapAsTiff(const QString& fileName, const Bitmap& bitmap)
{
    codecs::writeFileAtomically(fileName, encodeTiff(bitmap));
}

} // namespace kel::io
