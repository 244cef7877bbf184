#pragma once
// The soak's one random source: a seeded 64-bit generator whose draws are
// the same on every platform, so that a seed replays the same walk.
#include <cstdint>
#include <span>

namespace kel::soak {

class Random {
public:
    explicit Random(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        // splitmix64
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // 0 to n - 1; 0 when n is 0.
    int below(int n) { return n > 0 ? int(next() % std::uint64_t(n)) : 0; }
    int between(int low, int high) { return low + below(high - low + 1); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T& pick(std::span<const T> items) { return items[std::size_t(below(int(items.size())))]; }

private:
    std::uint64_t state_;
};

} // namespace kel::soak
