#pragma once
// Plain models for the tests of the pixel-moving effects: a picture as a grid
// of colour values and the shared generator's arithmetic written out again.
#include "graphics/bitmap.h"

#include <cstdint>
#include <vector>

namespace kel::test {

struct Grid {
    int width = 0, height = 0;
    std::vector<Colour> pixels;

    explicit Grid(const Bitmap& bitmap) : width(bitmap.width()), height(bitmap.height())
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels.push_back(bitmap.pixel(x, y));
    }
    Colour& at(int x, int y) { return pixels[std::size_t(y * width + x)]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Bitmap toBitmap() const
    {
        Bitmap bitmap(width, height, pf24bit);
        for (int i = 0; i < width * height; ++i) bitmap.setPixel(i % width, i / width, pixels[std::size_t(i)]);
        return bitmap;
    }
};

// seed := seed * 134775813 + 1, then the high half of seed * n.
struct ModelRandom {
    std::uint32_t seed;
    int next(int n)
    {
        seed = seed * 134775813u + 1u;
        return int((std::uint64_t(seed) * std::uint64_t(n)) >> 32);
    }
};

// The seed `steps` draws before `seed`: the multiplier is odd, so it has an
// inverse modulo 2^32 (found by Newton's iteration).
inline std::uint32_t seedBefore(std::uint32_t seed, long steps)
{
    std::uint32_t inverse = 134775813u;
    for (int i = 0; i < 5; ++i) inverse *= 2u - 134775813u * inverse;
    for (long i = 0; i < steps; ++i) seed = (seed - 1u) * inverse;
    return seed;
}

// A 24-bit picture of varied colours, a fixed hash of (x, y, salt).
inline Bitmap patterned(int width, int height, unsigned salt = 1)
{
    Bitmap bitmap(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t h = (std::uint32_t(x) * 73856093u) ^ (std::uint32_t(y) * 19349663u) ^ (salt * 83492791u);
            h = (h ^ (h >> 13)) * 0x5bd1e995u;
            bitmap.setPixel(x, y, Colour((h ^ (h >> 15)) & 0xFFFFFF));
        }
    return bitmap;
}

} // namespace kel::test
