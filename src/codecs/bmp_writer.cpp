// Windows bitmap writer: the bitmap in its own pixel format, bottom-up, with a
// 40-byte information header. 1, 4 and 8 bits carry the bitmap's palette;
// 15-bit bitmaps are written as 16-bit 5-5-5 (BI_RGB), 16-bit ones as 5-6-5
// bit fields (BI_BITFIELDS); 24 and 32 bits as they are.
#include "codecs/atomic_file.h"
#include "codecs/dib_encoder.h"
#include "codecs/writer_support.h"

#include <algorithm>

namespace kel::codecs::detail {

namespace {

struct BmpLayout {
    std::uint32_t stride;  // the bitmap's row length, already padded to 4 bytes
    std::uint64_t imageBytes;
};

// Everything before the pixel rows: file header, information header, bit
// fields and colour table.
QByteArray bmpHeader(const Bitmap& bitmap, BmpLayout& layout)
{
    requirePixels(bitmap, "BMP");
    const PixelFormat format = bitmap.pixelFormat();
    const int bits = bitsPerPixel(format);
    const bool indexed = isIndexed(format);
    const bool bitFields = format == pf16bit;
    const std::uint32_t paletteEntries = indexed ? std::uint32_t(1) << bits : 0;
    const std::uint32_t headerBytes = 14 + kDibInfoHeaderSize + (bitFields ? 12 : 0) + paletteEntries * 4;
    layout.stride = std::uint32_t(bitmap.bytesPerLine());
    layout.imageBytes = std::uint64_t(layout.stride) * std::uint64_t(bitmap.height());
    if (headerBytes + layout.imageBytes > 0x7FFFFFFF) writeFailure("BMP", QStringLiteral("image trop grande"));

    ByteWriter out(headerBytes);
    out.bytes("BM", 2);
    out.u32(std::uint32_t(headerBytes + layout.imageBytes));
    out.u32(0);
    out.u32(headerBytes);
    // Positive height: bottom-up.
    writeDibInfoHeader(out, {bitmap.width(), bitmap.height(), bits, std::uint32_t(bitFields ? 3 : 0),
                             std::uint32_t(layout.imageBytes), paletteEntries});
    if (bitFields) {
        out.u32(0xF800);
        out.u32(0x07E0);
        out.u32(0x001F);
    }
    writeDibColourTable(out, bitmap.palette(), paletteEntries);
    return out.take();
}

} // namespace

// The bitmap's rows are stored exactly as a DIB's (same padding, same byte
// order), only top to bottom.
QByteArray encodeBmp(const Bitmap& bitmap)
{
    BmpLayout layout{};
    const QByteArray header = bmpHeader(bitmap, layout);
    ByteWriter out(header.size() + qsizetype(layout.imageBytes));
    out.bytes(header);
    for (int y = bitmap.height() - 1; y >= 0; --y) out.bytes(bitmap.rowUnchecked(y), qsizetype(layout.stride));
    return out.take();
}

void writeBmp(const Bitmap& bitmap, QIODevice& device)
{
    BmpLayout layout{};
    writeToDevice(device, bmpHeader(bitmap, layout));
    // The rows go out in blocks of about a megabyte gathered in one buffer,
    // so the file's bytes are never held whole in memory.
    const qsizetype rowsPerBlock = std::max<qsizetype>(1, (qsizetype(1) << 20) / std::max<qsizetype>(1, layout.stride));
    QByteArray block;
    block.reserve(rowsPerBlock * qsizetype(layout.stride));
    for (int y = bitmap.height() - 1; y >= 0; --y) {
        block.append(reinterpret_cast<const char*>(bitmap.rowUnchecked(y)), qsizetype(layout.stride));
        if (block.size() >= rowsPerBlock * qsizetype(layout.stride) || y == 0) {
            writeToDevice(device, block);
            block.resize(0);
        }
    }
}

} // namespace kel::codecs::detail
