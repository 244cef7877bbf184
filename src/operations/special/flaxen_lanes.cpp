#include "operations/special/flaxen_lanes.h"

#include <utility>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

// The vector helpers are always inlined, never called across the ABI.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace kel::flaxen_detail {

#if defined(__GNUC__) && defined(__x86_64__)
namespace {

// A tile is 16 pixels of the 16 rows: 48 byte columns (blue, green, red of
// each pixel), each column a vector of 16-bit lanes, lane j for row j.
constexpr int kTilePixels = 16;
constexpr int kTileBytes = 3 * kTilePixels;

#define KEL_LANES __attribute__((target("avx2"), always_inline)) inline

// Sixteen bytes of every row from byte `offset` on, turned into sixteen
// columns widened to 16 bits. Rows j and j + 8 share a register, one in each
// half, so every step below works both halves alike: byte pairs of two rows,
// then 16-bit quads of four, then 32-bit eights, each one column's rows.
KEL_LANES void loadBlock(const std::uint8_t* top, std::ptrdiff_t stride, std::ptrdiff_t offset, __m256i* columns)
{
    __m256i rows[8];
    for (int i = 0; i < 8; ++i) {
        const std::uint8_t* p = top + i * stride + offset;
        const __m128i upper = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i lower = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 8 * stride));
        rows[i] = _mm256_inserti128_si256(_mm256_castsi128_si256(upper), lower, 1);
    }
    __m256i pairs[8]; // rows 2i, 2i + 1: columns 0-7 at 2i, 8-15 at 2i + 1
    for (int i = 0; i < 4; ++i) {
        pairs[2 * i] = _mm256_unpacklo_epi8(rows[2 * i], rows[2 * i + 1]);
        pairs[2 * i + 1] = _mm256_unpackhi_epi8(rows[2 * i], rows[2 * i + 1]);
    }
    __m256i quads[2][4]; // rows 0-3 or 4-7, columns 4q to 4q + 3
    for (int h = 0; h < 2; ++h) {
        const __m256i* a = pairs + 4 * h;
        quads[h][0] = _mm256_unpacklo_epi16(a[0], a[2]);
        quads[h][1] = _mm256_unpackhi_epi16(a[0], a[2]);
        quads[h][2] = _mm256_unpacklo_epi16(a[1], a[3]);
        quads[h][3] = _mm256_unpackhi_epi16(a[1], a[3]);
    }
    const __m256i zero = _mm256_setzero_si256();
    for (int q = 0; q < 4; ++q) {
        const __m256i low = _mm256_unpacklo_epi32(quads[0][q], quads[1][q]);
        const __m256i high = _mm256_unpackhi_epi32(quads[0][q], quads[1][q]);
        columns[4 * q] = _mm256_unpacklo_epi8(low, zero);
        columns[4 * q + 1] = _mm256_unpackhi_epi8(low, zero);
        columns[4 * q + 2] = _mm256_unpacklo_epi8(high, zero);
        columns[4 * q + 3] = _mm256_unpackhi_epi8(high, zero);
    }
}

// The way back: sixteen columns of values below 256 written as sixteen bytes
// of every row from byte `offset` on. Columns k and k + 8 are narrowed into
// one register, then interleaved row by row in pairs, quads and eights.
KEL_LANES void storeBlock(const __m256i* columns, std::uint8_t* top, std::ptrdiff_t stride, std::ptrdiff_t offset)
{
    __m256i packed[8];
    for (int k = 0; k < 8; ++k) packed[k] = _mm256_packus_epi16(columns[k], columns[k + 8]);
    __m256i pairs[8]; // columns 2i, 2i + 1 at i, columns 2i + 8, 2i + 9 at 4 + i
    for (int i = 0; i < 4; ++i) {
        pairs[i] = _mm256_unpacklo_epi8(packed[2 * i], packed[2 * i + 1]);
        pairs[4 + i] = _mm256_unpackhi_epi8(packed[2 * i], packed[2 * i + 1]);
    }
    __m256i eights[2][4]; // columns 8e to 8e + 7 of rows 2k, 2k + 1
    for (int e = 0; e < 2; ++e) {
        const __m256i* p = pairs + 4 * e;
        const __m256i upperLeft = _mm256_unpacklo_epi16(p[0], p[1]), lowerLeft = _mm256_unpackhi_epi16(p[0], p[1]);
        const __m256i upperRight = _mm256_unpacklo_epi16(p[2], p[3]), lowerRight = _mm256_unpackhi_epi16(p[2], p[3]);
        eights[e][0] = _mm256_unpacklo_epi32(upperLeft, upperRight);
        eights[e][1] = _mm256_unpackhi_epi32(upperLeft, upperRight);
        eights[e][2] = _mm256_unpacklo_epi32(lowerLeft, lowerRight);
        eights[e][3] = _mm256_unpackhi_epi32(lowerLeft, lowerRight);
    }
    for (int k = 0; k < 4; ++k) {
        const __m256i rowPair[2] = {_mm256_unpacklo_epi64(eights[0][k], eights[1][k]),
                                    _mm256_unpackhi_epi64(eights[0][k], eights[1][k])};
        for (int r = 0; r < 2; ++r) {
            std::uint8_t* p = top + (2 * k + r) * stride + offset;
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p), _mm256_castsi256_si128(rowPair[r]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(p + 8 * stride), _mm256_extracti128_si256(rowPair[r], 1));
        }
    }
}

