// Windows and OS/2 bitmaps ("bmp", "dib", "rle"), parsed by hand.
//
// Headers: OS/2 1.x / Windows 2.x core header (12 bytes), OS/2 2.x header
// (16 to 64 bytes), Windows information header (40) and its V2, V3, V4 and V5
// extensions (52, 56, 108, 124). The 14-byte file header may be missing in a
// ".dib" file; the pixels then follow the colour table.
// Pixels: 1, 4, 8 bits with a colour table, 16 bits (5-5-5, or bit fields),
// 24 bits, 32 bits (fourth byte unused, or bit fields with an alpha mask);
// bottom-up or top-down; RLE8 and RLE4.
// Result: a 24-bit bitmap, or an RgbaGraphic when an alpha mask gives the
// picture real transparency.
#include "codecs/byte_reader.h"
#include "codecs/library_codecs.h"
#include "graphics/pixel_rows.h"

#include <QImage>

#include <algorithm>
#include <array>
#include <cstring>
#include <vector>

namespace kel::codecs::detail {

namespace {

constexpr std::uint32_t BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_JPEG = 4, BI_PNG = 5,
                        BI_ALPHABITFIELDS = 6;

[[noreturn]] void fail(const QString& what) { rejectGraphic("BMP", what); }

// One colour field of a bit-field pixel: where it lies and how to widen it to 8 bits.
struct Field {
    std::uint32_t mask = 0;
    int shift = 0;
    int bits = 0;

