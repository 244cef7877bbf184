#include "operations/scramble.h"

#include "graphics/errors.h"
#include "graphics/random.h"

#include <cstddef>

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
