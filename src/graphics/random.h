#pragma once
// The program-wide pseudo-random generator. Its exact sequence matters:
// unscrambling a picture replays it from the same seed.
#include <cstdint>

namespace kel {

class RandomGenerator {
public:
    // Advances the seed, then answers an integer from 0 to n - 1 (n > 0).
    int random(int n);
    // Advances the seed, then answers a value in [0, 1).
    double randomFloat();
    // Seeds from the UTC clock: ((h * 60 + m) * 60 + s) * 1000 + ms.
    void randomize();

    std::uint32_t seed() const { return seed_; }
    void setSeed(std::uint32_t seed) { seed_ = seed; }

private:
    void step() { seed_ = seed_ * 134775813u + 1u; }
    std::uint32_t seed_ = 0;
};

// The one generator every routine shares.
RandomGenerator& programRandom();

} // namespace kel
