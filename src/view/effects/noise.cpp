#include "view/effects/noise.h"

#include "graphics/pixel_rows.h"
#include "graphics/random.h"
#include "graphics/split_rows.h"

#include <algorithm>
#include <array>
#include <cstdint>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kel {

namespace {

// n steps of the generator's s := s * 134775813 + 1 make one affine map
// s := a s + c (modulo 2 to the 32), found by squaring, so any state of the
// sequence is reached without the steps before it.
struct Jump {
    std::uint32_t a = 1, c = 0;
    std::uint32_t apply(std::uint32_t s) const { return a * s + c; }
};

Jump after(const Jump& first, const Jump& second) { return {second.a * first.a, second.a * first.c + second.c}; }

Jump jumpOf(std::uint64_t steps)
{
    Jump result, power{134775813u, 1u};
    for (; steps; steps >>= 1, power = after(power, power))
        if (steps & 1) result = after(result, power);
    return result;
}

// Random(amplitude) - amplitude div 2 clamped to a byte, from the state after the draw's step.
std::uint8_t noiseValue(std::uint32_t state, int amplitude)
{
    const int drawn = int((std::uint64_t(state) * std::uint32_t(amplitude)) >> 32);
    return std::uint8_t(std::clamp(drawn - amplitude / 2, 0, 255));
}

// One row's pixels from `first` on, one draw at a time, from the state before
// the first draw; answers the state after the last.
std::uint32_t plainColourPixels(std::uint8_t* row, int first, int width, std::uint32_t s, int amplitude)
{
    for (std::uint8_t* p = row + first * 3; p < row + width * 3; p += 3)
        for (int channel = 2; channel >= 0; --channel) {
            s = s * 134775813u + 1u;
            p[channel] = noiseValue(s, amplitude);
        }
    return s;
}

std::uint32_t plainMonoPixels(std::uint8_t* row, int first, int width, std::uint32_t s, int amplitude)
{
    for (std::uint8_t* p = row + first * 3; p < row + width * 3; p += 3) {
        s = s * 134775813u + 1u;
        p[0] = p[1] = p[2] = noiseValue(s, amplitude);
    }
    return s;
}

#if defined(__GNUC__) && defined(__x86_64__)
// Blocks of 32 pixels. The values of four vectors of eight draws are packed
// into 32 bytes by two saturating packs (which also clamp to 0..255 exactly);
// lane l of vector v lands on byte (l / 4) * 16 + v * 4 + l % 4, so each lane
// is given the draw that belongs on its byte.
constexpr int kBlockPixels = 32;
int packedByte(int vector, int lane) { return lane / 4 * 16 + vector * 4 + lane % 4; }

struct LaneJumps {
    alignas(32) std::array<std::uint32_t, 96> a{}, c{}; // from the state before the block
    Jump block;                                         // from one block to the next
};

// Colour: twelve vectors for the 96 bytes of a block; byte m holds draw
// 3 (m div 3) + 2 - m mod 3 (the pixel's red is drawn first and stored last).
const LaneJumps& colourLanes()
{
    static const LaneJumps lanes = [] {
        LaneJumps j;
        for (int group = 0; group < 3; ++group)
            for (int v = 0; v < 4; ++v)
                for (int l = 0; l < 8; ++l) {
                    const int m = group * 32 + packedByte(v, l), draw = m / 3 * 3 + 2 - m % 3;
                    const Jump jump = jumpOf(std::uint64_t(draw) + 1);
                    j.a[std::size_t(group * 32 + v * 8 + l)] = jump.a;
                    j.c[std::size_t(group * 32 + v * 8 + l)] = jump.c;
                }
        j.block = jumpOf(3 * kBlockPixels);
        return j;
    }();
    return lanes;
}

// Mono: four vectors for the 32 draws of a block, one per pixel.
const LaneJumps& monoLanes()
{
    static const LaneJumps lanes = [] {
        LaneJumps j;
        for (int v = 0; v < 4; ++v)
            for (int l = 0; l < 8; ++l) {
                const Jump jump = jumpOf(std::uint64_t(packedByte(v, l)) + 1);
                j.a[std::size_t(v * 8 + l)] = jump.a;
                j.c[std::size_t(v * 8 + l)] = jump.c;
            }
        j.block = jumpOf(kBlockPixels);
        return j;
    }();
    return lanes;
}

__attribute__((target("avx2"))) inline __m256i laneValues(__m256i s, __m256i amplitude, __m256i half)
{
    const __m256i even = _mm256_srli_epi64(_mm256_mul_epu32(s, amplitude), 32);
    const __m256i odd = _mm256_mul_epu32(_mm256_srli_epi64(s, 32), amplitude);
    return _mm256_sub_epi32(_mm256_blend_epi32(even, odd, 0xAA), half);
}

__attribute__((target("avx2"))) inline __m256i packedValues(const __m256i* s, __m256i amplitude, __m256i half)
{
    const __m256i low = _mm256_packs_epi32(laneValues(s[0], amplitude, half), laneValues(s[1], amplitude, half));
    const __m256i high = _mm256_packs_epi32(laneValues(s[2], amplitude, half), laneValues(s[3], amplitude, half));
    return _mm256_packus_epi16(low, high);
}

template <int kVectors>
struct LaneStates {
    __m256i s[kVectors];

    __attribute__((target("avx2"))) LaneStates(const LaneJumps& jumps, std::uint32_t before)
    {
        const __m256i start = _mm256_set1_epi32(int(before));
        for (int i = 0; i < kVectors; ++i) {
            const __m256i a = _mm256_load_si256(reinterpret_cast<const __m256i*>(jumps.a.data() + 8 * i));
            const __m256i c = _mm256_load_si256(reinterpret_cast<const __m256i*>(jumps.c.data() + 8 * i));
            s[i] = _mm256_add_epi32(_mm256_mullo_epi32(a, start), c);
        }
    }

