#include "operations/incline.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif
#include <numbers>
#include <system_error>
#include <thread>
#include <vector>

namespace kel {

namespace {

// Round to nearest, halves to even, as rint does in the default rounding mode,
// for |v| below 2^51: adding 1.5 x 2^52 leaves no fraction bits, so the sum is
// rounded to a whole number. Far cheaper than the library call in the loop.
constexpr double kRoundShift = 6755399441055744.0; // 1.5 x 2^52
inline double roundHalfEven(double v) { return (v + kRoundShift) - kRoundShift; }

// Narrows [from, to) to the columns where `holds` is true, for a predicate that
// is true on a prefix or on a suffix of any range of columns.
template <typename Predicate>
void keepWhere(int& from, int& to, Predicate holds)
{
    if (from >= to) return;
    const bool first = holds(from), last = holds(to - 1);
    if (first && last) return;
    if (!first && !last) {
        to = from;
        return;
    }
    int lo = from, hi = to - 1; // holds(lo) == first, holds(hi) == last
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (holds(mid) == first ? lo : hi) = mid;
    }
    if (first) to = hi;
    else from = hi;
}

// What every destination pixel of a turn shares.
struct Turn {
    const Bitmap& source;
    int sourceWidth, sourceHeight;
    double centreX, centreY; // the turning point
    double offsetX, offsetY; // where the source's corner lies on the destination
    const double* dxc;       // dx x cos per destination column
    const double* dxs;       // dx x sin per destination column
    std::ptrdiff_t rowsAhead; // how far the source point moves in bytes over a few destination rows

    // The source point of column x on a row, from that row's dy x sin and dy x cos.
    double sourceX(int x, double dys) const { return (dxc[x] - dys - 1) / 2 + centreX - offsetX; }
    double sourceY(int x, double dyc) const { return (dxs[x] + dyc - 1) / 2 + centreY - offsetY; }

    // Narrows [from, to) to the columns of a row whose nearest source pixel
    // lies inside the source. Each step of the source point's formula is
    // monotonic in x, so its rounded coordinates are too: each bound holds on
    // a prefix or a suffix of the row, and together on one run of columns.
    void insideColumns(double dys, double dyc, int& from, int& to) const
    {
        const auto column = [&](int x) { return roundHalfEven(sourceX(x, dys)); };
        const auto row = [&](int x) { return roundHalfEven(sourceY(x, dyc)); };
        keepWhere(from, to, [&](int x) { return column(x) >= 0; });
        keepWhere(from, to, [&](int x) { return column(x) < sourceWidth; });
        keepWhere(from, to, [&](int x) { return row(x) >= 0; });
        keepWhere(from, to, [&](int x) { return row(x) < sourceHeight; });
    }

    // One destination pixel from the source point (sx, sy); a point whose
    // nearest pixel lies outside the source leaves it unchanged.
    void pixel(double sx, double sy, std::uint8_t* out) const
    {
        const double rx = roundHalfEven(sx), ry = roundHalfEven(sy);
        // Also skips a NaN angle, and coordinates too large to round this way.
        if (!(rx >= 0 && rx < sourceWidth && ry >= 0 && ry < sourceHeight)) return;
        const int ix = int(rx), iy = int(ry);
        const double fx = sx - ix, fy = sy - iy;
        const int ix1 = ClampRange(ix + 1, 0, sourceWidth - 1), iy1 = ClampRange(iy + 1, 0, sourceHeight - 1);
        const std::uint8_t* row0 = source.rowUnchecked(iy);
        const std::uint8_t* row1 = source.rowUnchecked(iy1);
        const std::uint8_t* p00 = row0 + std::ptrdiff_t(ix) * 3;
        const std::uint8_t* p10 = row0 + std::ptrdiff_t(ix1) * 3;
        const std::uint8_t* p01 = row1 + std::ptrdiff_t(ix) * 3;
        const std::uint8_t* p11 = row1 + std::ptrdiff_t(ix1) * 3;
        for (int k = 0; k < 3; ++k) {
            const double top = p00[k] + fx * (p10[k] - p00[k]);
            const double bottom = p01[k] + fx * (p11[k] - p01[k]);
            const double value = top + fy * (bottom - top);
            out[k] = std::uint8_t(ClampByte(static_cast<long long>(roundHalfEven(value))));
        }
    }

