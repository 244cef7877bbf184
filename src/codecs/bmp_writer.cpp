// Windows bitmap writer: the bitmap in its own pixel format, bottom-up, with a
// 40-byte information header. 1, 4 and 8 bits carry the bitmap's palette;
// 15-bit bitmaps are written as 16-bit 5-5-5 (BI_RGB), 16-bit ones as 5-6-5
// bit fields (BI_BITFIELDS); 24 and 32 bits as they are.
#include "codecs/writer_support.h"



namespace kel::codecs::detail {

namespace {

void put16(QByteArray& out, std::uint32_t v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& out, std::uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

} // namespace

QByteArray encodeBmp(const Bitmap& bitmap)
{
    requirePixels(bitmap, "BMP");
    const PixelFormat format = bitmap.pixelFormat();
    const int bits = bitsPerPixel(format);
    const bool indexed = isIndexed(format);
    const bool bitFields = format == pf16bit;
    const std::uint32_t paletteEntries = indexed ? std::uint32_t(1) << bits : 0;
    const std::uint32_t headerBytes = 14 + 40 + (bitFields ? 12 : 0) + paletteEntries * 4;
    const std::uint32_t stride = std::uint32_t(bitmap.bytesPerLine()); // already padded to 4 bytes
    const std::uint64_t imageBytes = std::uint64_t(stride) * std::uint64_t(bitmap.height());
    if (headerBytes + imageBytes > 0x7FFFFFFF) writeFailure("BMP", QStringLiteral("image trop grande"));

    QByteArray out;
    out.reserve(qsizetype(headerBytes + imageBytes));
    out.append("BM", 2);
    put32(out, std::uint32_t(headerBytes + imageBytes));
    put32(out, 0);
    put32(out, headerBytes);
    put32(out, 40);
    put32(out, std::uint32_t(bitmap.width()));
    put32(out, std::uint32_t(bitmap.height())); // positive: bottom-up
    put16(out, 1);
    put16(out, std::uint32_t(bits));
    put32(out, bitFields ? 3 : 0);
    put32(out, std::uint32_t(imageBytes));
    put32(out, 0);
    put32(out, 0);
    put32(out, paletteEntries);
    put32(out, 0);
    if (bitFields) {
        put32(out, 0xF800);
        put32(out, 0x07E0);
        put32(out, 0x001F);
    }
    if (indexed) {
        const Palette& palette = bitmap.palette();
        for (std::uint32_t i = 0; i < paletteEntries; ++i) {
            const Colour c = i < palette.size() ? palette[i] : clBlack;
            out.append(char(blueOf(c)));
            out.append(char(greenOf(c)));
            out.append(char(redOf(c)));
            out.append(char(0));
        }
    }
    // The bitmap's rows are stored exactly as a DIB's (same padding, same
    // byte order), only top to bottom.
    for (int y = bitmap.height() - 1; y >= 0; --y)
        out.append(reinterpret_cast<const char*>(bitmap.rowUnchecked(y)), qsizetype(stride));
    return out;
}

} // namespace kel::codecs::detail
