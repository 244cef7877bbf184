#include "operations/special/blur_sharpen.h"

#include "operations/special/in_24bit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kel {

namespace {

// Interior rows are worked in chunks of columns. A chunk reads the row above
// (already blurred) and the row itself and the one below (not yet) up to one
// column past its end, so row y may work on chunk k once row y - 1 has
// finished chunk k + 1; the row below then still holds its old values
// wherever row y reads it. Rows go in bands of eight, each row two chunks
// behind the one above it; two neighbouring rows share one vector, so four
// vectors carry eight independent chains side by side.
constexpr int kBlurChunk = 64; // pixels
constexpr int kBlurBand = 8;    // rows
constexpr int kBlurPairs = kBlurBand / 2;
constexpr std::size_t kRestRoom = std::size_t(kBlurChunk) * 3 + 4; // one chunk's sums, read four at a time

// Every term of a pixel's 3 x 3 sum but its left neighbour's new value, for
// interior columns [from, to) of one row; sixteen at a time where the
// processor has AVX2.
#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void gatherRest(const std::uint8_t* row, const std::uint8_t* above, const std::uint8_t* below, int from, int to,
                std::uint16_t* __restrict rest)
{
    const int first = from * 3, count = (to - from) * 3;
    for (int k = 0; k < count; ++k) {
        const int i = first + k;
        rest[k] = std::uint16_t(above[i - 3] + above[i] + above[i + 3] + row[i] + row[i + 3] + below[i - 3] + below[i]
                                + below[i + 3]);
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
// gatherRest for a whole chunk, thirty-two bytes at a time: each term's
// bytes read at once and spread to sixteen-bit lanes in two halves.
__attribute__((target("avx2"))) void gatherRestAvx2(const std::uint8_t* row, const std::uint8_t* above,
                                                    const std::uint8_t* below, int from, int to,
                                                    std::uint16_t* __restrict rest)
{
    if (to - from != kBlurChunk) {
        gatherRest(row, above, below, from, to, rest);
        return;
    }
    const __m256i zero = _mm256_setzero_si256();
    for (int k = 0; k < 3 * kBlurChunk; k += 32) {
        const int i = 3 * from + k;
        const std::uint8_t* const terms[8] = {above + i - 3, above + i, above + i + 3, row + i,
                                              row + i + 3,   below + i - 3, below + i, below + i + 3};
        // Bytes 0..7 and 16..23 of every term in `low`, 8..15 and 24..31 in `high`.
        __m256i low = zero, high = zero;
        for (const std::uint8_t* term : terms) {
            const __m256i bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(term));
            low = _mm256_add_epi16(low, _mm256_unpacklo_epi8(bytes, zero));
            high = _mm256_add_epi16(high, _mm256_unpackhi_epi8(bytes, zero));
        }
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(rest + k), _mm256_permute2x128_si256(low, high, 0x20));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(rest + k + 16), _mm256_permute2x128_si256(low, high, 0x31));
    }
}
#endif

// The low three bytes of `bytes` to one pixel.
inline void storePixel(std::uint8_t* pixel, std::uint32_t bytes)
{
    pixel[0] = std::uint8_t(bytes);
    pixel[1] = std::uint8_t(bytes >> 8);
    pixel[2] = std::uint8_t(bytes >> 16);
}

#ifdef __SSE2__
// The running values of a row's chain, blue, green, red: the last pixel written.
// (v + rest) / 9 is the high half of (v + rest) * 7282, exact below 32768.
struct BlurChain {
    __m128i value;
    void step(const std::uint16_t* rest)
    {
        const __m128i sum = _mm_add_epi16(value, _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rest)));
        value = _mm_mulhi_epu16(sum, _mm_set1_epi16(7282));
    }
    // Four bytes: the pixel and the next pixel's blue, which its own step rewrites.
    void storeWide(std::uint8_t* pixel) const
    {
        const auto bytes = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(value, value)));
        std::memcpy(pixel, &bytes, 4);
    }
    void store(std::uint8_t* pixel) const
    {
        storePixel(pixel, std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(value, value))));
    }
};

