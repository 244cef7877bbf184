#include "operations/resize.h"

#include "graphics/canvas.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <cstdint>
#include <limits>

namespace kel {

namespace {

// 64-bit quotient brought back to int; only absurd inputs reach the limits,
// and those are refused later by the bitmap size check.
int toInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// Target pixel i (blue, green, red, 255) from the source pixel at p, read as
// one 4-byte word whose fourth byte is dropped.
inline void putWord(std::uint8_t* out, int i, const std::uint8_t* p)
{
    std::uint32_t v;
    std::memcpy(&v, p, 4);
    v |= 0xFF000000u;
    std::memcpy(out + 4 * std::ptrdiff_t(i), &v, 4);
}

// The same from the pixel's three bytes alone, for the end of a row.
inline void putBytes(std::uint8_t* out, int i, const std::uint8_t* p)
{
    const std::uint32_t v = std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) | 0xFF000000u;
    std::memcpy(out + 4 * std::ptrdiff_t(i), &v, 4);
}

} // namespace

PictureSize proposedSize(int width, int height, int percent)
{
    return {toInt(std::int64_t(width) * percent / 100), toInt(std::int64_t(height) * percent / 100)};
}

PictureSize committedSize(int width, int height, int editWidth, int editHeight)
{
    if (width == height) return {editWidth, editHeight};
    if (height > width) return {toInt(std::int64_t(width) * editHeight / height), editHeight};
    return {editWidth, toInt(std::int64_t(height) * editWidth / width)};
}

Bitmap stretchedBitmap(const Bitmap& source, int width, int height)
{
    checkBitmapSize(width, height, pfDevice);
    Bitmap target(width, height, pfDevice);
    stretchInto(source, target);
    return target;
}

void stretchInto(const Bitmap& source, Bitmap& target)
{
    if (target.empty() || source.empty()) return;
    const int width = target.width(), height = target.height();
    const PixelFormat format = source.pixelFormat();
    if (source.transparent() || (format != pf24bit && format != pf32bit) || target.pixelFormat() != pf32bit) {
        Canvas(target).stretchDraw(Rect{0, 0, width, height}, source);
        return;
    }
    // The canvas stretch for true-colour sources drawn opaque, with the same
    // choice of source pixel (target i of n takes source i x N div n), built
    // a row at a time: the canvas writes pixel by pixel through the generic
    // format switch, several times slower than the bytes it moves.
    const int sw = source.width(), sh = source.height();
    const int bytes = bitsPerPixel(format) / 8;
    std::vector<std::uint32_t> offsets(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i) offsets[std::size_t(i)] = std::uint32_t(std::int64_t(i) * sw / width * bytes);
    // Pixels far enough from the row's end to be read as one 4-byte word
    // (the fourth byte, the next pixel's or padding, is then overwritten).
    int wordPixels = width;
    while (wordPixels > 0 && offsets[std::size_t(wordPixels - 1)] + 4 > std::uint32_t(source.bytesPerLine())) --wordPixels;
    const std::size_t step = sw % width == 0 ? std::size_t(sw / width) * std::size_t(bytes) : 0;
    const std::size_t rowBytes = std::size_t(width) * 4;
    int previous = -1;
    for (int j = 0; j < height; ++j) {
        const int sy = int(std::int64_t(j) * sh / height);
        std::uint8_t* out = target.rowUnchecked(j);
        if (sy == previous) {
            std::memcpy(out, target.rowUnchecked(j - 1), rowBytes);
            continue;
        }
        previous = sy;
        const std::uint8_t* in = source.rowUnchecked(sy);
        // Word reads, along a fixed step when the width divides the source's.
        int i = 0;
        if (step != 0)
            for (const std::uint8_t* p = in; i < wordPixels; ++i, p += step) putWord(out, i, p);
        for (; i < wordPixels; ++i) putWord(out, i, in + offsets[std::size_t(i)]);
        for (; i < width; ++i) putBytes(out, i, in + offsets[std::size_t(i)]);
    }
    target.changed();
}

} // namespace kel
