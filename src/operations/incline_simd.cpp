// The turn's inside columns several at a time, with AVX2 or AVX-512.
#include "operations/incline_turn.h"

#include <cstring>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kel::turn_detail {

#if defined(__GNUC__) && defined(__x86_64__)
namespace {

using Simd = TurnSimd;

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

} // namespace

void insideColumnsSimd(const Turn& turn, TurnSimd simd, int from, int to, double dys, double dyc, std::uint8_t* out)
{
    Segment seg;
    const int count = to - from;
    if (simd == TurnSimd::Avx512) {
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
#else
void insideColumnsSimd(const Turn& turn, TurnSimd, int from, int to, double dys, double dyc, std::uint8_t* out)
{
    turn.columns(from, to, dys, dyc, out);
}
#endif

} // namespace kel::turn_detail
