#include "operations/resize.h"

#include "graphics/canvas.h"

#include <algorithm>
#include <cstring>
#include <vector>
#include <cstdint>
#include <limits>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

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

// Target pixels copied between two prefetches: at most a cache line of
// source bytes at a reduction to half.
constexpr int kPrefetchPixels = 8;

// Which source bytes each target pixel of a row takes; the same for every row.
struct RowPlan {
    std::vector<std::uint32_t> offsets; // of each target pixel's source pixel
    int wordPixels = 0;                 // the first pixels, far enough from the row's end to be read as words
    std::size_t step = 0;               // the offsets' fixed step when the width divides the source's, else 0
    // Blocks of sixteen target pixels whose source bytes span at most 128:
    // 64 byte indexes into those bytes per block, and the masks of the first
    // and second 64 bytes a block reads (none for a block that goes pixel by
    // pixel).
    std::vector<std::uint8_t> indexes;
    std::vector<std::uint64_t> masks;      // two per block
    std::vector<std::uint8_t> vectorBlock; // whether each block has its indexes

    // Target pixels from..to of a row, a word read at a time where allowed,
    // asking early for the same bytes of the next row to be read.
    void copyPixels(const std::uint8_t* in, const std::uint8_t* next, std::uint8_t* out, int from, int to) const
    {
        int i = from;
        while (i < std::min(to, wordPixels)) {
            const int end = std::min({to, wordPixels, i + kPrefetchPixels});
            __builtin_prefetch(next + offsets[std::size_t(i)]);
            if (step != 0)
                for (const std::uint8_t* p = in + offsets[std::size_t(i)]; i < end; ++i, p += step) putWord(out, i, p);
            for (; i < end; ++i) putWord(out, i, in + offsets[std::size_t(i)]);
        }
        for (; i < to; ++i) putBytes(out, i, in + offsets[std::size_t(i)]);
    }
};

#if defined(__GNUC__) && defined(__x86_64__)
#define KEL_STRETCH_VBMI 1
constexpr int kBlock = 16;

void planBlocks(RowPlan& plan)
{
    const std::size_t blocks = plan.offsets.size() / kBlock;
    plan.indexes.assign(blocks * 64, 0);
    plan.masks.assign(blocks * 2, 0);
    plan.vectorBlock.assign(blocks, 0);
    const auto firstBytes = [](std::uint32_t n) { return n >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << n) - 1; };
    for (std::size_t b = 0; b < blocks; ++b) {
        const std::uint32_t* at = plan.offsets.data() + b * kBlock;
        const std::uint32_t span = at[kBlock - 1] - at[0] + 3;
        if (span > 128) continue;
        plan.vectorBlock[b] = 1;
        plan.masks[2 * b] = firstBytes(span);
        plan.masks[2 * b + 1] = span > 64 ? firstBytes(span - 64) : 0;
        for (int k = 0; k < kBlock; ++k)
            for (int c = 0; c < 3; ++c) plan.indexes[b * 64 + std::size_t(4 * k + c)] = std::uint8_t(at[k] - at[0] + c);
    }
}

// (GCC 12's own AVX-512 headers warn of an uninitialized placeholder operand.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
// A row sixteen target pixels at a time: two masked loads of the bytes the
// block takes (nothing beyond them is read) and one byte permute.
__attribute__((target("avx512f,avx512bw,avx512vbmi"))) void copyRowVbmi(const RowPlan& plan, const std::uint8_t* in,
                                                                       const std::uint8_t* next, std::uint8_t* out)
{
    const __m512i opaque = _mm512_set1_epi32(int(0xFF000000u));
    const int blocks = int(plan.vectorBlock.size());
    for (int b = 0; b < blocks; ++b) {
        if (!plan.vectorBlock[std::size_t(b)]) {
            plan.copyPixels(in, next, out, b * kBlock, (b + 1) * kBlock);
            continue;
        }
        const std::uint32_t start = plan.offsets[std::size_t(b) * kBlock];
        const std::uint64_t first = plan.masks[2 * std::size_t(b)], second = plan.masks[2 * std::size_t(b) + 1];
        __builtin_prefetch(next + start);
        if (second != 0) __builtin_prefetch(next + start + 64);
        const __m512i low = _mm512_maskz_loadu_epi8(first, in + start);
        const __m512i high = _mm512_maskz_loadu_epi8(second, in + start + (second != 0 ? 64 : 0));
        const __m512i order = _mm512_loadu_si512(plan.indexes.data() + std::size_t(b) * 64);
        _mm512_storeu_si512(out + std::ptrdiff_t(b) * 4 * kBlock,
                            _mm512_or_si512(_mm512_permutex2var_epi8(low, order, high), opaque));
    }
    plan.copyPixels(in, next, out, blocks * kBlock, int(plan.offsets.size()));
}

#pragma GCC diagnostic pop

bool hasVbmi()
{
    static const bool vbmi = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw")
                             && __builtin_cpu_supports("avx512vbmi");
    return vbmi;
}
#endif

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
    RowPlan plan;
    plan.offsets.resize(static_cast<std::size_t>(width));
    for (int i = 0; i < width; ++i) plan.offsets[std::size_t(i)] = std::uint32_t(std::int64_t(i) * sw / width * bytes);
    // Pixels far enough from the row's end to be read as one 4-byte word
    // (the fourth byte, the next pixel's or padding, is then overwritten).
    plan.wordPixels = width;
    while (plan.wordPixels > 0
           && plan.offsets[std::size_t(plan.wordPixels - 1)] + 4 > std::uint32_t(source.bytesPerLine()))
        --plan.wordPixels;
    plan.step = sw % width == 0 ? std::size_t(sw / width) * std::size_t(bytes) : 0;
#ifdef KEL_STRETCH_VBMI
    const bool vbmi = hasVbmi();
    if (vbmi) planBlocks(plan);
#endif
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
        // The source row of the next target row is asked for while this one
        // is copied: rows read apart defeat the processor's own guess.
        const std::uint8_t* next = source.rowUnchecked(std::min(sh - 1, int(std::int64_t(j + 1) * sh / height)));
#ifdef KEL_STRETCH_VBMI
        if (vbmi) {
            copyRowVbmi(plan, in, next, out);
            continue;
        }
#endif
        plan.copyPixels(in, next, out, 0, width);
    }
    target.changed();
}

} // namespace kel
