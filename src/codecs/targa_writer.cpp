// Truevision Targa writer: run-length compressed, bottom-left origin.
// 24-bit true colour (type 10) for direct-colour bitmaps; 8-bit indexes with a
// 24-bit colour map (type 9) for indexed ones, 1- and 4-bit bitmaps being
// written as 8-bit with their own palette. A TGA 2.0 footer ends the file.
#include "codecs/writer_support.h"
#include "graphics/pixel_rows.h"

#include <vector>

namespace kel::codecs::detail {

namespace {

void put16(QByteArray& out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

// Run-length packets of one row of `count` pixels of `size` bytes each; a
// packet never crosses the row's end.
void packRow(QByteArray& out, const std::uint8_t* pixels, int count, int size)
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
            out.append(char(0x80 | (run - 1)));
            out.append(reinterpret_cast<const char*>(pixels + x * size), size);
            x += run;
            continue;
        }
        // Otherwise a raw packet up to the next pair of equal pixels.
        int raw = 1;
        while (x + raw < count && raw < 128 && !(x + raw + 1 < count && same(x + raw, x + raw + 1))) ++raw;
        out.append(char(raw - 1));
        out.append(reinterpret_cast<const char*>(pixels + x * size), raw * size);
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

    QByteArray out;
    out.append(char(0));                    // no image identification field
    out.append(char(indexed ? 1 : 0));      // colour map present
    out.append(char(indexed ? 9 : 10));     // RLE colour-mapped / RLE true colour
    const Palette& palette = bitmap.palette();
    put16(out, 0);                                       // first colour map entry
    put16(out, indexed ? int(palette.size()) : 0);       // colour map length
    out.append(char(indexed ? 24 : 0));                  // colour map entry size
    put16(out, 0);                                       // x origin
    put16(out, 0);                                       // y origin
    put16(out, w);
    put16(out, h);
    out.append(char(indexed ? 8 : 24));                  // bits per pixel
    out.append(char(0));                                 // bottom-left origin, no alpha bits
    if (indexed)
        for (Colour c : palette) {
            out.append(char(blueOf(c)));
            out.append(char(greenOf(c)));
            out.append(char(redOf(c)));
        }

    std::vector<std::uint8_t> row(std::size_t(w) * (indexed ? 1 : 3));
    Bitmap storage;
    const Bitmap& source = indexed ? bitmap : as24bit(bitmap, storage);
    for (int y = h - 1; y >= 0; --y) {
        if (indexed) {
            const std::uint8_t* in = bitmap.rowUnchecked(y);
            for (int x = 0; x < w; ++x) {
                switch (bitmap.pixelFormat()) {
                case pf1bit: row[std::size_t(x)] = std::uint8_t((in[x >> 3] >> (7 - (x & 7))) & 1); break;
                case pf4bit: row[std::size_t(x)] = std::uint8_t((x & 1) ? in[x >> 1] & 0x0F : in[x >> 1] >> 4); break;
                default: row[std::size_t(x)] = in[x]; break;
                }
            }
            packRow(out, row.data(), w, 1);
        } else {
            packRow(out, source.rowUnchecked(y), w, 3);
        }
    }
    // TGA 2.0 footer: no extension area, no developer directory.
    for (int i = 0; i < 8; ++i) out.append(char(0));
    out.append("TRUEVISION-XFILE.", 17);
    out.append(char(0));
    return out;
}

} // namespace kel::codecs::detail
