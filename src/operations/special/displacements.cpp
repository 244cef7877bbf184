#include "operations/special/displacements.h"

#include "operations/special/in_24bit.h"
#include "operations/special/twist_points.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kel {

namespace {

// lrint under the default rounding mode, inline rather than a library call.
inline long roundToNearest(double v) { return long(__builtin_rint(v)); }

// Copies one 24-bit pixel; `from` may be `to`, or a pixel written just before.
inline void copyPixel(std::uint8_t* to, const std::uint8_t* from)
{
    const std::uint8_t b = from[0], g = from[1], r = from[2];
    to[0] = b;
    to[1] = g;
    to[2] = r;
}

// The moves depend on the pixels only through the order, so every target place
// is worked out first: the column of (x, y) depends on x and y mod the period,
// its row on y and x mod the period.
void marbleRows(Bitmap& rows)
{
    const int width = rows.width(), height = rows.height();
    constexpr double s = kMarbleAmplitude;
    constexpr int p = kMarblePeriod;
    std::array<double, p> columnShift{}; // rx by x mod the period
    for (int i = 0; i < p; ++i) columnShift[std::size_t(i)] = -s * std::sin(i / s);
    std::array<double, p> rowShift{}; // ry by y mod the period
    for (int i = 0; i < p; ++i) rowShift[std::size_t(i)] = s * std::cos(i / s);
    // Byte offsets of the target columns, by y mod the period, then x; -1 outside.
    std::vector<std::ptrdiff_t> columnBytes(std::size_t(p) * std::size_t(width));
    for (int i = 0; i < std::min(p, height); ++i)
        for (int x = 0; x < width; ++x) {
            const long column = roundToNearest(std::abs(x + columnShift[std::size_t(x % p)] - rowShift[std::size_t(i)]));
            columnBytes[std::size_t(i) * std::size_t(width) + std::size_t(x)] = column < width ? 3 * column : -1;
        }
    for (int y = 0; y < height; ++y) {
        const double ry = rowShift[std::size_t(y % p)];
        std::array<std::uint8_t*, p> targetRow{}; // by x mod the period; null outside
        for (int i = 0; i < p; ++i) {
            const long row = roundToNearest(std::abs(y + ry - columnShift[std::size_t(i)]));
            targetRow[std::size_t(i)] = row < height ? rows.rowUnchecked(int(row)) : nullptr;
        }
        const std::ptrdiff_t* columns = columnBytes.data() + std::size_t(y % p) * std::size_t(width);
        const std::uint8_t* source = rows.rowUnchecked(y);
        int x = 0;
        for (int phase = 0; x < width; ++x, ++phase) {
            if (phase == p) phase = 0;
            std::uint8_t* row = targetRow[std::size_t(phase)];
            if (row != nullptr && columns[x] >= 0) copyPixel(row + columns[x], source + 3 * x);
        }
    }
}

// Each pixel reads from at most `reach` columns and rows away: away from the
// edges the offset by blue byte is one table look-up, with no bounds to check.
void plasmaRows(Bitmap& rows)
{
    const double amplitude = std::max(kPlasmaAmplitude, 5.0);
    const double divisor = std::max(kPlasmaAngleDivisor, 10.0);
    const int width = rows.width(), height = rows.height();
    const std::ptrdiff_t stride = rows.bytesPerLine();
    std::array<int, 256> dx{}, dy{};
    std::array<std::ptrdiff_t, 256> offset{};
    int reach = 0;
    for (int i = 0; i < 256; ++i) {
        dx[std::size_t(i)] = int(std::lrint(-amplitude * std::sin(i / divisor)));
        dy[std::size_t(i)] = int(std::lrint(amplitude * std::cos(i / divisor)));
        offset[std::size_t(i)] = dy[std::size_t(i)] * stride + 3 * dx[std::size_t(i)];
        reach = std::max({reach, std::abs(dx[std::size_t(i)]), std::abs(dy[std::size_t(i)])});
    }
    const auto checked = [&](int x, int y) {
        std::uint8_t* pixel = rows.rowUnchecked(y) + 3 * x;
        const int sx = x + dx[pixel[0]], sy = y + dy[pixel[0]];
        if (sx >= 0 && sx < width && sy >= 0 && sy < height) copyPixel(pixel, rows.rowUnchecked(sy) + 3 * sx);
    };
    for (int y = 0; y < height; ++y) {
        const bool insideRows = y >= reach && y < height - reach;
        const int firstFree = insideRows ? std::min(reach, width) : width;
        const int lastFree = insideRows ? std::max(width - reach, firstFree) : width;
        int x = 0;
        for (; x < firstFree; ++x) checked(x, y);
        std::uint8_t* pixel = rows.rowUnchecked(y) + 3 * x;
        for (; x < lastFree; ++x, pixel += 3) copyPixel(pixel, pixel + offset[pixel[0]]);
        for (; x < width; ++x) checked(x, y);
    }
}

// The two weights of a coordinate f whose truncation is i; past the left or
// top edge they are taken the other way round.
inline void weights(float f, int i, float& w0, float& w1)
{
    if (f >= 0) {
        w1 = f - float(i);
        w0 = 1.0f - w1;
    } else {
        w0 = -(f - float(i));
        w1 = 1.0f - w0;
    }
}

// A truncated coordinate brought into 0..size-1 (size > 0).
inline int wrap(int i, int size)
{
    if (i < 0) return size - 1 - (-i) % size;
    if (i > size - 1) return i % size;
    return i;
}

// The second tap after a wrapped coordinate: the next one, or from the near edge.
inline int nextTap(int i, int size) { return i + 1 < size ? i + 1 : size - i - 1; }

#if defined(__x86_64__)
// A pixel's three bytes as the low lanes of four floats; the fourth byte read
// with them belongs to the next pixel, except after the very last one.
inline __m128 tapLanes(const std::uint8_t* tap, const std::uint8_t* last)
{
    std::uint32_t word;
    if (tap != last) {
        std::memcpy(&word, tap, 4);
    } else {
        word = std::uint32_t(tap[0]) | std::uint32_t(tap[1]) << 8 | std::uint32_t(tap[2]) << 16;
    }
    const __m128i zero = _mm_setzero_si128();
    const __m128i bytes = _mm_unpacklo_epi8(_mm_cvtsi32_si128(int(word)), zero);
    return _mm_cvtepi32_ps(_mm_unpacklo_epi16(bytes, zero));
}

// The weighted sum of four taps, channel by channel in the lanes, in the order
// of the plain sum; rounded to nearest (ties to even) and clamped to 0..255 by
// the saturating packs.
inline void mixTaps(std::uint8_t* target, const std::uint8_t* t00, const std::uint8_t* t10, const std::uint8_t* t01,
                    const std::uint8_t* t11, const std::uint8_t* last, float w00, float w10, float w01, float w11)
{
    __m128 sum = _mm_mul_ps(tapLanes(t00, last), _mm_set1_ps(w00));
    sum = _mm_add_ps(sum, _mm_mul_ps(tapLanes(t10, last), _mm_set1_ps(w10)));
    sum = _mm_add_ps(sum, _mm_mul_ps(tapLanes(t01, last), _mm_set1_ps(w01)));
    sum = _mm_add_ps(sum, _mm_mul_ps(tapLanes(t11, last), _mm_set1_ps(w11)));
    const __m128i words = _mm_packs_epi32(_mm_cvtps_epi32(sum), _mm_setzero_si128());
    const std::uint32_t packed = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(words, words)));
    target[0] = std::uint8_t(packed);
    target[1] = std::uint8_t(packed >> 8);
    target[2] = std::uint8_t(packed >> 16);
}
#else
inline void mixTaps(std::uint8_t* target, const std::uint8_t* t00, const std::uint8_t* t10, const std::uint8_t* t01,
                    const std::uint8_t* t11, const std::uint8_t*, float w00, float w10, float w01, float w11)
{
    for (int c = 0; c < 3; ++c) {
        const float sum = float(t00[c]) * w00 + float(t10[c]) * w10 + float(t01[c]) * w01 + float(t11[c]) * w11;
        target[c] = std::uint8_t(std::clamp(std::lrint(sum), 0L, 255L));
    }
}
#endif

