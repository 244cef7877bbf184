#include "graphics/pixel_rows.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <vector>

namespace kel {

namespace {

// Nearest 5- and 6-bit field for each 8-bit component, for the widening used by decode.
template <int Bits>
const std::array<std::uint8_t, 256>& nearestField()
{
    static const std::array<std::uint8_t, 256> table = [] {
        std::array<std::uint8_t, 256> t{};
        constexpr int levels = 1 << Bits;
        for (int v = 0; v < 256; ++v) {
            int best = 0;
            int bestDistance = 1 << 20;
            for (int f = 0; f < levels; ++f) {
                const int widened = (f << (8 - Bits)) | (f >> (2 * Bits - 8));
                const int distance = std::abs(widened - v);
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = f;
                }
            }
            t[std::size_t(v)] = std::uint8_t(best);
        }
        return t;
    }();
    return table;
}

int widen5(int f) { return (f << 3) | (f >> 2); }
int widen6(int f) { return (f << 2) | (f >> 4); }

int nearestIndex(const Palette& palette, Colour c)
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = redOf(c) - redOf(palette[i]);
        const int dg = greenOf(c) - greenOf(palette[i]);
        const int db = blueOf(c) - blueOf(palette[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
        }
    }
    return best;
}

int readIndex(const std::uint8_t* row, PixelFormat format, int x)
{
    switch (format) {
    case pf1bit: return (row[x >> 3] >> (7 - (x & 7))) & 1;
    case pf4bit: return (x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4;
    default: return row[x];
    }
}

void writeIndex(std::uint8_t* row, PixelFormat format, int x, int index)
{
    switch (format) {
    case pf1bit: {
        const std::uint8_t bit = std::uint8_t(0x80 >> (x & 7));
        row[x >> 3] = index ? (row[x >> 3] | bit) : (row[x >> 3] & ~bit);
        break;
    }
    case pf4bit:
        row[x >> 1] = (x & 1) ? std::uint8_t((row[x >> 1] & 0xF0) | (index & 0x0F))
                              : std::uint8_t((row[x >> 1] & 0x0F) | ((index & 0x0F) << 4));
        break;
    default: row[x] = std::uint8_t(index);
    }
}

Colour readFrom(const Bitmap& bitmap, const std::uint8_t* row, int x)
{
    switch (bitmap.pixelFormat()) {
    case pf1bit:
    case pf4bit:
    case pf8bit: {
        const auto index = std::size_t(readIndex(row, bitmap.pixelFormat(), x));
        const Palette& palette = bitmap.palette();
        return index < palette.size() ? palette[index] : clBlack;
    }
    case pf15bit: return decode555(std::uint16_t(row[2 * x] | (row[2 * x + 1] << 8)));
    case pf16bit: return decode565(std::uint16_t(row[2 * x] | (row[2 * x + 1] << 8)));
    case pf24bit: return colourFromBgr(row + 3 * x);
    case pf32bit: return colourFromBgr(row + 4 * x);
    }
    return clBlack;
}

void writeTo(Bitmap& bitmap, std::uint8_t* row, int x, Colour c, NearestColour* nearest)
{
    switch (bitmap.pixelFormat()) {
    case pf1bit:
    case pf4bit:
    case pf8bit:
        writeIndex(row, bitmap.pixelFormat(), x,
                   nearest ? nearest->index(c) : nearestIndex(bitmap.palette(), c));
        break;
    case pf15bit:
    case pf16bit: {
        const std::uint16_t v = bitmap.pixelFormat() == pf15bit ? encode555(c) : encode565(c);
        row[2 * x] = std::uint8_t(v & 0xFF);
        row[2 * x + 1] = std::uint8_t(v >> 8);
        break;
    }
    case pf24bit: colourToBgr(c, row + 3 * x); break;
    case pf32bit:
        colourToBgr(c, row + 4 * x);
        row[4 * x + 3] = 255;
        break;
    }
}

} // namespace

std::uint16_t encode555(Colour c)
{
    const auto& f5 = nearestField<5>();
    return std::uint16_t((f5[std::size_t(redOf(c))] << 10) | (f5[std::size_t(greenOf(c))] << 5)
                         | f5[std::size_t(blueOf(c))]);
}

std::uint16_t encode565(Colour c)
{
    const auto& f5 = nearestField<5>();
    const auto& f6 = nearestField<6>();
    return std::uint16_t((f5[std::size_t(redOf(c))] << 11) | (f6[std::size_t(greenOf(c))] << 5)
                         | f5[std::size_t(blueOf(c))]);
}

Colour decode555(std::uint16_t v)
{
    return rgb(widen5((v >> 10) & 31), widen5((v >> 5) & 31), widen5(v & 31));
}

Colour decode565(std::uint16_t v)
{
    return rgb(widen5((v >> 11) & 31), widen6((v >> 5) & 63), widen5(v & 31));
}

