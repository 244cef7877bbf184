// Windows bitmap writer: the bitmap in its own pixel format, bottom-up, with a
// 40-byte information header. 1, 4 and 8 bits carry the bitmap's palette;
// 15-bit bitmaps are written as 16-bit 5-5-5 (BI_RGB), 16-bit ones as 5-6-5
// bit fields (BI_BITFIELDS); 24 and 32 bits as they are.
#include "codecs/dib_encoder.h"
#include "codecs/writer_support.h"

namespace kel::codecs::detail {

QByteArray encodeBmp(const Bitmap& bitmap)
{
    requirePixels(bitmap, "BMP");
    const PixelFormat format = bitmap.pixelFormat();
    const int bits = bitsPerPixel(format);
    const bool indexed = isIndexed(format);
    const bool bitFields = format == pf16bit;
    const std::uint32_t paletteEntries = indexed ? std::uint32_t(1) << bits : 0;
    const std::uint32_t headerBytes = 14 + kDibInfoHeaderSize + (bitFields ? 12 : 0) + paletteEntries * 4;
    const std::uint32_t stride = std::uint32_t(bitmap.bytesPerLine()); // already padded to 4 bytes
    const std::uint64_t imageBytes = std::uint64_t(stride) * std::uint64_t(bitmap.height());
    if (headerBytes + imageBytes > 0x7FFFFFFF) writeFailure("BMP", QStringLiteral("image trop grande"));

    ByteWriter out(qsizetype(headerBytes + imageBytes));
    out.bytes("BM", 2);
    out.u32(std::uint32_t(headerBytes + imageBytes));
    out.u32(0);
    out.u32(headerBytes);
    // Positive height: bottom-up.
    writeDibInfoHeader(out, {bitmap.width(), bitmap.height(), bits, std::uint32_t(bitFields ? 3 : 0),
                             std::uint32_t(imageBytes), paletteEntries});
    if (bitFields) {
        out.u32(0xF800);
        out.u32(0x07E0);
        out.u32(0x001F);
    }
    writeDibColourTable(out, bitmap.palette(), paletteEntries);
    // The bitmap's rows are stored exactly as a DIB's (same padding, same
    // byte order), only top to bottom.
    for (int y = bitmap.height() - 1; y >= 0; --y) out.bytes(bitmap.rowUnchecked(y), qsizetype(stride));
    return out.take();
}

} // namespace kel::codecs::detail
