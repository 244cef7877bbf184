#include "operations/scramble.h"

#include "graphics/errors.h"
#include "graphics/random.h"

#include <cstddef>

#if defined(__x86_64__) || defined(__i386__)
#include <smmintrin.h>
#endif

namespace kel {

namespace {

// The generator's step seed := seed x a + 1, and the same step taken k times
// at once: seed := seed x a^k + (a^(k-1) + ... + a + 1).
constexpr std::uint32_t kMultiplier = 134775813u;

struct Jump {
    std::uint32_t multiplier = 1, increment = 0;
};

constexpr Jump jumpOf(int steps)
{
    Jump jump;
    for (int i = 0; i < steps; ++i) {
        jump.multiplier *= kMultiplier;
        jump.increment = jump.increment * kMultiplier + 1u;
    }
    return jump;
}

// Lanes of the generator run side by side, lane i holding the seed of byte
// i of the current block; each lane then jumps a whole block ahead.
constexpr int kLanes = 32;
constexpr Jump kBlockJump = jumpOf(kLanes);

#if defined(__x86_64__) || defined(__i386__)
#define KEL_HAS_SSE41_LANES 1
// The lanes four to a vector with SSE4.1's 32-bit multiply. Returns how many
// bytes were done, in whole blocks, leaving `lanes` on the next block.
__attribute__((target("sse4.1"))) std::size_t scrambleBlocksVector(std::uint8_t* bytes, std::size_t count,
                                                                   std::uint32_t lanes[kLanes])
{
    constexpr int kVectors = kLanes / 4;
    __m128i state[kVectors];
    for (int v = 0; v < kVectors; ++v) state[v] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(lanes + 4 * v));
    const __m128i multiplier = _mm_set1_epi32(int(kBlockJump.multiplier));
    const __m128i increment = _mm_set1_epi32(int(kBlockJump.increment));
    std::size_t done = 0;
    for (; done + 2 * kLanes <= count; done += kLanes) {
        for (int part = 0; part < kVectors / 4; ++part) {
            __m128i* s = state + 4 * part;
            // Top bytes of 16 seeds, in lane order.
            const __m128i top = _mm_packus_epi16(
                _mm_packus_epi32(_mm_srli_epi32(s[0], 24), _mm_srli_epi32(s[1], 24)),
                _mm_packus_epi32(_mm_srli_epi32(s[2], 24), _mm_srli_epi32(s[3], 24)));
            auto* at = reinterpret_cast<__m128i*>(bytes + done + 16 * std::size_t(part));
            _mm_storeu_si128(at, _mm_xor_si128(_mm_loadu_si128(at), top));
            for (int v = 0; v < 4; ++v) s[v] = _mm_add_epi32(_mm_mullo_epi32(s[v], multiplier), increment);
        }
    }
    for (int v = 0; v < kVectors; ++v) _mm_storeu_si128(reinterpret_cast<__m128i*>(lanes + 4 * v), state[v]);
    return done;
}
#endif

} // namespace

void scrambleBitmap(Bitmap& bitmap, std::uint32_t key)
{
    if (bitmap.empty() || bitmap.height() < 2) throw RangeError(std::string("Error"));

    // The rows lie one after the other: the store is one run of bytes.
    std::uint8_t* bytes = bitmap.rowUnchecked(0);
    const std::size_t count = std::size_t(bitmap.bytesPerLine()) * std::size_t(bitmap.height());

    std::uint32_t seed = key;
    std::uint32_t lanes[kLanes];
    std::size_t done = 0;
    if (count >= std::size_t(kLanes)) {
        for (int i = 0; i < kLanes; ++i) {
            seed = seed * kMultiplier + 1u;
            lanes[i] = seed;
        }
#ifdef KEL_HAS_SSE41_LANES
        if (__builtin_cpu_supports("sse4.1")) done = scrambleBlocksVector(bytes, count, lanes);
#endif
        for (; done + 2 * kLanes <= count; done += kLanes) {
            for (int i = 0; i < kLanes; ++i) {
                bytes[done + std::size_t(i)] ^= std::uint8_t(lanes[i] >> 24);
                lanes[i] = lanes[i] * kBlockJump.multiplier + kBlockJump.increment;
            }
        }
        // The last whole block: its last lane's seed is where the sequence stands.
        for (int i = 0; i < kLanes; ++i) bytes[done + std::size_t(i)] ^= std::uint8_t(lanes[i] >> 24);
        seed = lanes[kLanes - 1];
        done += kLanes;
    }
    for (; done < count; ++done) {
        seed = seed * kMultiplier + 1u;
        bytes[done] ^= std::uint8_t(seed >> 24);
    }
    programRandom().setSeed(seed);
}

} // namespace kel