Colour readPixel(const Bitmap& bitmap, int x, int y) { return readFrom(bitmap, bitmap.rowUnchecked(y), x); }

void writePixel(Bitmap& bitmap, int x, int y, Colour colour)
{
    writeTo(bitmap, bitmap.rowUnchecked(y), x, colour & 0xFFFFFF, nullptr);
}

void readRow(const Bitmap& bitmap, int y, Colour* out)
{
    const std::uint8_t* row = bitmap.rowUnchecked(y);
    const int w = bitmap.width();
    if (bitmap.pixelFormat() == pf24bit) {
        for (int x = 0; x < w; ++x) out[x] = colourFromBgr(row + 3 * x);
        return;
    }
    for (int x = 0; x < w; ++x) out[x] = readFrom(bitmap, row, x);
}

void writeRow(Bitmap& bitmap, int y, const Colour* in, NearestColour* nearest)
{
    std::uint8_t* row = bitmap.rowUnchecked(y);
    const int w = bitmap.width();
    if (bitmap.pixelFormat() == pf24bit) {
        for (int x = 0; x < w; ++x) colourToBgr(in[x], row + 3 * x);
        return;
    }
    for (int x = 0; x < w; ++x) writeTo(bitmap, row, x, in[x] & 0xFFFFFF, nearest);
}

void fillRows(Bitmap& bitmap, int firstRow, int endRow, Colour colour)
{
    if (bitmap.empty() || firstRow >= endRow) return;
    // Build the first row, then copy it into the others.
    const std::size_t stride = std::size_t(bitmap.bytesPerLine());
    std::uint8_t* first = bitmap.rowUnchecked(firstRow);
    std::memset(first, 0, stride);
    if (isIndexed(bitmap.pixelFormat())) {
        const int index = nearestIndex(bitmap.palette(), colour & 0xFFFFFF);
        for (int x = 0; x < bitmap.width(); ++x) writeIndex(first, bitmap.pixelFormat(), x, index);
    } else {
        for (int x = 0; x < bitmap.width(); ++x) writeTo(bitmap, first, x, colour & 0xFFFFFF, nullptr);
    }
    for (int y = firstRow + 1; y < endRow; ++y) std::memcpy(bitmap.rowUnchecked(y), first, stride);
}

void convertRows(const Bitmap& source, Bitmap& target)
{
    const int w = std::min(source.width(), target.width());
    const int h = std::min(source.height(), target.height());
    if (w <= 0 || h <= 0) return;
    std::vector<Colour> row(std::size_t(source.width()));
    std::vector<Colour> out(std::size_t(target.width()), clWhite);
    std::unique_ptr<NearestColour> nearest;
    if (isIndexed(target.pixelFormat())) nearest = std::make_unique<NearestColour>(target.palette());
    for (int y = 0; y < h; ++y) {
        readRow(source, y, row.data());
        std::copy_n(row.begin(), w, out.begin());
        writeRow(target, y, out.data(), nearest.get());
    }
}

void copyPixels(const Bitmap& source, int sx, int sy, int w, int h, Bitmap& target, int dx, int dy,
                bool skipTransparent)
{
    // Clip against the source, then the target.
    if (sx < 0) { w += sx; dx -= sx; sx = 0; }
    if (sy < 0) { h += sy; dy -= sy; sy = 0; }
    if (dx < 0) { w += dx; sx -= dx; dx = 0; }
    if (dy < 0) { h += dy; sy -= dy; dy = 0; }
    w = std::min({w, source.width() - sx, target.width() - dx});
    h = std::min({h, source.height() - sy, target.height() - dy});
    if (w <= 0 || h <= 0) return;

    const PixelFormat sf = source.pixelFormat();
    if (!skipTransparent && sf == target.pixelFormat() && (sf == pf24bit || sf == pf32bit || (sf == pf8bit && source.palette() == target.palette()))) {
        const int bytes = bitsPerPixel(sf) / 8;
        for (int y = 0; y < h; ++y)
            std::memcpy(target.rowUnchecked(dy + y) + std::ptrdiff_t(dx) * bytes,
                        source.rowUnchecked(sy + y) + std::ptrdiff_t(sx) * bytes, std::size_t(w) * std::size_t(bytes));
        return;
    }
    const Colour key = source.transparentColour();
    std::unique_ptr<NearestColour> nearest;
    if (isIndexed(target.pixelFormat())) nearest = std::make_unique<NearestColour>(target.palette());
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* in = source.rowUnchecked(sy + y);
        std::uint8_t* out = target.rowUnchecked(dy + y);
        for (int x = 0; x < w; ++x) {
            const Colour c = readFrom(source, in, sx + x);
            if (skipTransparent && c == key) continue;
            writeTo(target, out, dx + x, c, nearest.get());
        }
    }
}

} // namespace kel
