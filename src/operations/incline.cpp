#include "operations/incline.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif
#include <numbers>
#include <vector>

namespace kel {

namespace {

// Round to nearest, halves to even, as rint does in the default rounding mode,
// for |v| below 2^51: adding 1.5 x 2^52 leaves no fraction bits, so the sum is
// rounded to a whole number. Far cheaper than the library call in the loop.
constexpr double kRoundShift = 6755399441055744.0; // 1.5 x 2^52
inline double roundHalfEven(double v) { return (v + kRoundShift) - kRoundShift; }

// What every destination pixel of a turn shares.
struct Turn {
    const Bitmap& source;
    int sourceWidth, sourceHeight;
    double centreX, centreY; // the turning point
    double offsetX, offsetY; // where the source's corner lies on the destination
    const double* dxc;       // dx x cos per destination column
    const double* dxs;       // dx x sin per destination column

    // The source point of column x on a row, from that row's dy x sin and dy x cos.
    double sourceX(int x, double dys) const { return (dxc[x] - dys - 1) / 2 + centreX - offsetX; }
    double sourceY(int x, double dyc) const { return (dxs[x] + dyc - 1) / 2 + centreY - offsetY; }

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

#if defined(__GNUC__) && defined(__x86_64__)
#define KEL_TURN_AVX2 1

// Channel k of four packed B, G, R pixels, as doubles.
__attribute__((target("avx2"))) inline __m256d channelOf(__m128i pixels, __m128i bits)
{
    return _mm256_cvtepi32_pd(_mm_and_si128(_mm_srl_epi32(pixels, bits), _mm_set1_epi32(0xFF)));
}

// Columns from..to of one row, four at a time in AVX2 with the same operations
// in the same order as Turn::pixel (halving as a product by 0.5, which is
// exact), so the bytes are the same; no fused multiply-add, which would round
// differently.
__attribute__((target("avx2"))) void columnsAvx2(const Turn& turn, int from, int to, double dys, double dyc,
                                                 std::uint8_t* out)
{
    const __m256d shift = _mm256_set1_pd(kRoundShift), one = _mm256_set1_pd(1), half = _mm256_set1_pd(0.5);
    const __m256d zero = _mm256_setzero_pd();
    const __m256d width = _mm256_set1_pd(turn.sourceWidth), height = _mm256_set1_pd(turn.sourceHeight);
    const __m256d rowSin = _mm256_set1_pd(dys), rowCos = _mm256_set1_pd(dyc);
    const __m256d centreX = _mm256_set1_pd(turn.centreX), centreY = _mm256_set1_pd(turn.centreY);
    const __m256d offsetX = _mm256_set1_pd(turn.offsetX), offsetY = _mm256_set1_pd(turn.offsetY);
    const __m128i lastColumn = _mm_set1_epi32(turn.sourceWidth - 1), lastRow = _mm_set1_epi32(turn.sourceHeight - 1);
    const __m128i oneI = _mm_set1_epi32(1), maxByte = _mm_set1_epi32(255);
    const __m128i stride = _mm_set1_epi32(turn.source.bytesPerLine());
    const auto* base = reinterpret_cast<const int*>(turn.source.rowUnchecked(0));
    // Pixels are read four bytes at a time; a read from beyond this offset would pass the end of the picture.
    const __m128i lastSafeOffset =
        _mm_set1_epi32(int(std::int64_t(turn.source.bytesPerLine()) * turn.sourceHeight - 4));

    int x = from;
    for (; x + 4 <= to; x += 4) {
        const __m256d sx = _mm256_sub_pd(
            _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_sub_pd(_mm256_loadu_pd(turn.dxc + x), rowSin), one), half),
                          centreX),
            offsetX);
        const __m256d sy = _mm256_sub_pd(
            _mm256_add_pd(_mm256_mul_pd(_mm256_sub_pd(_mm256_add_pd(_mm256_loadu_pd(turn.dxs + x), rowCos), one), half),
                          centreY),
            offsetY);
        __m256d rx = _mm256_sub_pd(_mm256_add_pd(sx, shift), shift);
        __m256d ry = _mm256_sub_pd(_mm256_add_pd(sy, shift), shift);
        const __m256d inside =
            _mm256_and_pd(_mm256_and_pd(_mm256_cmp_pd(rx, zero, _CMP_GE_OQ), _mm256_cmp_pd(rx, width, _CMP_LT_OQ)),
                          _mm256_and_pd(_mm256_cmp_pd(ry, zero, _CMP_GE_OQ), _mm256_cmp_pd(ry, height, _CMP_LT_OQ)));
        const int lanes = _mm256_movemask_pd(inside);
        if (lanes == 0) continue;
        const __m256d fx = _mm256_sub_pd(sx, rx), fy = _mm256_sub_pd(sy, ry);
        // Lanes outside read the pixel (0, 0) and are not written.
        rx = _mm256_and_pd(rx, inside);
        ry = _mm256_and_pd(ry, inside);
        const __m128i ix = _mm256_cvttpd_epi32(rx), iy = _mm256_cvttpd_epi32(ry);
        const __m128i ix1 = _mm_min_epi32(_mm_add_epi32(ix, oneI), lastColumn);
        const __m128i iy1 = _mm_min_epi32(_mm_add_epi32(iy, oneI), lastRow);
        const __m128i row0 = _mm_mullo_epi32(iy, stride), row1 = _mm_mullo_epi32(iy1, stride);
        const __m128i column0 = _mm_add_epi32(_mm_add_epi32(ix, ix), ix);
        const __m128i column1 = _mm_add_epi32(_mm_add_epi32(ix1, ix1), ix1);
        const __m128i o11 = _mm_add_epi32(row1, column1);
        if (_mm_movemask_epi8(_mm_cmpgt_epi32(o11, lastSafeOffset)) != 0) {
            turn.columns(x, x + 4, dys, dyc, out);
            continue;
        }
        const __m128i p00 = _mm_i32gather_epi32(base, _mm_add_epi32(row0, column0), 1);
        const __m128i p10 = _mm_i32gather_epi32(base, _mm_add_epi32(row0, column1), 1);
        const __m128i p01 = _mm_i32gather_epi32(base, _mm_add_epi32(row1, column0), 1);
        const __m128i p11 = _mm_i32gather_epi32(base, o11, 1);
        __m128i bytes = _mm_setzero_si128();
        for (int k = 0; k < 3; ++k) {
            const __m128i bits = _mm_cvtsi32_si128(8 * k);
            const __m256d a = channelOf(p00, bits), b = channelOf(p10, bits);
            const __m256d c = channelOf(p01, bits), d = channelOf(p11, bits);
            const __m256d top = _mm256_add_pd(a, _mm256_mul_pd(fx, _mm256_sub_pd(b, a)));
            const __m256d bottom = _mm256_add_pd(c, _mm256_mul_pd(fx, _mm256_sub_pd(d, c)));
            const __m256d value = _mm256_add_pd(top, _mm256_mul_pd(fy, _mm256_sub_pd(bottom, top)));
            const __m128i rounded = _mm256_cvttpd_epi32(_mm256_sub_pd(_mm256_add_pd(value, shift), shift));
            const __m128i clamped = _mm_min_epi32(_mm_max_epi32(rounded, _mm_setzero_si128()), maxByte);
            bytes = _mm_or_si128(bytes, _mm_sll_epi32(clamped, bits));
        }
        alignas(16) std::uint32_t packed[4];
        _mm_store_si128(reinterpret_cast<__m128i*>(packed), bytes);
        for (int lane = 0; lane < 4; ++lane) {
            if (!(lanes & (1 << lane))) continue;
            std::uint8_t* p = out + std::ptrdiff_t(x + lane) * 3;
            p[0] = std::uint8_t(packed[lane]);
            p[1] = std::uint8_t(packed[lane] >> 8);
            p[2] = std::uint8_t(packed[lane] >> 16);
        }
    }
    turn.columns(x, to, dys, dyc, out);
}
#endif

} // namespace