    void columns(int from, int to, double dys, double dyc, std::uint8_t* out) const
    {
        for (int x = from; x < to; ++x) pixel(sourceX(x, dys), sourceY(x, dyc), out + std::ptrdiff_t(x) * 3);
    }
};

using Simd = TurnSimd;

// Destination pixels are worked in square tiles, which keep the slanted run
// of source pixels each tile reads within a few pages.
constexpr int kTile = 64;

// Destination rows between a source read and the read it prepares.
constexpr int kRowsAhead = 8;

#if defined(__GNUC__) && defined(__x86_64__)
#define KEL_TURN_SIMD 1

// One row's run of columns whose source points all lie inside, worked in four
// steps: the source points and weights several columns at a time; the pixel
// pairs above and below each point with plain loads; the interpolation several
// columns at a time; the bytes written. The arithmetic is that of Turn::pixel,
// operation for operation in the same order (halving as a product by 0.5,
// which is exact; no fused multiply-add, which would round differently), so
// the bytes are the same.
struct Segment {
    static constexpr int kRoom = kTile + 8;
    alignas(64) double fx[kRoom], fy[kRoom];
    alignas(64) std::int32_t ix[kRoom], iy[kRoom];
    alignas(64) std::uint64_t upper[kRoom], lower[kRoom]; // pixel and right neighbour, six bytes
    alignas(64) std::uint32_t packed[kRoom];              // the results, blue, green, red
};

// A source pixel and its right neighbour, six bytes in the low end of a word.
inline std::uint64_t pixelPair(const std::uint8_t* left, const std::uint8_t* right)
{
    return std::uint64_t(left[0]) | std::uint64_t(left[1]) << 8 | std::uint64_t(left[2]) << 16
           | std::uint64_t(right[0]) << 24 | std::uint64_t(right[1]) << 32 | std::uint64_t(right[2]) << 40;
}

void loadPairs(const Turn& turn, Segment& seg, int count, int rounded)
{
    const int sw = turn.sourceWidth, sh = turn.sourceHeight;
    const std::ptrdiff_t stride = turn.source.bytesPerLine();
    const std::uint8_t* base = turn.source.rowUnchecked(0);
    const std::uint8_t* end = base + stride * sh;
    for (int i = 0; i < count; ++i) {
        const int column = seg.ix[i], row = seg.iy[i];
        const std::uint8_t* p0 = base + stride * row + 3 * column;
        const std::uint8_t* p1 = row + 1 < sh ? p0 + stride : p0;
        // The source rows a few destination rows further down will want,
        // asked for early: the slanted reads defeat the processor's own guess.
        __builtin_prefetch(reinterpret_cast<const void*>(std::uintptr_t(p1) + std::uintptr_t(turn.rowsAhead)));
        if (column + 1 < sw && p1 + 8 <= end) {
            std::memcpy(seg.upper + i, p0, 8);
            std::memcpy(seg.lower + i, p1, 8);
        } else {
            const int right = column + 1 < sw ? 3 : 0;
            seg.upper[i] = pixelPair(p0, p0 + right);
            seg.lower[i] = pixelPair(p1, p1 + right);
        }
    }
    for (int i = count; i < rounded; ++i) seg.upper[i] = seg.lower[i] = 0;
}

// Four bytes a pixel, each write's last byte overwritten by the next pixel's.
void writePixels(const Segment& seg, int count, std::uint8_t* out)
{
    for (int i = 0; i + 1 < count; ++i, out += 3) std::memcpy(out, seg.packed + i, 4);
    if (count > 0) std::memcpy(out, seg.packed + count - 1, 3);
}

// The byte `bits` up in each of four words, widened exactly to a double:
// 2^52 plus the byte, less 2^52.
__attribute__((target("avx2"))) inline __m256d channel(__m256i pairs, int bits)
{
    const __m256i byte = _mm256_and_si256(_mm256_srl_epi64(pairs, _mm_cvtsi32_si128(bits)), _mm256_set1_epi64x(0xFF));
    return _mm256_sub_pd(_mm256_castsi256_pd(_mm256_or_si256(byte, _mm256_set1_epi64x(0x4330000000000000))),
                         _mm256_set1_pd(4503599627370496.0));
}

__attribute__((target("avx2"))) void pointsAvx2(const Turn& turn, Segment& seg, int from, int rounded, double dys,
                                                double dyc)
{
    const __m256d shift = _mm256_set1_pd(kRoundShift), one = _mm256_set1_pd(1), half = _mm256_set1_pd(0.5);
    const __m256d rowSin = _mm256_set1_pd(dys), rowCos = _mm256_set1_pd(dyc);
    const __m256d centreX = _mm256_set1_pd(turn.centreX), centreY = _mm256_set1_pd(turn.centreY);
    const __m256d offsetX = _mm256_set1_pd(turn.offsetX), offsetY = _mm256_set1_pd(turn.offsetY);
    for (int i = 0; i < rounded; i += 4) {
        const int x = from + i;
        const __m256d sx = _mm256_sub_pd(
            _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_sub_pd(_mm256_loadu_pd(turn.dxc + x), rowSin), one), half),
                          centreX),
            offsetX);
        const __m256d sy = _mm256_sub_pd(
            _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_add_pd(_mm256_loadu_pd(turn.dxs + x), rowCos), one), half),
                          centreY),
            offsetY);
        const __m256d rx = _mm256_sub_pd(_mm256_add_pd(sx, shift), shift);
        const __m256d ry = _mm256_sub_pd(_mm256_add_pd(sy, shift), shift);
        _mm256_store_pd(seg.fx + i, _mm256_sub_pd(sx, rx));
        _mm256_store_pd(seg.fy + i, _mm256_sub_pd(sy, ry));
        _mm_store_si128(reinterpret_cast<__m128i*>(seg.ix + i), _mm256_cvttpd_epi32(rx));
        _mm_store_si128(reinterpret_cast<__m128i*>(seg.iy + i), _mm256_cvttpd_epi32(ry));
    }
}

