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

    Grid(int w, int h) : width(w), height(h), pixels(std::size_t(w) * std::size_t(h)) {}
    explicit Grid(const Bitmap& bitmap) : Grid(bitmap.width(), bitmap.height())
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) at(x, y) = bitmap.pixel(x, y);
    }
    Colour& at(int x, int y) { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    Bitmap toBitmap() const
    {
        Bitmap bitmap(width, height, pf24bit);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) bitmap.setPixel(x, y, pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]);
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

// The seed `steps` draws before `seed`.
std::uint32_t seedBefore(std::uint32_t seed, long steps);

// A 24-bit picture of varied colours, a fixed hash of (x, y, salt).
Bitmap patterned(int width, int height, unsigned salt = 1);

// A picture of one colour.
Bitmap uniform(int width, int height, Colour colour, PixelFormat format = pf24bit);

} // namespace kel::test