    explicit Field(std::uint32_t m = 0) : mask(m)
    {
        if (!mask) return;
        while (!((mask >> shift) & 1)) ++shift;
        std::uint32_t v = mask >> shift;
        while (v & 1) {
            ++bits;
            v >>= 1;
        }
        if (v) fail(QStringLiteral("masque de couleur incorrect"));
    }
    // The field's value widened to 8 bits by repeating its top bits (5 bits
    // widen as the graphics layer's 5-5-5 and 5-6-5 formats do).
    int value(std::uint32_t pixel) const
    {
        if (!bits) return 0;
        const std::uint32_t v = (pixel & mask) >> shift;
        if (bits >= 8) return int(v >> (bits - 8));
        std::uint32_t widened = 0;
        int have = 0;
        while (have < 8) {
            widened = (widened << bits) | v;
            have += bits;
        }
        return int(widened >> (have - 8));
    }
};

struct Header {
    bool core = false;   // 12-byte header: 16-bit sizes, 3-byte colour table entries
    bool os2v2 = false;  // OS/2 2.x header (compression 3 is Huffman there)
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0; // negative: top-down
    int bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t coloursUsed = 0;
    std::uint32_t masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha
    bool hasMasks = false;
    bool hasAlphaMask = false;
};

// Decodes a run-length compressed picture straight into a 24-bit bitmap
// whose pixels were first set to the colour of index 0 (what skipped pixels show).
void decodeRle(ByteReader& in, bool fourBits, const Palette& palette, bool topDown, Bitmap& bitmap)
{
    const int width = bitmap.width(), height = bitmap.height();
    // Some writers (ImageMagick among them) also encode the padding of each
    // row: pixels up to the padded row width are dropped, further ones overrun.
    const int bits = fourBits ? 4 : 8;
    const int paddedWidth = int(((std::int64_t(width) * bits + 31) / 32) * 32 / bits);
    int x = 0;
    int line = 0; // counted from the first row stored
    auto put = [&](int index) {
        if (x >= paddedWidth || line >= height) fail(QStringLiteral("données RLE hors de l'image"));
        if (x >= width) {
            ++x;
            return;
        }
        if (std::size_t(index) >= palette.size()) fail(QStringLiteral("indice de couleur hors de la table"));
        const int row = topDown ? line : height - 1 - line;
        colourToBgr(palette[std::size_t(index)], bitmap.rowUnchecked(row) + 3 * x);
        ++x;
    };
    while (true) {
        const int count = in.u8();
        const int value = in.u8();
        if (count > 0) {
            for (int i = 0; i < count; ++i)
                put(fourBits ? ((i & 1) ? value & 0x0F : value >> 4) : value);
            continue;
        }
        switch (value) {
        case 0: // end of line
            x = 0;
            ++line;
            if (line > height) fail(QStringLiteral("données RLE hors de l'image"));
            break;
        case 1: // end of bitmap
            return;
        case 2: { // delta
            x += in.u8();
            line += in.u8();
            if (x > paddedWidth || line > height) fail(QStringLiteral("données RLE hors de l'image"));
            break;
        }
        default: { // absolute run of `value` pixels, padded to a 16-bit boundary
            const std::size_t bytes = fourBits ? std::size_t((value + 1) / 2) : std::size_t(value);
            const std::uint8_t* p = in.bytes((bytes + 1) & ~std::size_t(1));
            for (int i = 0; i < value; ++i)
                put(packedValue(p, std::size_t(i), bits));
            break;
        }
        }
    }
}

Header readHeader(ByteReader& in)
{
    Header h;
    h.size = in.u32le();
    if (h.size == 12) {
        h.core = true;
        h.width = in.u16le();
        h.height = in.u16le();
        if (in.u16le() != 1) fail(QStringLiteral("nombre de plans incorrect"));
        h.bitCount = in.u16le();
        return h;
    }
    if (h.size < 16 || h.size > 4096) fail(QStringLiteral("en-tête de taille inconnue (%1)").arg(h.size));
    // Every longer header begins like the 40-byte one; the OS/2 2.x header
    // may stop after any of its fields (16 bytes at least), missing ones are 0.
    const std::uint8_t* p = in.bytes(h.size - 4);
    std::array<std::uint8_t, 120> f{};
    std::memcpy(f.data(), p, std::min<std::size_t>(h.size - 4, f.size()));
    auto u16 = [&](int o) { return std::uint32_t(f[std::size_t(o)] | (f[std::size_t(o + 1)] << 8)); };
    auto u32 = [&](int o) { return u16(o) | (u16(o + 2) << 16); };
    h.os2v2 = h.size != 40 && h.size != 52 && h.size != 56 && h.size != 108 && h.size != 124;
    h.width = std::int32_t(u32(0));
    h.height = std::int32_t(u32(4));
    if (u16(8) != 1) fail(QStringLiteral("nombre de plans incorrect"));
    h.bitCount = int(u16(10));
    h.compression = u32(12);
    h.coloursUsed = u32(28);
    if (h.os2v2) {
        if (h.compression == 3) fail(QStringLiteral("compression Huffman OS/2 non prise en charge"));
        if (h.compression == 4) fail(QStringLiteral("compression RLE24 OS/2 non prise en charge"));
    }
    if (h.os2v2) return h; // its later fields are not masks
    if (h.size >= 52) {
        for (int i = 0; i < 3; ++i) h.masks[i] = u32(36 + 4 * i);
        h.hasMasks = true;
    }
    if (h.size >= 56) {
        h.masks[3] = u32(48);
        h.hasAlphaMask = true;
    }
    return h;
}

} // namespace

std::unique_ptr<Graphic> readBmp(const QByteArray& bytes, const QString&)
{
    ByteReader in(bytes, QStringLiteral("BMP"));
    std::size_t base = 0;           // where the information header starts
    std::size_t pixelOffset = 0;    // 0: right after the colour table
    if (in.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') {
        in.skip(10);
        pixelOffset = in.u32le();
        base = 14;
    } else if (in.size() >= 4) {
        const std::uint32_t size = in.u32le();
        if (size != 12 && size != 40 && size != 52 && size != 56 && size != 64 && size != 108 && size != 124)
            fail(QStringLiteral("signature absente"));
        in.seek(0);
    } else {
        fail(QStringLiteral("signature absente"));
    }

    Header h = readHeader(in);
    const bool topDown = h.height < 0;
    const std::int64_t width = h.width;
    const std::int64_t height = topDown ? -h.height : h.height;
    if (h.width < 0) fail(QStringLiteral("dimensions impossibles"));

    switch (h.compression) {
    case BI_RGB: break;
    case BI_RLE8:
        if (h.bitCount != 8) fail(QStringLiteral("compression RLE8 sur %1 bits").arg(h.bitCount));
        break;
    case BI_RLE4:
        if (h.bitCount != 4) fail(QStringLiteral("compression RLE4 sur %1 bits").arg(h.bitCount));
        break;
    case BI_BITFIELDS:
    case BI_ALPHABITFIELDS:
        if (h.bitCount != 16 && h.bitCount != 32)
            fail(QStringLiteral("champs de bits sur %1 bits").arg(h.bitCount));
        if (!h.hasMasks) { // the masks follow the 40-byte header
            for (int i = 0; i < 3; ++i) h.masks[i] = in.u32le();
            h.hasMasks = true;
        }
        if (h.compression == BI_ALPHABITFIELDS && !h.hasAlphaMask) {
            h.masks[3] = in.u32le();
            h.hasAlphaMask = true;
        }
        break;
    case BI_JPEG:
    case BI_PNG: fail(QStringLiteral("compression JPEG ou PNG non prise en charge"));
    default: fail(QStringLiteral("compression inconnue (%1)").arg(h.compression));
    }
    switch (h.bitCount) {
    case 1: case 4: case 8: case 16: case 24: case 32: break;
    default: fail(QStringLiteral("profondeur de %1 bits non prise en charge").arg(h.bitCount));
    }

    // Colour table: after the header (and the masks of a 40-byte header).
    Palette palette;
    if (h.bitCount <= 8) {
        const std::uint32_t most = 1u << h.bitCount;
        std::uint32_t count = h.coloursUsed ? h.coloursUsed : most;
        if (count > most) fail(QStringLiteral("table de couleurs trop longue (%1)").arg(count));
        const std::size_t entry = h.core ? 3 : 4;
        // Some writers leave the table shorter than announced: the pixels' offset limits it.
        if (pixelOffset > in.position()) count = std::uint32_t(std::min<std::size_t>(count, (pixelOffset - in.position()) / entry));
        if (count == 0) fail(QStringLiteral("table de couleurs absente"));
        const std::uint8_t* table = in.bytes(count * entry);
        palette.reserve(count);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint8_t* e = table + i * entry;
            palette.push_back(rgb(e[2], e[1], e[0]));
        }
    }
    if (pixelOffset == 0 || pixelOffset < base) pixelOffset = in.position();
    if (pixelOffset > in.size()) fail(QStringLiteral("données tronquées"));
    in.seek(pixelOffset);