__attribute__((target("avx2"))) void blendAvx2(Segment& seg, int rounded)
{
    const __m256d shift = _mm256_set1_pd(kRoundShift), zero = _mm256_setzero_pd(), maxByte = _mm256_set1_pd(255);
    const __m256i byteMask = _mm256_set1_epi64x(0xFF), lowHalves = _mm256_setr_epi32(0, 2, 4, 6, 0, 0, 0, 0);
    for (int i = 0; i < rounded; i += 4) {
        const __m256i up = _mm256_load_si256(reinterpret_cast<const __m256i*>(seg.upper + i));
        const __m256i down = _mm256_load_si256(reinterpret_cast<const __m256i*>(seg.lower + i));
        const __m256d wx = _mm256_load_pd(seg.fx + i), wy = _mm256_load_pd(seg.fy + i);
        __m256i bytes = _mm256_setzero_si256();
        for (int k = 0; k < 3; ++k) {
            const __m256d a = channel(up, 8 * k), b = channel(up, 24 + 8 * k);
            const __m256d c = channel(down, 8 * k), d = channel(down, 24 + 8 * k);
            const __m256d top = _mm256_add_pd(a, _mm256_mul_pd(wx, _mm256_sub_pd(b, a)));
            const __m256d bottom = _mm256_add_pd(c, _mm256_mul_pd(wx, _mm256_sub_pd(d, c)));
            const __m256d value = _mm256_add_pd(top, _mm256_mul_pd(wy, _mm256_sub_pd(bottom, top)));
            // Clamping before rounding gives what rounding then clamping gives,
            // 0 and 255 being whole; the sum's low bits are then the byte.
            const __m256d clamped = _mm256_min_pd(_mm256_max_pd(value, zero), maxByte);
            const __m256i byte = _mm256_and_si256(_mm256_castpd_si256(_mm256_add_pd(clamped, shift)), byteMask);
            bytes = _mm256_or_si256(bytes, _mm256_sll_epi64(byte, _mm_cvtsi32_si128(8 * k)));
        }
        _mm_store_si128(reinterpret_cast<__m128i*>(seg.packed + i),
                        _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(bytes, lowHalves)));
    }
}

// The same two steps eight columns at a time. (GCC 12's own AVX-512 headers
// warn of an uninitialized placeholder operand.)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
__attribute__((target("avx512f,avx512dq"))) void points512(const Turn& turn, Segment& seg, int from, int rounded,
                                                          double dys, double dyc)
{
    const __m512d shift = _mm512_set1_pd(kRoundShift), one = _mm512_set1_pd(1), half = _mm512_set1_pd(0.5);
    const __m512d rowSin = _mm512_set1_pd(dys), rowCos = _mm512_set1_pd(dyc);
    const __m512d centreX = _mm512_set1_pd(turn.centreX), centreY = _mm512_set1_pd(turn.centreY);
    const __m512d offsetX = _mm512_set1_pd(turn.offsetX), offsetY = _mm512_set1_pd(turn.offsetY);
    for (int i = 0; i < rounded; i += 8) {
        const int x = from + i;
        const __m512d sx = _mm512_sub_pd(
            _mm512_add_pd(_mm512_mul_pd(_mm512_sub_pd(_mm512_sub_pd(_mm512_loadu_pd(turn.dxc + x), rowSin), one), half),
                          centreX),
            offsetX);
        const __m512d sy = _mm512_sub_pd(
            _mm512_add_pd(_mm512_mul_pd(_mm512_sub_pd(_mm512_add_pd(_mm512_loadu_pd(turn.dxs + x), rowCos), one), half),
                          centreY),
            offsetY);
        const __m512d rx = _mm512_sub_pd(_mm512_add_pd(sx, shift), shift);
        const __m512d ry = _mm512_sub_pd(_mm512_add_pd(sy, shift), shift);
        _mm512_store_pd(seg.fx + i, _mm512_sub_pd(sx, rx));
        _mm512_store_pd(seg.fy + i, _mm512_sub_pd(sy, ry));
        _mm256_store_si256(reinterpret_cast<__m256i*>(seg.ix + i), _mm512_cvttpd_epi32(rx));
        _mm256_store_si256(reinterpret_cast<__m256i*>(seg.iy + i), _mm512_cvttpd_epi32(ry));
    }
}

