#include "io/tiff_writer.h"

#include "codecs/atomic_file.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "io/stream_writer.h"

#include <QBuffer>

#include <vector>

namespace kel::io {
namespace {

enum FieldType : std::uint16_t { Ascii = 2, Short = 3, Long = 4, Rational = 5 };

constexpr std::uint32_t kProvisionalDirectoryOffset = 8;
constexpr std::uint16_t kEntryCount = 15;
constexpr char kSoftware[] = "Fendralupo";
constexpr std::uint32_t kSoftwareLength = sizeof kSoftware - 1; // written without its terminating zero

void writeHeader(StreamWriter& out)
{
    out.u8('I');
    out.u8('I');
    out.u16(42);
    out.u32(kProvisionalDirectoryOffset);
}

// 87.7 pixels per inch.
void writeResolution(StreamWriter& out)
{
    out.u32(877);
    out.u32(10);
}

void writeEntry(StreamWriter& out, std::uint16_t tag, FieldType type, std::uint32_t count, std::uint32_t value)
{
    out.u16(tag);
    out.u16(type);
    out.u32(count);
    out.u32(value);
}

// Ends the file: directory after the image data, then the header's pointer to it.
template <typename Entries>
void writeDirectory(StreamWriter& out, Entries writeEntries)
{
    const auto directory = std::uint32_t(out.position());
    out.u16(kEntryCount);
    writeEntries();
    out.u32(0); // no next directory
    out.seek(4);
    out.u32(directory);
}

void writePaletteImage(StreamWriter& out, const Bitmap& bitmap, int bits)
{
    const int height = bitmap.height();
    const int writtenWidth = bits == 8 ? bitmap.width() : bitmap.width() / 4 * 4;
    const int rowBytes = bits == 8 ? writtenWidth : writtenWidth / 2;
    const int entries = 1 << bits;
    const Palette& palette = bitmap.palette();
    auto component = [&](int i, int (*of)(Colour)) {
        return std::uint16_t(std::size_t(i) < palette.size() ? of(palette[std::size_t(i)]) * 256 : 0);
    };

    writeHeader(out);
    for (auto of : {redOf, greenOf, blueOf})
        for (int i = 0; i < entries; ++i) out.u16(component(i, of));
    const auto xResolution = std::uint32_t(out.position());
    writeResolution(out);
    const auto yResolution = std::uint32_t(out.position());
    writeResolution(out);
    const auto software = std::uint32_t(out.position());
    out.bytes(kSoftware, kSoftwareLength);
    const auto strip = std::uint32_t(out.position());
    for (int y = 0; y < height; ++y) out.bytes(bitmap.rowUnchecked(y), rowBytes);

    const auto stripBytes = std::uint32_t(height) * std::uint32_t(rowBytes);
    writeDirectory(out, [&] {
        writeEntry(out, 254, Long, 1, 0);
        writeEntry(out, 256, Short, 1, std::uint32_t(writtenWidth));
        writeEntry(out, 257, Short, 1, std::uint32_t(height));
        writeEntry(out, 258, Short, 1, std::uint32_t(bits));
        writeEntry(out, 259, Short, 1, 1);
        writeEntry(out, 262, Short, 1, 3);
        writeEntry(out, 273, Long, 1, strip);
        writeEntry(out, 277, Short, 1, 1);
        writeEntry(out, 278, Long, 1, std::uint32_t(height));
        writeEntry(out, 279, Long, 1, stripBytes);
        writeEntry(out, 282, Rational, 1, xResolution);
        writeEntry(out, 283, Rational, 1, yResolution);
        writeEntry(out, 296, Short, 1, 2);
        writeEntry(out, 305, Ascii, kSoftwareLength, software);
        writeEntry(out, 320, Short, std::uint32_t(3 * entries), kProvisionalDirectoryOffset);
    });
}

void writeRgbImage(StreamWriter& out, const Bitmap& bitmap)
{
    const int width = bitmap.width(), height = bitmap.height();

    writeHeader(out);
    const auto xResolution = std::uint32_t(out.position());
    writeResolution(out);
    const auto yResolution = std::uint32_t(out.position());
    writeResolution(out);
    const auto bitsPerSample = std::uint32_t(out.position());
    for (int i = 0; i < 3; ++i) out.u16(8);
    const auto software = std::uint32_t(out.position());
    out.bytes(kSoftware, kSoftwareLength);
    const auto strip = std::uint32_t(out.position());

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
        out.bytes(row.data(), qint64(row.size()));
    }

    const auto stripBytes = std::uint32_t(3) * std::uint32_t(width) * std::uint32_t(height);
    writeDirectory(out, [&] {
        writeEntry(out, 254, Long, 1, 0);
        writeEntry(out, 256, Short, 1, std::uint32_t(width));
        writeEntry(out, 257, Short, 1, std::uint32_t(height));
        writeEntry(out, 258, Short, 3, bitsPerSample);
        writeEntry(out, 259, Short, 1, 1);
        writeEntry(out, 262, Short, 1, 2);
        writeEntry(out, 273, Long, 1, strip);
        writeEntry(out, 277, Short, 1, 3);
        writeEntry(out, 278, Long, 1, std::uint32_t(height));
        writeEntry(out, 279, Long, 1, stripBytes);
        writeEntry(out, 282, Rational, 1, xResolution);
        writeEntry(out, 283, Rational, 1, yResolution);
        writeEntry(out, 284, Short, 1, 1);
        writeEntry(out, 296, Short, 1, 2);
        writeEntry(out, 305, Ascii, kSoftwareLength, software);
    });
}

} // namespace

void WriteBitmapAsTiff(QIODevice& stream, const Bitmap& bitmap)
{
    if (bitmap.empty() || bitmap.pixelFormat() == pf1bit) return;
    // ImageWidth and ImageLength are 16-bit fields.
    if (bitmap.width() > 65535 || bitmap.height() > 65535)
        throw InvalidOperation(QStringLiteral("Image trop grande pour le format TIFF (%1 x %2 pixels, 65535 au plus)")
                                   .arg(bitmap.width())
                                   .arg(bitmap.height()));
    StreamWriter out(stream);
    switch (bitmap.pixelFormat()) {
    case pf4bit:
        if (bitmap.width() < 4)
            throw InvalidOperation(
                QStringLiteral("Image à 16 couleurs trop étroite pour le format TIFF (4 pixels de large au moins)"));
        writePaletteImage(out, bitmap, 4);
        break;
    case pf8bit: writePaletteImage(out, bitmap, 8); break;
    default: writeRgbImage(out, bitmap); break;
    }
}

void SaveBitmapAsTiff(const QString& fileName, const Bitmap& bitmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteBitmapAsTiff(buffer, bitmap);
    buffer.close();
    if (bytes.isEmpty())
        throw InvalidOperation(bitmap.empty() ? QStringLiteral("Aucune image à enregistrer")
                                              : QStringLiteral("Les images à 2 couleurs ne s'enregistrent pas au format TIFF"));
    codecs::writeFileAtomically(fileName, bytes);
}

} // namespace kel::io
