#include "operations/special/blur_sharpen.h"

#include "operations/special/in_24bit.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace kel {

namespace {

// Interior rows are worked in chunks of columns. A chunk reads the row above
// (already blurred) and the row itself and the one below (not yet) up to one
// column past its end, so row y may work on chunk k once row y - 1 has
// finished chunk k + 1; the row below then still holds its old values
// wherever row y reads it. Rows go in bands of four, each row two chunks
// behind the one above it, so four independent chains run side by side.
constexpr int kBlurChunk = 64; // pixels
constexpr int kBlurBand = 4;    // rows
constexpr std::size_t kRestRoom = std::size_t(kBlurChunk) * 3 + 4; // one chunk's sums, read four at a time

// Every term of a pixel's 3 x 3 sum but its left neighbour's new value, for
// interior columns [from, to) of one row; sixteen at a time where the
// processor has AVX2.
#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void gatherRest(const std::uint8_t* row, const std::uint8_t* above, const std::uint8_t* below, int from, int to,
                std::uint16_t* rest)
{
    const int first = from * 3, count = (to - from) * 3;
    for (int k = 0; k < count; ++k) {
        const int i = first + k;
        rest[k] = std::uint16_t(above[i - 3] + above[i] + above[i + 3] + row[i] + row[i + 3] + below[i - 3] + below[i]
                                + below[i + 3]);
    }
}

#ifdef __SSE2__
// The running values of a row's chain, blue, green, red: the last pixel written.
// (v + rest) / 9 is the high half of (v + rest) * 7282, exact below 32768.
struct BlurChain {
    __m128i value;
    explicit BlurChain(const std::uint8_t* row) : value(_mm_setr_epi16(row[0], row[1], row[2], 0, 0, 0, 0, 0)) {}
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
        const auto bytes = std::uint32_t(_mm_cvtsi128_si32(_mm_packus_epi16(value, value)));
        pixel[0] = std::uint8_t(bytes);
        pixel[1] = std::uint8_t(bytes >> 8);
        pixel[2] = std::uint8_t(bytes >> 16);
    }
};
#else
struct BlurChain {
    unsigned value[3];
    explicit BlurChain(const std::uint8_t* row) : value{row[0], row[1], row[2]} {}
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
#endif

// A chain over `count` pixels from its sums to the row.
inline void runChain(BlurChain& chain, const std::uint16_t* rest, std::uint8_t* out, int count)
{
    for (int x = 0; x + 1 < count; ++x) {
        chain.step(rest + 3 * x);
        chain.storeWide(out + 3 * x);
    }
    chain.step(rest + 3 * (count - 1));
    chain.store(out + 3 * (count - 1));
}

// Four chains over a whole chunk, interleaved.
inline void runChains(BlurChain* chains, const std::uint16_t* const* rest, std::uint8_t* const* out)
{
    BlurChain lanes[kBlurBand] = {chains[0], chains[1], chains[2], chains[3]};
    for (int x = 0; x + 1 < kBlurChunk; ++x)
        for (int r = 0; r < kBlurBand; ++r) {
            lanes[r].step(rest[r] + 3 * x);
            lanes[r].storeWide(out[r] + 3 * x);
        }
    for (int r = 0; r < kBlurBand; ++r) {
        lanes[r].step(rest[r] + 3 * (kBlurChunk - 1));
        lanes[r].store(out[r] + 3 * (kBlurChunk - 1));
        chains[r] = lanes[r];
    }
}

// Room for a band: the four rows' sums, zero sums and a sink.
struct BandScratch {
    std::vector<std::uint16_t> rest = std::vector<std::uint16_t>(kRestRoom * (kBlurBand + 1));
    std::vector<std::uint8_t> sink = std::vector<std::uint8_t>(kRestRoom);
};

// The interior rows band after band. Every pixel sees the values the
// one-row-after-another scan gives it.
class BlurBands {
public:
    explicit BlurBands(Bitmap& rows)
        : rows_(rows), width_(rows.width()), height_(rows.height()), chunks_((width_ - 2 + kBlurChunk - 1) / kBlurChunk)
    {
    }

    void run(BandScratch& scratch)
    {
        for (int y = 1; y + 1 < height_; y += kBlurBand) band(y, std::min(kBlurBand, height_ - 1 - y), scratch);
    }

private:
    void band(int top, int rows, BandScratch& scratch)
    {
        std::uint16_t* zeros = scratch.rest.data() + kRestRoom * kBlurBand;
        // Each row's chain; rows of the band not at work on a whole chunk run
        // a stand-in chain on zero sums into a sink.
        const BlurChain idle(rows_.rowUnchecked(top));
        BlurChain chains[kBlurBand] = {idle, idle, idle, idle};
        for (int r = 1; r < rows; ++r) chains[r] = BlurChain(rows_.rowUnchecked(top + r));
        const int lastChunk = chunks_ - 1;
        for (int s = 0; s < chunks_ + 2 * (rows - 1); ++s) {
            const std::uint16_t* rest[kBlurBand];
            std::uint8_t* out[kBlurBand];
            BlurChain lanes[kBlurBand] = {idle, idle, idle, idle};
            int finishing = -1, whole = 0;
            for (int r = 0; r < kBlurBand; ++r) {
                const int chunk = s - 2 * r;
                rest[r] = zeros;
                out[r] = scratch.sink.data();
                if (r >= rows || chunk < 0 || chunk > lastChunk) continue;
                std::uint8_t* row = rows_.rowUnchecked(top + r);
                const int from = 1 + chunk * kBlurChunk, to = std::min(from + kBlurChunk, width_ - 1);
                std::uint16_t* sums = scratch.rest.data() + kRestRoom * std::size_t(r);
                gatherRest(row, rows_.rowUnchecked(top + r - 1), rows_.rowUnchecked(top + r + 1), from, to, sums);
                if (chunk == lastChunk) {
                    finishing = r;
                    continue;
                }
                rest[r] = sums;
                out[r] = row + 3 * from;
                lanes[r] = chains[r];
                ++whole;
            }
            if (whole > 0) runChains(lanes, rest, out);
            for (int r = 0; r < kBlurBand; ++r)
                if (out[r] != scratch.sink.data()) chains[r] = lanes[r];
            if (finishing >= 0) {
                const int from = 1 + lastChunk * kBlurChunk;
                runChain(chains[finishing], scratch.rest.data() + kRestRoom * std::size_t(finishing),
                         rows_.rowUnchecked(top + finishing) + 3 * from, width_ - 1 - from);
            }
        }
    }

    Bitmap& rows_;
    int width_, height_, chunks_;
};

void blurRows(Bitmap& rows)
{
    BandScratch scratch;
    BlurBands(rows).run(scratch);
}

inline std::uint8_t sharpened(int v, int reference)
{
    return std::uint8_t(std::clamp(v + (v - reference) / 2, 0, 255));
}

} // namespace

void blur(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    workOn24BitRows(bitmap, [](Bitmap& rows) {
        const int width = rows.width(), height = rows.height();
        if (height < 3 || width < 3) return;
        blurRows(rows);
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
