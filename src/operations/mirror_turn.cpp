#include "operations/mirror_turn.h"

#include "graphics/split_rows.h"
#include "operations/bgr_planes.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>
#include <vector>

namespace kel {

namespace {

bool isSubByte(PixelFormat format) { return format == pf1bit || format == pf4bit; }

// Sub-byte formats are worked on as one index byte per pixel.
void unpackRow(const std::uint8_t* row, PixelFormat format, int width, std::uint8_t* indices)
{
    if (format == pf1bit)
        for (int x = 0; x < width; ++x) indices[x] = std::uint8_t((row[x >> 3] >> (7 - (x & 7))) & 1);
    else
        for (int x = 0; x < width; ++x) indices[x] = std::uint8_t((x & 1) ? row[x >> 1] & 0x0F : row[x >> 1] >> 4);
}

// Writes every byte that holds a pixel; bits past the last pixel become 0.
void packRow(const std::uint8_t* indices, PixelFormat format, int width, std::uint8_t* row)
{
    const int pixelsPerByte = format == pf1bit ? 8 : 2;
    const int bits = 8 / pixelsPerByte;
    std::memset(row, 0, std::size_t((width + pixelsPerByte - 1) / pixelsPerByte));
    for (int x = 0; x < width; ++x)
        row[x / pixelsPerByte] |= std::uint8_t(indices[x] << (8 - bits * (x % pixelsPerByte + 1)));
}

template <int N>
void mirrorRow(std::uint8_t* row, int width)
{
    std::uint8_t* left = row;
    std::uint8_t* right = row + std::ptrdiff_t(width - 1) * N;
    std::uint8_t held[N];
    for (; left < right; left += N, right -= N) {
        std::memcpy(held, left, N);
        std::memcpy(left, right, N);
        std::memcpy(right, held, N);
    }
}

#ifdef KEL_HAS_BGR_PLANES
// 24-bit rows: 16 pixels from each end exchanged and reversed a step, the
// middle pixels one by one.
KEL_SSSE3 void mirrorRowVector(std::uint8_t* row, int width)
{
    int left = 0, right = width; // pixels [left, right) are still to do
    for (; right - left >= 32; left += 16, right -= 16) {
        __m128i fromLeft[3], fromRight[3];
        bgr::reversed(row + 3 * left, fromLeft);
        bgr::reversed(row + 3 * (right - 16), fromRight);
        bgr::store(fromRight, row + 3 * left);
        bgr::store(fromLeft, row + 3 * (right - 16));
    }
    mirrorRow<3>(row + 3 * left, right - left);
}
#endif

void mirrorRow(std::uint8_t* row, int width, int pixelBytes)
{
    switch (pixelBytes) {
    case 1: std::reverse(row, row + width); break;
    case 2: mirrorRow<2>(row, width); break;
    case 3:
#ifdef KEL_HAS_BGR_PLANES
        if (bgr::ssse3Available()) {
            mirrorRowVector(row, width);
            break;
        }
#endif
        mirrorRow<3>(row, width);
        break;
    default: mirrorRow<4>(row, width); break;
    }
}

// Square tiles of the target small enough that the source rows they read
// stay in the near caches while a tile is filled.
constexpr int kTile = 128;

// Writes the source (width x height, N bytes a pixel) turned a quarter into
// the target (height x width). Target row t is source column t (clockwise)
// or width - 1 - t (anticlockwise), read bottom up (clockwise) or top down.
template <int N>
void turnTiles(const std::uint8_t* source, std::ptrdiff_t sourceStride, int width, int height,
               std::uint8_t* target, std::ptrdiff_t targetStride, bool clockwise)
{
    const int targetWidth = height, targetHeight = width;
    const std::ptrdiff_t step = clockwise ? -sourceStride : sourceStride;
    // Target rows are independent: bands of them go to the cores.
    splitRows(targetHeight, std::int64_t(width) * height, kTile, [&](int fromRow, int toRow) {
        for (int top = fromRow; top < toRow; top += kTile) {
            const int bottom = std::min(top + kTile, toRow);
            // The source columns a band of target rows reads, in bytes.
            const std::ptrdiff_t firstByte = std::ptrdiff_t(clockwise ? top : width - bottom) * N;
            const std::ptrdiff_t lastByte = std::ptrdiff_t(clockwise ? bottom : width - top) * N - 1;
            for (int left = 0; left < targetWidth; left += kTile) {
                const int count = std::min(left + kTile, targetWidth) - left;
                // While a tile is filled, each of its rows asks for one source
                // row of the next tile: column reads defeat the processor's guess.
                const int nextLeft = left + kTile;
                for (int t = top; t < bottom; ++t) {
                    if (const int k = t - top; nextLeft + k < targetWidth) {
                        const int row = clockwise ? height - 1 - nextLeft - k : nextLeft + k;
                        const std::uint8_t* line = source + std::ptrdiff_t(row) * sourceStride;
                        for (std::ptrdiff_t b = firstByte & ~std::ptrdiff_t(63); b <= lastByte; b += 64)
                            __builtin_prefetch(line + b);
                    }
                    const int sx = clockwise ? t : width - 1 - t;
                    const int sy = clockwise ? height - 1 - left : left;
                    std::ptrdiff_t from = std::ptrdiff_t(sy) * sourceStride + std::ptrdiff_t(sx) * N;
                    std::uint8_t* to = target + std::ptrdiff_t(t) * targetStride + std::ptrdiff_t(left) * N;
                    if constexpr (N == 3) {
                        // Whole words: each load takes the byte after the pixel too, each
                        // store spills one byte into the next pixel, written right after.
                        // The source's last column holds the store's last pixel, whose
                        // spare byte may lie past the end: it takes three single bytes.
                        if (sx != width - 1) {
                            for (int i = 0; i + 1 < count; ++i, to += 3, from += step) {
                                std::uint32_t pixel;
                                std::memcpy(&pixel, source + from, 4);
                                std::memcpy(to, &pixel, 4);
                            }
                            std::memcpy(to, source + from, 3);
                            continue;
                        }
                    }
                    for (int i = 0; i < count; ++i, to += N, from += step) std::memcpy(to, source + from, N);
                }
            }
        }
    });
}

void turn(const std::uint8_t* source, std::ptrdiff_t sourceStride, int width, int height, std::uint8_t* target,
          std::ptrdiff_t targetStride, bool clockwise, int pixelBytes)
{
    switch (pixelBytes) {
    case 1: turnTiles<1>(source, sourceStride, width, height, target, targetStride, clockwise); break;
    case 2: turnTiles<2>(source, sourceStride, width, height, target, targetStride, clockwise); break;
    case 3: turnTiles<3>(source, sourceStride, width, height, target, targetStride, clockwise); break;
    default: turnTiles<4>(source, sourceStride, width, height, target, targetStride, clockwise); break;
    }
}

} // namespace

void flipBitmap(Bitmap& bitmap, FlipMode mode)
{
    const int width = bitmap.width(), height = bitmap.height();
    if (bitmap.empty()) return;
    if (mode == FlipMode::Vertical) {
        const std::size_t stride = std::size_t(bitmap.bytesPerLine());
        for (int y = 0, other = height - 1; y < other; ++y, --other)
            std::swap_ranges(bitmap.rowUnchecked(y), bitmap.rowUnchecked(y) + stride, bitmap.rowUnchecked(other));
        return;
    }
    const PixelFormat format = bitmap.pixelFormat();
    if (isSubByte(format)) {
        std::vector<std::uint8_t> indices(std::size_t(width), 0);
        for (int y = 0; y < height; ++y) {
            unpackRow(bitmap.rowUnchecked(y), format, width, indices.data());
            std::reverse(indices.begin(), indices.end());
            packRow(indices.data(), format, width, bitmap.rowUnchecked(y));
        }
        return;
    }
    const int pixelBytes = bitsPerPixel(format) / 8;
    for (int y = 0; y < height; ++y) mirrorRow(bitmap.rowUnchecked(y), width, pixelBytes);
}

void rotateBitmap(const Bitmap& source, Bitmap& target, QuarterTurn turnBy)
{
    if (&source == &target) {
        Bitmap turned;
        rotateBitmap(source, turned, turnBy);
        target = std::move(turned);
        return;
    }
    const int width = source.width(), height = source.height();
    const PixelFormat format = source.pixelFormat();
    if (target.width() != height || target.height() != width || target.pixelFormat() != format)
        target = Bitmap::forOverwrite(height, width, format);
    if (isIndexed(format)) target.setPalette(source.palette());
    target.setTransparent(source.transparent());
    if (source.transparent()) target.setTransparentColour(source.transparentColour());
    turnPixelsInto(source, target, turnBy);
}

void turnPixelsInto(const Bitmap& source, Bitmap& target, QuarterTurn turnBy)
{
    if (source.empty()) return;
    const int width = source.width(), height = source.height();
    const PixelFormat format = source.pixelFormat();

    const bool clockwise = turnBy == QuarterTurn::Clockwise;
    if (isSubByte(format)) {
        // Turn the index bytes, then pack them into the target's rows.
        std::vector<std::uint8_t> indices(std::size_t(width) * std::size_t(height));
        std::vector<std::uint8_t> turned(indices.size());
        for (int y = 0; y < height; ++y)
            unpackRow(source.rowUnchecked(y), format, width, indices.data() + std::size_t(y) * std::size_t(width));
        turn(indices.data(), width, width, height, turned.data(), height, clockwise, 1);
        for (int y = 0; y < width; ++y)
            packRow(turned.data() + std::size_t(y) * std::size_t(height), format, height, target.rowUnchecked(y));
        return;
    }
    turn(source.rowUnchecked(0), source.bytesPerLine(), width, height, target.rowUnchecked(0), target.bytesPerLine(),
         clockwise, bitsPerPixel(format) / 8);
}

Bitmap rotateBitmap(const Bitmap& source, QuarterTurn turnBy)
{
    Bitmap result;
    rotateBitmap(source, result, turnBy);
    return result;
}

} // namespace kel