__attribute__((target("avx512f,avx512dq"))) void blend512(Segment& seg, int rounded)
{
    const __m512d zero = _mm512_setzero_pd(), maxByte = _mm512_set1_pd(255);
    const __m512i byteMask = _mm512_set1_epi64(0xFF);
    const auto channelOf = [&](__m512i pairs, unsigned bits) __attribute__((target("avx512f,avx512dq"))) {
        return _mm512_cvtepu64_pd(_mm512_and_si512(_mm512_srl_epi64(pairs, _mm_cvtsi32_si128(int(bits))), byteMask));
    };
    for (int i = 0; i < rounded; i += 8) {
        const __m512i up = _mm512_load_si512(seg.upper + i), down = _mm512_load_si512(seg.lower + i);
        const __m512d wx = _mm512_load_pd(seg.fx + i), wy = _mm512_load_pd(seg.fy + i);
        __m256i bytes = _mm256_setzero_si256();
        for (unsigned k = 0; k < 3; ++k) {
            const __m512d a = channelOf(up, 8 * k), b = channelOf(up, 24 + 8 * k);
            const __m512d c = channelOf(down, 8 * k), d = channelOf(down, 24 + 8 * k);
            const __m512d top = _mm512_add_pd(a, _mm512_mul_pd(wx, _mm512_sub_pd(b, a)));
            const __m512d bottom = _mm512_add_pd(c, _mm512_mul_pd(wx, _mm512_sub_pd(d, c)));
            const __m512d value = _mm512_add_pd(top, _mm512_mul_pd(wy, _mm512_sub_pd(bottom, top)));
            const __m512d clamped = _mm512_min_pd(_mm512_max_pd(value, zero), maxByte);
            const __m256i byte = _mm512_cvt_roundpd_epi32(clamped, _MM_FROUND_TO_NEAREST_INT | _MM_FROUND_NO_EXC);
            bytes = _mm256_or_si256(bytes, _mm256_sll_epi32(byte, _mm_cvtsi32_si128(int(8 * k))));
        }
        _mm256_store_si256(reinterpret_cast<__m256i*>(seg.packed + i), bytes);
    }
}

#pragma GCC diagnostic pop

void insideColumnsSimd(const Turn& turn, Simd simd, int from, int to, double dys, double dyc, std::uint8_t* out)
{
    Segment seg;
    const int count = to - from;
    if (simd == Simd::Avx512) {
        const int rounded = (count + 7) & ~7;
        points512(turn, seg, from, rounded, dys, dyc);
        loadPairs(turn, seg, count, rounded);
        blend512(seg, rounded);
    } else {
        const int rounded = (count + 3) & ~3;
        pointsAvx2(turn, seg, from, rounded, dys, dyc);
        loadPairs(turn, seg, count, rounded);
        blendAvx2(seg, rounded);
    }
    writePixels(seg, count, out + std::ptrdiff_t(from) * 3);
}
#endif