void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY)
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
    // products the formula takes at every pixel, worked out once.
    const int dw = destination.width();
    std::vector<double> dxc(static_cast<std::size_t>(dw)), dxs(static_cast<std::size_t>(dw));
    for (int x = 0; x < dw; ++x) {
        const double dx = 2 * (static_cast<double>(x) - centreX) + 1;
        dxc[std::size_t(x)] = dx * c;
        dxs[std::size_t(x)] = dx * s;
    }
    const Turn turn{source, sw, sh, double(centreX), double(centreY), double(ox), double(oy), dxc.data(), dxs.data()};
#ifdef KEL_TURN_AVX2
    static const bool avx2 = __builtin_cpu_supports("avx2");
#else
    constexpr bool avx2 = false;
#endif
    // Square tiles of the destination keep the slanted run of source pixels
    // each tile reads within a few pages; every pixel is computed alone, so
    // the order does not change the result.
    constexpr int kTile = 64;
    const int dh = destination.height();
    for (int tileY = 0; tileY < dh; tileY += kTile)
        for (int tileX = 0; tileX < dw; tileX += kTile) {
            const int endY = std::min(dh, tileY + kTile), endX = std::min(dw, tileX + kTile);
            for (int y = tileY; y < endY; ++y) {
                std::uint8_t* out = destination.rowUnchecked(y);
                const double dy = 2 * (static_cast<double>(y) - centreY) + 1;
                const double dys = dy * s, dyc = dy * c;
#ifdef KEL_TURN_AVX2
                if (avx2) {
                    columnsAvx2(turn, tileX, endX, dys, dyc, out);
                    continue;
                }
#endif
                turn.columns(tileX, endX, dys, dyc, out);
            }
        }
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
