#include "io/metafile_writer.h"

#include "codecs/atomic_file.h"
#include "codecs/dib_encoder.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <vector>

namespace kel::io {
namespace {

constexpr std::uint32_t kSourceCopy = 0x00CC0020;

// The bitmap as a 24-bit device-independent bitmap: information header, then
// the rows bottom first, padded to 4 bytes.
QByteArray deviceIndependentBitmap(const Bitmap& bitmap)
{
    const int width = bitmap.width(), height = bitmap.height();
    const int stride = (width * 3 + 3) / 4 * 4;
    codecs::ByteWriter out;
    codecs::writeDibInfoHeader(out, {width, height, 24, 0, std::uint32_t(stride) * std::uint32_t(height), 0});

    std::vector<Colour> colours(static_cast<std::size_t>(width));
    std::vector<std::uint8_t> row(static_cast<std::size_t>(stride), 0);
    for (int y = height - 1; y >= 0; --y) {
        readRow(bitmap, y, colours.data());
        for (int x = 0; x < width; ++x) colourToBgr(colours[std::size_t(x)], row.data() + 3 * x);
        out.bytes(row.data(), stride);
    }
    return out.take();
}

// The DIB of a bitmap that a metafile can draw.
QByteArray drawableDib(const Bitmap& bitmap)
{
    if (bitmap.empty()) throw InvalidOperation(QStringLiteral("Aucune image à enregistrer"));
    // Windows metafile coordinates are signed 16-bit numbers.
    if (bitmap.width() > 32767 || bitmap.height() > 32767)
        throw InvalidOperation(QStringLiteral("Image trop grande pour un métafichier (%1 x %2 pixels, 32767 au plus)")
                                   .arg(bitmap.width())
                                   .arg(bitmap.height()));
    return deviceIndependentBitmap(bitmap);
}

QByteArray enhancedMetafile(const Bitmap& bitmap)
{
    const QByteArray dib = drawableDib(bitmap);
    const int width = bitmap.width(), height = bitmap.height();
    constexpr std::uint32_t headerSize = 108, drawFields = 80, endSize = 20;
    const auto drawSize = std::uint32_t(drawFields + dib.size());
    codecs::ByteWriter out;
    auto bounds = [&] {
        out.i32(0);
        out.i32(0);
        out.i32(width - 1);
        out.i32(height - 1);
    };

    // Reference device: 1920 x 1440 pixels on 508 x 381 mm, that is 96 per inch.
    out.u32(1); // EMR_HEADER
    out.u32(headerSize);
    bounds();
    out.i32(0); // frame, in hundredths of a millimetre
    out.i32(0);
    out.i32((width * 2540 + 48) / 96);
    out.i32((height * 2540 + 48) / 96);
    out.u32(0x464D4520); // " EMF"
    out.u32(0x00010000);
    out.u32(headerSize + drawSize + endSize);
    out.u32(3); // records
    out.u16(1); // handles: the reserved one only
    out.u16(0);
    out.u32(0); // no description
    out.u32(0);
    out.u32(0); // no palette
    out.i32(1920);
    out.i32(1440);
    out.i32(508);
    out.i32(381);
    out.u32(0); // no pixel format
    out.u32(0);
    out.u32(0); // not OpenGL
    out.i32(508000);
    out.i32(381000);

    out.u32(81); // EMR_STRETCHDIBITS
    out.u32(drawSize);
    bounds();
    out.i32(0); // destination x, y
    out.i32(0);
    out.i32(0); // source x, y, width, height
    out.i32(0);
    out.i32(width);
    out.i32(height);
    out.u32(drawFields); // the bitmap's header follows the fields
    out.u32(codecs::kDibInfoHeaderSize);
    out.u32(drawFields + codecs::kDibInfoHeaderSize);
    out.u32(std::uint32_t(dib.size() - codecs::kDibInfoHeaderSize));
    out.u32(0); // DIB_RGB_COLORS
    out.u32(kSourceCopy);
    out.i32(width); // destination width, height
    out.i32(height);
    out.bytes(dib);

    out.u32(14); // EMR_EOF
    out.u32(endSize);
    out.u32(0); // no palette entries
    out.u32(16);
    out.u32(endSize);
    return out.take();
}

QByteArray windowsMetafile(const Bitmap& bitmap)
{
    const QByteArray dib = drawableDib(bitmap);
    const int width = bitmap.width(), height = bitmap.height();
    constexpr std::uint32_t headerWords = 9, drawFieldWords = 14, endWords = 3;
    const auto drawWords = std::uint32_t(drawFieldWords + dib.size() / 2);
    codecs::ByteWriter out;

    const std::uint16_t placeable[10] = {0xCDD7, 0x9AC6, 0, 0, 0, std::uint16_t(width), std::uint16_t(height), 96, 0, 0};
    std::uint16_t checksum = 0;
    for (const std::uint16_t word : placeable) {
        out.u16(word);
        checksum ^= word;
    }
    out.u16(checksum);

    out.u16(1); // memory metafile
    out.u16(headerWords);
    out.u16(0x0300);
    out.u32(headerWords + drawWords + endWords);
    out.u16(0); // no objects
    out.u32(drawWords);
    out.u16(0);

    out.u32(drawWords);
    out.u16(0x0F43); // META_STRETCHDIB
    out.u32(kSourceCopy);
    out.u16(0); // DIB_RGB_COLORS
    for (const int field : {height, width, 0, 0, height, width, 0, 0}) out.i16(field); // source, then destination
    out.bytes(dib);

    out.u32(endWords);
    out.u16(0x0000); // META_EOF
    return out.take();
}

} // namespace

void writeEnhancedMetafile(QIODevice& stream, const Bitmap& bitmap)
{
    codecs::writeToDevice(stream, enhancedMetafile(bitmap));
}

void writeWindowsMetafile(QIODevice& stream, const Bitmap& bitmap)
{
    codecs::writeToDevice(stream, windowsMetafile(bitmap));
}

void saveBitmapAsMetafile(const Bitmap& bitmap, const QString& fileName)
{
    const bool windows = fileName.endsWith(QStringLiteral(".wmf"), Qt::CaseInsensitive);
    codecs::writeFileAtomically(fileName, windows ? windowsMetafile(bitmap) : enhancedMetafile(bitmap));
}

} // namespace kel::io
