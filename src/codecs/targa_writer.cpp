// Truevision Targa writer: run-length compressed, bottom-left origin.
// 24-bit true colour (type 10) for direct-colour bitmaps; 8-bit indexes with a
// 24-bit colour map (type 9) for indexed ones, 1- and 4-bit bitmaps being
// written as 8-bit with their own palette. A TGA 2.0 footer ends the file.
#include "codecs/byte_reader.h"
#include "codecs/byte_writer.h"
#include "codecs/writer_support.h"

#include <vector>

namespace kel::codecs::detail {

namespace {

// Run-length packets of one row of `count` pixels of `size` bytes each; a
// packet never crosses the row's end.
void packRow(ByteWriter& out, const std::uint8_t* pixels, int count, int size)
{
    auto same = [&](int a, int b) {
        for (int k = 0; k < size; ++k)
            if (pixels[a * size + k] != pixels[b * size + k]) return false;
        return true;
    };
    int x = 0;
    while (x < count) {
        // A run of at least two equal pixels goes in a repeat packet.
        int run = 1;
        while (x + run < count && run < 128 && same(x, x + run)) ++run;
        if (run >= 2) {
            out.u8(std::uint8_t(0x80 | (run - 1)));
            out.bytes(pixels + x * size, size);
            x += run;
            continue;
        }
        // Otherwise a raw packet up to the next pair of equal pixels.
        int raw = 1;
        while (x + raw < count && raw < 128 && !(x + raw + 1 < count && same(x + raw, x + raw + 1))) ++raw;
        out.u8(std::uint8_t(raw - 1));
        out.bytes(pixels + x * size, raw * size);
        x += raw;
    }
}

} // namespace

QByteArray encodeTarga(const Bitmap& bitmap)
{
    requirePixels(bitmap, "Targa");
    if (bitmap.width() > 0xFFFF || bitmap.height() > 0xFFFF) writeFailure("Targa", QStringLiteral("image trop grande"));
    const bool indexed = isIndexed(bitmap.pixelFormat());
    const int w = bitmap.width(), h = bitmap.height();

    const Palette& palette = bitmap.palette();
    ByteWriter out;
    out.u8(0);                                            // no image identification field
    out.u8(indexed ? 1 : 0);                              // colour map present
    out.u8(indexed ? 9 : 10);                             // RLE colour-mapped / RLE true colour
    out.u16(0);                                           // first colour map entry
    out.u16(std::uint16_t(indexed ? palette.size() : 0)); // colour map length
    out.u8(indexed ? 24 : 0);                             // colour map entry size
    out.u16(0);                                           // x origin
    out.u16(0);                                           // y origin
    out.u16(std::uint16_t(w));
    out.u16(std::uint16_t(h));
    out.u8(indexed ? 8 : 24);                             // bits per pixel
    out.u8(0);                                            // bottom-left origin, no alpha bits
    if (indexed)
        for (Colour c : palette) out.bgr(c);

    std::vector<std::uint8_t> row(std::size_t(w) * (indexed ? 1 : 3));
    Bitmap storage;
    const Bitmap& source = indexed ? bitmap : as24bit(bitmap, storage);
    for (int y = h - 1; y >= 0; --y) {
        if (indexed) {
            const std::uint8_t* in = bitmap.rowUnchecked(y);
            const int bits = bitsPerPixel(bitmap.pixelFormat());
            for (int x = 0; x < w; ++x) row[std::size_t(x)] = std::uint8_t(packedValue(in, std::size_t(x), bits));
            packRow(out, row.data(), w, 1);
        } else {
            packRow(out, source.rowUnchecked(y), w, 3);
        }
    }
    // TGA 2.0 footer: no extension area, no developer directory.
    out.u32(0);
    out.u32(0);
    out.bytes("TRUEVISION-XFILE.", 18); // with its terminating zero
    return out.take();
}

} // namespace kel::codecs::detail