KEL_LANES void loadTile(const std::uint8_t* top, std::ptrdiff_t stride, int tile, __m256i* columns)
{
    for (int b = 0; b < 3; ++b) loadBlock(top, stride, std::ptrdiff_t(kTileBytes) * tile + 16 * b, columns + 16 * b);
}

KEL_LANES void storeTile(const __m256i* columns, std::uint8_t* top, std::ptrdiff_t stride, int tile)
{
    for (int b = 0; b < 3; ++b) storeBlock(columns + 16 * b, top, stride, std::ptrdiff_t(kTileBytes) * tile + 16 * b);
}

// Tile by tile: the next tile's columns are read before this tile's are
// written back, since the steps at its last two pixels look one and two
// pixels ahead. Pixel x's red takes step x; its green and blue come from step
// x - 1, still carried in `green` and `blue`.
__attribute__((target("avx2"))) int mixAvx2(std::uint8_t* top, std::ptrdiff_t stride, int width)
{
    const int tiles = width / kTilePixels - 1;
    if (tiles < 1) return 0;
    alignas(32) __m256i buffers[2][kTileBytes];
    alignas(32) __m256i mixed[kTileBytes];
    __m256i* current = buffers[0];
    __m256i* next = buffers[1];
    const __m256i third = _mm256_set1_epi16(short(kThird));
    loadTile(top, stride, 0, current);
    __m256i green = current[1], blue = current[0];
    for (int tile = 0; tile < tiles; ++tile) {
        loadTile(top, stride, tile + 1, next);
#pragma GCC unroll 16
        for (int k = 0; k < kTilePixels; ++k) {
            const __m256i* here = current + 3 * k;
            const __m256i nextGreen = k + 1 < kTilePixels ? here[4] : next[1];
            const __m256i farBlue = k + 2 < kTilePixels ? here[6] : next[3 * (k + 2 - kTilePixels)];
            const __m256i ahead = _mm256_add_epi16(nextGreen, farBlue);
            mixed[3 * k] = blue;
            mixed[3 * k + 1] = green;
            mixed[3 * k + 2] = _mm256_mulhi_epu16(_mm256_add_epi16(here[2], ahead), third);
            green = _mm256_mulhi_epu16(_mm256_add_epi16(green, ahead), third);
            blue = _mm256_mulhi_epu16(_mm256_add_epi16(_mm256_add_epi16(blue, farBlue), green), third);
        }
        storeTile(mixed, top, stride, tile);
        std::swap(current, next);
    }
    const int done = tiles * kTilePixels;
    alignas(32) std::uint16_t greens[kLaneRows], blues[kLaneRows];
    _mm256_store_si256(reinterpret_cast<__m256i*>(greens), green);
    _mm256_store_si256(reinterpret_cast<__m256i*>(blues), blue);
    for (int j = 0; j < kLaneRows; ++j) {
        std::uint8_t* pixel = top + j * stride + 3 * done;
        pixel[0] = std::uint8_t(blues[j]);
        pixel[1] = std::uint8_t(greens[j]);
    }
    return done;
}

} // namespace

bool lanesAvailable()
{
    static const bool available = __builtin_cpu_supports("avx2");
    return available;
}

int mixLaneRows(std::uint8_t* top, std::ptrdiff_t stride, int width) { return mixAvx2(top, stride, width); }

#else

bool lanesAvailable() { return false; }
int mixLaneRows(std::uint8_t*, std::ptrdiff_t, int) { return 0; }

#endif

} // namespace kel::flaxen_detail