    const bool rle = h.compression == BI_RLE8 || h.compression == BI_RLE4;
    // Only the bit fields of a V4/V5 header or ALPHABITFIELDS carry alpha.
    const bool alpha = h.bitCount == 32 && h.hasAlphaMask && h.masks[3] != 0
                       && (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS || h.size >= 108);
    checkDecodedSize("BMP", width, height, alpha ? pf32bit : pf24bit);
    const int w = int(width), ht = int(height);

    if (rle) {
        Bitmap bitmap = newDecodedBitmap("BMP", w, ht, pf24bit);
        fillRows(bitmap, 0, ht, palette.front());
        decodeRle(in, h.compression == BI_RLE4, palette, topDown, bitmap);
        return std::make_unique<Bitmap>(std::move(bitmap));
    }

    const std::size_t stride = std::size_t(((std::int64_t(w) * h.bitCount + 31) / 32) * 4);
    if (std::uint64_t(stride) * std::uint64_t(ht) > in.remaining()) {
        // The last row may lack its padding in files from careless writers.
        const std::size_t lastRow = std::size_t((std::int64_t(w) * h.bitCount + 7) / 8);
        if (std::uint64_t(stride) * std::uint64_t(ht - 1) + lastRow > in.remaining())
            fail(QStringLiteral("données tronquées"));
    }
    const std::uint8_t* pixels = in.at(in.position(), 0);

