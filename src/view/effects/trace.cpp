// The trace of the spatial effects. Only the first pair of differing pixels
// depends on the scan order: it sets the mark, and from then on every
// differing pair blackens the same pixel whenever it is met (its current
// pixel, or its neighbour when the current pixel has the marked index), and
// blackening is the same whatever came before. So once the mark is known,
// every row's marks are found at once from the pairs that touch it, and the
// rows are worked on both cores.
#include "graphics/split_rows.h"
#include "view/effects/nearest_halftone.h"
#include "view/effects/spatial_effects.h"
#include "view/effects/true_colour.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kel {

namespace {

#if defined(__GNUC__) && defined(__x86_64__)
// The row's first pixels sixteen at a time, each pixel's keep byte (0 when
// marked, 255 otherwise) spread over its three bytes; answers how many were done.
__attribute__((target("avx2"))) int blackenSixteenAtATime(std::uint8_t* row, const std::uint8_t* marks, int width)
{
    const __m128i spread[3] = {_mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5),
                               _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10),
                               _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15)};
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const __m128i keep = _mm_sub_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(marks + x)), _mm_set1_epi8(1));
        for (int part = 0; part < 3; ++part) {
            auto* bytes = reinterpret_cast<__m128i*>(row + 3 * x + 16 * part);
            _mm_storeu_si128(bytes, _mm_and_si128(_mm_loadu_si128(bytes), _mm_shuffle_epi8(keep, spread[part])));
        }
    }
    return x;
}
#endif

class Tracer {
public:
    Tracer(Bitmap& bitmap, bool backward)
        : bitmap_(bitmap), width_(bitmap.width()), height_(bitmap.height()), backward_(backward),
          lastX_(std::max(width_ - 3, 0)), firstX_(std::min(2, width_ - 1))
    {
        const HalftoneNearest& nearest = HalftoneNearest::instance();
        bitmap.detach();
        splitRows(height_, std::int64_t(width_) * height_, 1, [&](int from, int to) {
            for (int y = from; y < to; ++y) nearest.indexRow(bitmap.rowUnchecked(y), width_, indicesOf(y));
        });
    }

    void run()
    {
        const std::optional<std::uint8_t> mark = firstMark();
        if (!mark) return;
        splitRows(height_, std::int64_t(width_) * height_, 1, [&](int from, int to) {
            std::vector<std::uint8_t> marks(static_cast<std::size_t>(width_));
            for (int y = from; y < to; ++y) {
                std::fill(marks.begin(), marks.end(), 0);
                pairsInRow(y, *mark, marks.data());
                if (y >= 1) pairsWithRowAbove(y, *mark, marks.data());
                if (y + 1 < height_) pairsWithRowBelow(y, *mark, marks.data());
                blackenMarked(y, marks.data());
            }
        });
    }

private:
    std::uint8_t* indicesOf(int y) { return indices_.get() + std::size_t(y) * std::size_t(width_); }

    // The neighbour's index of the first differing pair in scan order.
    std::optional<std::uint8_t> firstMark()
    {
        for (int y = 0; y + 1 < height_; ++y) {
            const std::uint8_t *row = indicesOf(y), *below = indicesOf(y + 1);
            for (int x = 0; x <= lastX_; ++x) {
                if (x + 1 < width_ && row[x + 1] != row[x]) return row[x + 1];
                if (below[x] != row[x]) return below[x];
            }
        }
        if (!backward_) return std::nullopt;
        for (int y = height_ - 1; y >= 1; --y) {
            const std::uint8_t *row = indicesOf(y), *above = indicesOf(y - 1);
            for (int x = width_ - 1; x >= firstX_; --x) {
                if (x >= 1 && row[x - 1] != row[x]) return row[x - 1];
                if (above[x] != row[x]) return above[x];
            }
        }
        return std::nullopt;
    }

    // The marks a row receives: from pairs within it (right neighbours on the
    // forward scan, left ones on the backward scan) and from pairs with the
    // rows above and below (the lower pixel is the forward scan's neighbour
    // and the backward scan's current pixel). A differing pair blackens its
    // current pixel, or the neighbour when the current pixel has the marked index.
    void pairsInRow(int y, std::uint8_t mark, std::uint8_t* __restrict marks)
    {
        const std::uint8_t* row = indicesOf(y);
        if (y + 1 < height_) {
            const int end = std::min(lastX_, width_ - 2) + 1; // current pixels 0 .. end - 1
            for (int x = 0; x < end; ++x) marks[x] |= (row[x] != row[x + 1]) & (row[x] != mark);
            for (int x = 1; x <= end; ++x) marks[x] |= (row[x - 1] != row[x]) & (row[x - 1] == mark);
        }
        if (backward_ && y >= 1) {
            const int begin = std::max(firstX_, 1); // current pixels begin .. width - 1
            for (int x = begin; x < width_; ++x) marks[x] |= (row[x] != row[x - 1]) & (row[x] != mark);
            for (int x = begin - 1; x + 1 < width_; ++x) marks[x] |= (row[x + 1] != row[x]) & (row[x + 1] == mark);
        }
    }

    void pairsWithRowBelow(int y, std::uint8_t mark, std::uint8_t* __restrict marks)
    {
        const std::uint8_t *row = indicesOf(y), *below = indicesOf(y + 1);
        for (int x = 0; x <= lastX_; ++x) marks[x] |= (row[x] != below[x]) & (row[x] != mark);
        if (backward_)
            for (int x = firstX_; x < width_; ++x) marks[x] |= (row[x] != below[x]) & (below[x] == mark);
    }

    void pairsWithRowAbove(int y, std::uint8_t mark, std::uint8_t* __restrict marks)
    {
        const std::uint8_t *above = indicesOf(y - 1), *row = indicesOf(y);
        for (int x = 0; x <= lastX_; ++x) marks[x] |= (above[x] != row[x]) & (above[x] == mark);
        if (backward_)
            for (int x = firstX_; x < width_; ++x) marks[x] |= (above[x] != row[x]) & (row[x] != mark);
    }

    void blackenMarked(int y, const std::uint8_t* marks)
    {
        std::uint8_t* row = bitmap_.rowUnchecked(y);
        int x = 0;
#if defined(__GNUC__) && defined(__x86_64__)
        static const bool avx2 = __builtin_cpu_supports("avx2");
        if (avx2) x = blackenSixteenAtATime(row, marks, width_);
#endif
        for (; x < width_; ++x) {
            const std::uint8_t keep = std::uint8_t(marks[x] - 1); // 0 for a marked pixel, 255 otherwise
            row[3 * x] &= keep;
            row[3 * x + 1] &= keep;
            row[3 * x + 2] &= keep;
        }
    }

    Bitmap& bitmap_;
    const int width_, height_;
    const bool backward_;
    const int lastX_, firstX_; // the forward scan's last current column, the backward scan's first
    // The comparison copy's palette indices, every one written before it is read.
    std::unique_ptr<std::uint8_t[]> indices_{new std::uint8_t[std::size_t(width_) * std::size_t(height_)]};
};

} // namespace

void trace(Bitmap& bitmap, int passes)
{
    requireTrueColour(bitmap);
    if (passes <= 0 || bitmap.empty()) return;
    // The compared copy never changes and the mark is set once, so every pass
    // after the second repeats it exactly, and the second repeats the first's
    // forward scan.
    Tracer(bitmap, passes >= 2).run();
}

} // namespace kel
