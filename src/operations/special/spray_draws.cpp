#include "operations/special/spray_draws.h"

// The vector helpers below are always inlined, never called across the ABI.
#pragma GCC diagnostic ignored "-Wpsabi"

namespace kel::spray_detail {

namespace {

constexpr std::uint32_t kMultiplier = 134775813u;
constexpr int kLanes = 8;

using Lanes = std::uint32_t __attribute__((vector_size(4 * kLanes)));

// s -> multiplier * s + increment, the effect of `steps` draws on the seed.
struct Jump {
    std::uint32_t multiplier = 1, increment = 0;
    explicit Jump(int steps)
    {
        for (int i = 0; i < steps; ++i) {
            multiplier *= kMultiplier;
            increment = increment * kMultiplier + 1u;
        }
    }
    template <class T>
    [[gnu::always_inline]] T operator()(T seed) const
    {
        return seed * multiplier + increment;
    }
};

// The high word of seed * n for n < 2^16, from two products that fit 32 bits.
template <class T>
[[gnu::always_inline]] inline T highWord(T seed, T n)
{
    return ((seed >> 16) * n + (((seed & 0xFFFFu) * n) >> 16)) >> 16;
}

inline std::uint32_t draw(std::uint32_t& seed, int n)
{
    seed = seed * kMultiplier + 1u;
    return std::uint32_t((std::uint64_t(seed) * std::uint64_t(n)) >> 32);
}

// Whole groups of eight pixels: lane j holds the states of pixel j's three
// draws; the next group's first states are 24 draws on.
[[gnu::always_inline]] inline int drawGroups(std::uint32_t& seed, int radius, int count, std::int8_t* dx,
                                            std::int8_t* dy)
{
    static const Jump one(1), group(3 * kLanes);
    Lanes first;
    for (int j = 0; j < kLanes; ++j) first[j] = Jump(3 * j + 1)(seed);
    const Lanes n = Lanes{} + std::uint32_t(radius);
    int done = 0;
    for (; done + kLanes <= count; done += kLanes) {
        const Lanes second = one(first), third = one(second);
        const Lanes b = highWord(first, n);
        const Lanes c = highWord(second, 2 * b), d = highWord(third, 2 * b);
        for (int j = 0; j < kLanes; ++j) {
            dx[done + j] = std::int8_t(b[j] - c[j]);
            dy[done + j] = std::int8_t(b[j] - d[j]);
        }
        seed = third[kLanes - 1];
        first = group(first);
    }
    return done;
}

int drawGroupsPlain(std::uint32_t& seed, int radius, int count, std::int8_t* dx, std::int8_t* dy)
{
    return drawGroups(seed, radius, count, dx, dy);
}

#if defined(__GNUC__) && defined(__x86_64__)
__attribute__((target("avx2"))) int drawGroupsAvx2(std::uint32_t& seed, int radius, int count, std::int8_t* dx,
                                                   std::int8_t* dy)
{
    return drawGroups(seed, radius, count, dx, dy);
}

bool hasAvx2() { return __builtin_cpu_supports("avx2"); }
#else
int drawGroupsAvx2(std::uint32_t& seed, int radius, int count, std::int8_t* dx, std::int8_t* dy)
{
    return drawGroups(seed, radius, count, dx, dy);
}

bool hasAvx2() { return false; }
#endif

} // namespace

void drawOffsets(std::uint32_t& seed, int radius, int count, std::int8_t* dx, std::int8_t* dy, DrawPath path)
{
    static const bool avx2 = hasAvx2();
    const bool wide = avx2 && path != DrawPath::Plain;
    int done = wide ? drawGroupsAvx2(seed, radius, count, dx, dy) : drawGroupsPlain(seed, radius, count, dx, dy);
    for (; done < count; ++done) {
        const int b = int(draw(seed, radius));
        const int c = int(draw(seed, 2 * b)), d = int(draw(seed, 2 * b));
        dx[done] = std::int8_t(b - c);
        dy[done] = std::int8_t(b - d);
    }
}

std::uint32_t seedAfter(std::uint32_t seed, std::uint64_t draws)
{
    // The affine map of one draw, squared for each bit of the count.
    std::uint32_t multiplier = kMultiplier, increment = 1u;
    for (; draws > 0; draws >>= 1) {
        if (draws & 1u) seed = seed * multiplier + increment;
        increment = increment * multiplier + increment;
        multiplier *= multiplier;
    }
    return seed;
}

} // namespace kel::spray_detail