    __attribute__((target("avx2"))) void advance(const Jump& block)
    {
        const __m256i a = _mm256_set1_epi32(int(block.a)), c = _mm256_set1_epi32(int(block.c));
        for (int i = 0; i < kVectors; ++i) s[i] = _mm256_add_epi32(_mm256_mullo_epi32(s[i], a), c);
    }
};

__attribute__((target("avx2"))) std::uint32_t vectorColourRow(std::uint8_t* row, int width, std::uint32_t s,
                                                               int amplitude)
{
    const int blocks = width / kBlockPixels;
    const LaneJumps& jumps = colourLanes();
    LaneStates<12> lanes(jumps, s);
    const __m256i amp = _mm256_set1_epi32(amplitude), half = _mm256_set1_epi32(amplitude / 2);
    for (int b = 0; b < blocks; ++b, row += 3 * kBlockPixels) {
        for (int group = 0; group < 3; ++group)
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(row + 32 * group), packedValues(lanes.s + 4 * group, amp, half));
        lanes.advance(jumps.block);
    }
    return jumpOf(std::uint64_t(blocks) * 3 * kBlockPixels).apply(s);
}

__attribute__((target("avx2"))) std::uint32_t vectorMonoRow(std::uint8_t* row, int width, std::uint32_t s,
                                                             int amplitude)
{
    const int blocks = width / kBlockPixels;
    const LaneJumps& jumps = monoLanes();
    LaneStates<4> lanes(jumps, s);
    const __m256i amp = _mm256_set1_epi32(amplitude), half = _mm256_set1_epi32(amplitude / 2);
    // Each value spread over its pixel's three bytes, sixteen pixels at a time.
    const __m128i spread[3] = {_mm_setr_epi8(0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4, 5),
                               _mm_setr_epi8(5, 5, 6, 6, 6, 7, 7, 7, 8, 8, 8, 9, 9, 9, 10, 10),
                               _mm_setr_epi8(10, 11, 11, 11, 12, 12, 12, 13, 13, 13, 14, 14, 14, 15, 15, 15)};
    for (int b = 0; b < blocks; ++b, row += 3 * kBlockPixels) {
        const __m256i values = packedValues(lanes.s, amp, half);
        const __m128i halves[2] = {_mm256_castsi256_si128(values), _mm256_extracti128_si256(values, 1)};
        for (int h = 0; h < 2; ++h)
            for (int part = 0; part < 3; ++part)
                _mm_storeu_si128(reinterpret_cast<__m128i*>(row + 48 * h + 16 * part),
                                 _mm_shuffle_epi8(halves[h], spread[part]));
        lanes.advance(jumps.block);
    }
    return jumpOf(std::uint64_t(blocks) * kBlockPixels).apply(s);
}
#endif

// Rows [from, to) of the layer, from the state before the first draw of row
// `from`; the vector rows leave their last pixels to the plain loop.
void fillRows(Bitmap& layer, int from, int to, std::uint32_t before, int amplitude, int drawsPerPixel,
              NoiseLanes lanes)
{
    const int width = layer.width();
    for (int y = from; y < to; ++y) {
        std::uint8_t* row = layer.rowUnchecked(y);
        std::uint32_t s = before;
        int done = 0;
#if defined(__GNUC__) && defined(__x86_64__)
        if (lanes == NoiseLanes::Vector) {
            s = drawsPerPixel == 3 ? vectorColourRow(row, width, s, amplitude) : vectorMonoRow(row, width, s, amplitude);
            done = width / kBlockPixels * kBlockPixels;
        }
#endif
        before = drawsPerPixel == 3 ? plainColourPixels(row, done, width, s, amplitude)
                                    : plainMonoPixels(row, done, width, s, amplitude);
    }
}

// A layer that adds nothing, for an amplitude of 0 or less.
Bitmap silentLayer(int width, int height)
{
    Bitmap layer(width, height, pf24bit);
    fillRows(layer, 0, layer.height(), clBlack);
    return layer;
}

// The layer's rows shared between the cores, each band starting from the
// state its first row's draws follow; the generator ends after the last draw.
Bitmap noiseLayer(int width, int height, int amplitude, int drawsPerPixel, NoiseLanes lanes)
{
    if (amplitude <= 0) return silentLayer(width, height);
    Bitmap layer = Bitmap::forOverwrite(width, height, pf24bit);
    RandomGenerator& random = programRandom();
    const std::uint32_t start = random.seed();
    const std::uint64_t drawsPerRow = std::uint64_t(width) * std::uint64_t(drawsPerPixel);
    splitRows(height, std::int64_t(width) * height, 1, [&](int from, int to) {
        fillRows(layer, from, to, jumpOf(drawsPerRow * std::uint64_t(from)).apply(start), amplitude, drawsPerPixel,
                 lanes);
    });
    random.setSeed(jumpOf(drawsPerRow * std::uint64_t(height)).apply(start));
    return layer;
}

} // namespace

NoiseLanes bestNoiseLanes()
{
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2 ? NoiseLanes::Vector : NoiseLanes::Plain;
#else
    return NoiseLanes::Plain;
#endif
}

Bitmap colourNoise(int width, int height, int amplitude, NoiseLanes lanes)
{
    return noiseLayer(width, height, amplitude, 3, lanes);
}

Bitmap monoNoise(int width, int height, int amplitude, NoiseLanes lanes)
{
    return noiseLayer(width, height, amplitude, 1, lanes);
}

} // namespace kel