// Two rows' chains in one vector: the upper row's blue, green, red in lanes
// 0..2, the lower row's in lanes 4..6. Lanes 3 and 7 carry the next pixel's
// blue sum along and are never kept.
struct ChainPair {
    __m128i value = _mm_setzero_si128();
    void start(int half, const std::uint8_t* row)
    {
        const __m128i pixel = _mm_setr_epi16(row[0], row[1], row[2], 0, 0, 0, 0, 0);
        value = half == 0 ? _mm_unpacklo_epi64(pixel, _mm_unpackhi_epi64(value, value))
                          : _mm_unpacklo_epi64(value, pixel);
    }
    BlurChain half(int half) const { return {half == 0 ? value : _mm_unpackhi_epi64(value, value)}; }
    void step(const std::uint16_t* upper, const std::uint16_t* lower)
    {
        const __m128d low = _mm_castsi128_pd(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(upper)));
        const __m128i rest = _mm_castpd_si128(_mm_loadh_pd(low, reinterpret_cast<const double*>(lower)));
        value = _mm_mulhi_epu16(_mm_add_epi16(value, rest), _mm_set1_epi16(7282));
    }
    std::uint64_t bytes() const { return std::uint64_t(_mm_cvtsi128_si64(_mm_packus_epi16(value, value))); }
    // Four bytes to each row, as BlurChain::storeWide.
    void storeWide(std::uint8_t* upper, std::uint8_t* lower) const
    {
        const std::uint64_t both = bytes();
        const auto high = std::uint32_t(both >> 32), low = std::uint32_t(both);
        std::memcpy(upper, &low, 4);
        std::memcpy(lower, &high, 4);
    }
    void store(std::uint8_t* upper, std::uint8_t* lower) const
    {
        const std::uint64_t both = bytes();
        storePixel(upper, std::uint32_t(both));
        storePixel(lower, std::uint32_t(both >> 32));
    }
};
#else
struct BlurChain {
    unsigned value[3];
    void step(const std::uint16_t* rest)
    {
        for (int c = 0; c < 3; ++c) value[c] = (value[c] + rest[c]) / 9;
    }
    void storeWide(std::uint8_t* pixel) const { store(pixel); }
    void store(std::uint8_t* pixel) const
    {
        for (int c = 0; c < 3; ++c) pixel[c] = std::uint8_t(value[c]);
    }
};

struct ChainPair {
    BlurChain rows[2] = {};
    void start(int half, const std::uint8_t* row) { rows[half] = {{row[0], row[1], row[2]}}; }
    BlurChain half(int half) const { return rows[half]; }
    void step(const std::uint16_t* upper, const std::uint16_t* lower)
    {
        rows[0].step(upper);
        rows[1].step(lower);
    }
    void storeWide(std::uint8_t* upper, std::uint8_t* lower) const { store(upper, lower); }
    void store(std::uint8_t* upper, std::uint8_t* lower) const
    {
        rows[0].store(upper);
        rows[1].store(lower);
    }
};
#endif

// A chain over `count` pixels from its sums to the row.
[[gnu::always_inline]] inline void runChain(BlurChain chain, const std::uint16_t* rest, std::uint8_t* out, int count)
{
    for (int x = 0; x + 1 < count; ++x) {
        chain.step(rest + 3 * x);
        chain.storeWide(out + 3 * x);
    }
    chain.step(rest + 3 * (count - 1));
    chain.store(out + 3 * (count - 1));
}

// `Pairs` pairs of chains over a whole chunk, interleaved; row r's sums are
// at rest + r * kRestRoom.
template <int Pairs>
[[gnu::always_inline]] inline void runPairs(ChainPair* pairs, const std::uint16_t* rest, std::uint8_t* const* out)
{
    ChainPair lanes[Pairs];
    for (int p = 0; p < Pairs; ++p) lanes[p] = pairs[p];
    const auto sums = [rest](int r, int x) { return rest + kRestRoom * std::size_t(r) + 3 * x; };
    for (int x = 0; x + 1 < kBlurChunk; ++x)
        for (int p = 0; p < Pairs; ++p) {
            lanes[p].step(sums(2 * p, x), sums(2 * p + 1, x));
            lanes[p].storeWide(out[2 * p] + 3 * x, out[2 * p + 1] + 3 * x);
        }
    constexpr int last = kBlurChunk - 1;
    for (int p = 0; p < Pairs; ++p) {
        lanes[p].step(sums(2 * p, last), sums(2 * p + 1, last));
        lanes[p].store(out[2 * p] + 3 * last, out[2 * p + 1] + 3 * last);
        pairs[p] = lanes[p];
    }
}

// Room for a band: the rows' sums and a sink for rows not at work on a whole chunk.
struct BandScratch {
    std::vector<std::uint16_t> rest = std::vector<std::uint16_t>(kRestRoom * kBlurBand);
    std::vector<std::uint8_t> sink = std::vector<std::uint8_t>(kRestRoom);
};

// A row's chunks are first read from memory as the row below of the one
// above; the processor's own prefetch does not keep up with eight rows' streams.
constexpr int kPrefetchSteps = 3;

// Asks for the bytes of `row` that chunk `chunk` reads, within the row.
inline void prefetchChunk(const std::uint8_t* row, int width, int chunk, int chunks)
{
    if (chunk < 0 || chunk >= chunks) return;
    const int first = 3 * chunk * kBlurChunk, end = std::min(first + 3 * kBlurChunk + 6, 3 * width);
    for (int at = first; at < end; at += 64) __builtin_prefetch(row + at);
    __builtin_prefetch(row + end - 1);
}