// Destination rows from..to, tile by tile; every pixel is computed alone, so
// neither the order nor the split between threads changes the result.
void turnRows(const Turn& turn, int width, int fromRow, int toRow, double c, double s, Simd simd, Bitmap& destination)
{
    struct Row {
        double sinPart, cosPart; // dy x sin and dy x cos
        int from, to;            // the columns whose source point lies inside
    };
    Row rows[kTile];
    for (int tileY = fromRow; tileY < toRow; tileY += kTile) {
        const int endY = std::min(toRow, tileY + kTile);
        for (int y = tileY; y < endY; ++y) {
            Row& row = rows[y - tileY];
            const double dy = 2 * (static_cast<double>(y) - turn.centreY) + 1;
            row = {dy * s, dy * c, 0, width};
            turn.insideColumns(row.sinPart, row.cosPart, row.from, row.to);
        }
        for (int tileX = 0; tileX < width; tileX += kTile)
            for (int y = tileY; y < endY; ++y) {
                const Row& row = rows[y - tileY];
                const int from = std::max(tileX, row.from), to = std::min(tileX + kTile, row.to);
                if (from >= to) continue;
                std::uint8_t* out = destination.rowUnchecked(y);
#ifdef KEL_TURN_SIMD
                if (simd != Simd::None) {
                    insideColumnsSimd(turn, simd, from, to, row.sinPart, row.cosPart, out);
                    continue;
                }
#endif
                turn.columns(from, to, row.sinPart, row.cosPart, out);
            }
    }
}

} // namespace

void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY)
{
    TurnBitmap(source, destination, centreX, angle, centreY, bestTurnSimd());
}

void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY, TurnSimd level)
{
    if (source.pixelFormat() != pf24bit || destination.pixelFormat() != pf24bit)
        throw RangeError(std::string("L'inclinaison demande des images 24 bits"));
    if (source.empty() || destination.empty()) return;

    // Cosine and sine in extended precision, the per-pixel work in double:
    // extended arithmetic at every pixel is many times slower and changes only
    // points within a few units in the last place of a rounding tie.
    const long double theta = -static_cast<long double>(angle) * std::numbers::pi_v<long double> / 180;
    const double c = double(std::cos(theta)), s = double(std::sin(theta));
    const int sw = source.width(), sh = source.height();
    const int ox = (destination.width() - sw) / 2, oy = (destination.height() - sh) / 2;

    // dx x c and dx x s per column, dy x s and dy x c per row: the same
    // products the formula takes at every pixel, worked out once. Seven more
    // columns let the last group of eight be read whole.
    const int dw = destination.width(), dh = destination.height();
    std::vector<double> dxc(static_cast<std::size_t>(dw) + 7), dxs(static_cast<std::size_t>(dw) + 7);
    for (int x = 0; x < dw + 7; ++x) {
        const double dx = 2 * (static_cast<double>(x) - centreX) + 1;
        dxc[std::size_t(x)] = dx * c;
        dxs[std::size_t(x)] = dx * s;
    }
    // A destination row further down moves the source point by (-sin, cos).
    const double rowsAhead = std::round(kRowsAhead * c), columnsAhead = std::round(-kRowsAhead * s);
    const double ahead = rowsAhead * source.bytesPerLine() + columnsAhead * 3;
    const Turn turn{source,           sw,         sh,         double(centreX),
                    double(centreY),  double(ox), double(oy), dxc.data(),
                    dxs.data(),       std::isfinite(ahead) ? std::ptrdiff_t(ahead) : 0};
    const Simd simd = std::min(level, bestTurnSimd());
    // Rows are independent: a large picture is split between two threads.
    constexpr std::int64_t kPixelsWorthAThread = 1 << 20;
    const int splitRow = dh / 2 / kTile * kTile;
    if (std::int64_t(dw) * dh >= kPixelsWorthAThread && splitRow > 0 && std::thread::hardware_concurrency() > 1) {
        std::thread lower;
        try {
            lower = std::thread([&] { turnRows(turn, dw, splitRow, dh, c, s, simd, destination); });
        } catch (const std::system_error&) {
            turnRows(turn, dw, splitRow, dh, c, s, simd, destination);
        }
        turnRows(turn, dw, 0, splitRow, c, s, simd, destination);
        if (lower.joinable()) lower.join();
        return;
    }
    turnRows(turn, dw, 0, dh, c, s, simd, destination);
}

TurnSimd bestTurnSimd()
{
#if defined(__GNUC__) && defined(__x86_64__)
    static const Simd level = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") ? Simd::Avx512
                              : __builtin_cpu_supports("avx2")                                        ? Simd::Avx2
                                                                                                      : Simd::None;
    return level;
#else
    return Simd::None;
#endif
}

Bitmap inclinedBitmap(const Bitmap& picture, double angle, Colour background)
{
    Bitmap source(picture.width(), picture.height(), pf24bit);
    picture.drawOnto(source, 0, 0);
    Bitmap destination(picture.width(), picture.height(), pf24bit);
    fillRows(destination, 0, destination.height(), background);
    TurnBitmap(source, destination, picture.width() / 2, angle, picture.height() / 2);
    return destination;
}

} // namespace kel