    Field fields[4];
    if (h.bitCount == 16 || h.bitCount == 32) {
        if (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) {
            for (int i = 0; i < 3; ++i) fields[i] = Field(h.masks[i]);
        } else if (h.bitCount == 16) {
            fields[0] = Field(0x7C00);
            fields[1] = Field(0x03E0);
            fields[2] = Field(0x001F);
        } else {
            fields[0] = Field(0x00FF0000);
            fields[1] = Field(0x0000FF00);
            fields[2] = Field(0x000000FF);
        }
        if (alpha) fields[3] = Field(h.masks[3]);
    }

    if (alpha) {
        QImage image = newDecodedImage("BMP", w, ht);
        bool anyOpaque = false, anyTransparent = false;
        for (int y = 0; y < ht; ++y) {
            const std::uint8_t* row = pixels + stride * std::size_t(topDown ? y : ht - 1 - y);
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < w; ++x) {
                const std::uint8_t* p = row + 4 * x;
                const std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16)
                                        | (std::uint32_t(p[3]) << 24);
                const int a = fields[3].value(v);
                anyOpaque |= a != 0;
                anyTransparent |= a != 255;
                out[x] = qRgba(fields[0].value(v), fields[1].value(v), fields[2].value(v), a);
            }
        }
        // An alpha channel left at 0 everywhere is an unused byte, not a hole.
        return graphicFromArgb("BMP", std::move(image), !(anyTransparent && anyOpaque));
    }

    Bitmap bitmap = newDecodedBitmap("BMP", w, ht, pf24bit);
    for (int y = 0; y < ht; ++y) {
        const std::uint8_t* row = pixels + stride * std::size_t(topDown ? y : ht - 1 - y);
        std::uint8_t* out = bitmap.rowUnchecked(y);
        switch (h.bitCount) {
        case 1:
        case 4:
        case 8:
            for (int x = 0; x < w; ++x) {
                const int index = packedValue(row, std::size_t(x), h.bitCount);
                if (std::size_t(index) >= palette.size()) fail(QStringLiteral("indice de couleur hors de la table"));
                colourToBgr(palette[std::size_t(index)], out + 3 * x);
            }
            break;
        case 16:
            for (int x = 0; x < w; ++x) {
                const std::uint32_t v = std::uint32_t(row[2 * x]) | (std::uint32_t(row[2 * x + 1]) << 8);
                out[3 * x] = std::uint8_t(fields[2].value(v));
                out[3 * x + 1] = std::uint8_t(fields[1].value(v));
                out[3 * x + 2] = std::uint8_t(fields[0].value(v));
            }
            break;
        case 24: std::memcpy(out, row, std::size_t(w) * 3); break;
        case 32:
            if (h.compression == BI_RGB) {
                for (int x = 0; x < w; ++x) {
                    out[3 * x] = row[4 * x];
                    out[3 * x + 1] = row[4 * x + 1];
                    out[3 * x + 2] = row[4 * x + 2];
                }
            } else {
                for (int x = 0; x < w; ++x) {
                    const std::uint8_t* p = row + 4 * x;
                    const std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8)
                                            | (std::uint32_t(p[2]) << 16) | (std::uint32_t(p[3]) << 24);
                    out[3 * x] = std::uint8_t(fields[2].value(v));
                    out[3 * x + 1] = std::uint8_t(fields[1].value(v));
                    out[3 * x + 2] = std::uint8_t(fields[0].value(v));
                }
            }
            break;
        }
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs::detail