// The source points of a row come first (they do not depend on the pixels);
// the samples then go in scan order, as they read pixels already written.
void twistRows(Bitmap& rows)
{
    const int width = rows.width(), height = rows.height();
    constexpr int kTapsAhead = 64;
    std::vector<float> fxRow(static_cast<std::size_t>(width)), fyRow(fxRow);
    const float* fxs = fxRow.data();
    const float* fys = fyRow.data();
    const std::uint8_t* last = rows.rowUnchecked(height - 1) + 3 * (width - 1);
    for (int y = 0; y < height; ++y) {
        twist_detail::sourcePoints(y, width, height, kTwistStrength, fxRow.data(), fyRow.data());
        std::uint8_t* target = rows.rowUnchecked(y);
        for (int x = 0; x < width; ++x) {
            // The taps follow a curve across the rows: ask for those a few pixels on early.
            if (x + kTapsAhead < width) {
                const int px = int(fxs[x + kTapsAhead]), py = int(fys[x + kTapsAhead]);
                if (px >= 0 && px < width && py >= 0 && py + 1 < height) {
                    __builtin_prefetch(rows.rowUnchecked(py) + 3 * px);
                    __builtin_prefetch(rows.rowUnchecked(py + 1) + 3 * px);
                }
            }
            const float fx = fxs[x], fy = fys[x];
            int ix = int(fx), iy = int(fy);
            float wx0, wx1, wy0, wy1;
            weights(fx, ix, wx0, wx1);
            weights(fy, iy, wy0, wy1);
            ix = wrap(ix, width);
            iy = wrap(iy, height);
            const int ix1 = nextTap(ix, width), iy1 = nextTap(iy, height);
            const std::uint8_t* top = rows.rowUnchecked(iy);
            const std::uint8_t* bottom = rows.rowUnchecked(iy1);
            const float w00 = wx0 * wy0, w10 = wx1 * wy0, w01 = wx0 * wy1, w11 = wx1 * wy1;
            mixTaps(target + 3 * x, top + 3 * ix, top + 3 * ix1, bottom + 3 * ix, bottom + 3 * ix1, last, w00, w10, w01,
                    w11);
        }
    }
}

} // namespace

void marble(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.changed();
    workOn24BitRows(bitmap, marbleRows);
}

void plasma(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    workOn24BitRows(bitmap, plasmaRows);
}

void twist(Bitmap& bitmap)
{
    // The wrap divides by the width and the height.
    if (bitmap.width() <= 0 || bitmap.height() <= 0) return;
    workOn24BitRows(bitmap, twistRows);
}

} // namespace kel