// One band of `rows` interior rows from `top`, over `chunks` chunks. Rows
// at work on a whole chunk form one run of pairs; the other row of a pair at
// the run's ends steps on stale sums into the sink, and its half of the
// vector is started afresh when the row starts.
template <auto gather>
[[gnu::always_inline]] inline void blurBand(Bitmap& bitmap, int top, int rows, int chunks, BandScratch& scratch)
{
    const int width = bitmap.width(), lastChunk = chunks - 1;
    std::uint8_t* lines[kBlurBand + 2]; // from the row above the band to the row below it
    for (int r = 0; r < rows + 2; ++r) lines[r] = bitmap.rowUnchecked(top - 1 + r);
    ChainPair pairs[kBlurPairs];
    for (int s = 0; s < chunks + 2 * (rows - 1); ++s) {
        std::uint8_t* out[kBlurBand];
        int firstPair = kBlurPairs, endPair = 0;
        for (int r = 0; r < kBlurBand; ++r) {
            const int chunk = s - 2 * r;
            out[r] = scratch.sink.data();
            if (r < rows) prefetchChunk(lines[r + 2], width, chunk + kPrefetchSteps, chunks);
            if (r >= rows || chunk < 0 || chunk > lastChunk) continue;
            std::uint8_t* row = lines[r + 1];
            if (chunk == 0) pairs[r / 2].start(r % 2, row);
            const int from = 1 + chunk * kBlurChunk, to = std::min(from + kBlurChunk, width - 1);
            std::uint16_t* sums = scratch.rest.data() + kRestRoom * std::size_t(r);
            gather(row, lines[r], lines[r + 2], from, to, sums);
            if (chunk == lastChunk) {
                // Chains of one step touch only their own rows, so this one
                // may go first, before its half is stepped on.
                runChain(pairs[r / 2].half(r % 2), sums, row + 3 * from, to - from);
                continue;
            }
            out[r] = row + 3 * from;
            firstPair = std::min(firstPair, r / 2);
            endPair = r / 2 + 1;
        }
        ChainPair* run = pairs + firstPair;
        const std::uint16_t* rest = scratch.rest.data() + kRestRoom * std::size_t(2 * firstPair);
        std::uint8_t* const* runOut = out + 2 * firstPair;
        switch (endPair - firstPair) {
        case 1: runPairs<1>(run, rest, runOut); break;
        case 2: runPairs<2>(run, rest, runOut); break;
        case 3: runPairs<3>(run, rest, runOut); break;
        case 4: runPairs<4>(run, rest, runOut); break;
        default: break;
        }
    }
}

#if defined(__GNUC__) && defined(__x86_64__)
// The same band where AVX's three-operand forms spare the chains their
// register copies and AVX2 gathers the sums, every call inlined.
__attribute__((target("avx2"), flatten)) void blurBandAvx(Bitmap& bitmap, int top, int rows, int chunks,
                                                          BandScratch& scratch)
{
    blurBand<gatherRestAvx2>(bitmap, top, rows, chunks, scratch);
}
#endif

// The interior rows band after band. Every pixel sees the values the
// one-row-after-another scan gives it.
void blurRows(Bitmap& rows, BlurSimd level)
{
    BandScratch scratch;
    const int chunks = (rows.width() - 2 + kBlurChunk - 1) / kBlurChunk;
    for (int y = 1; y + 1 < rows.height(); y += kBlurBand) {
        const int count = std::min(kBlurBand, rows.height() - 1 - y);
#if defined(__GNUC__) && defined(__x86_64__)
        if (level == BlurSimd::Avx) {
            blurBandAvx(rows, y, count, chunks, scratch);
            continue;
        }
#endif
        blurBand<gatherRest>(rows, y, count, chunks, scratch);
    }
}

inline std::uint8_t sharpened(int v, int reference)
{
    return std::uint8_t(std::clamp(v + (v - reference) / 2, 0, 255));
}

} // namespace

BlurSimd bestBlurSimd()
{
#if defined(__GNUC__) && defined(__x86_64__)
    static const BlurSimd level = __builtin_cpu_supports("avx2") ? BlurSimd::Avx : BlurSimd::Plain;
    return level;
#else
    return BlurSimd::Plain;
#endif
}

void blur(Bitmap& bitmap) { blurUsing(bitmap, bestBlurSimd()); }

void blurUsing(Bitmap& bitmap, BlurSimd level)
{
    if (bitmap.empty()) return;
    workOn24BitRows(bitmap, [level](Bitmap& rows) {
        const int width = rows.width(), height = rows.height();
        if (height < 3 || width < 3) return;
        blurRows(rows, std::min(level, bestBlurSimd()));
    });
}

void sharpen(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    const int bytes = bitmap.width() * 3;
    // Top row: its own reference, so each pixel after the first reads its
    // already sharpened left neighbour; the first pixel is its own reference.
    std::uint8_t* top = bitmap.rowUnchecked(0);
    for (int i = 3; i < bytes; ++i) top[i] = sharpened(top[i], top[i - 3]);
    for (int y = 1; y < bitmap.height(); ++y) {
        std::uint8_t* row = bitmap.rowUnchecked(y);
        const std::uint8_t* above = bitmap.rowUnchecked(y - 1);
        for (int i = 0; i < std::min(bytes, 3); ++i) row[i] = sharpened(row[i], above[i]);
        for (int i = 3; i < bytes; ++i) row[i] = sharpened(row[i], above[i - 3]);
    }
}

} // namespace kel
