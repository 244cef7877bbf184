#include "operations/special/moving_models.h"

namespace kel::test {

std::uint32_t seedBefore(std::uint32_t seed, long steps)
{
    // The multiplier is odd, so it has an inverse modulo 2^32 (Newton's iteration).
    const std::uint32_t a = 134775813u;
    std::uint32_t inverse = a;
    for (int i = 0; i < 5; ++i) inverse *= 2u - a * inverse;
    for (long i = 0; i < steps; ++i) seed = (seed - 1u) * inverse;
    return seed;
}

Bitmap patterned(int width, int height, unsigned salt)
{
    Bitmap bitmap(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            std::uint32_t h = std::uint32_t(x) * 73856093u ^ std::uint32_t(y) * 19349663u ^ salt * 83492791u;
            h ^= h >> 13;
            h *= 0x5bd1e995u;
            h ^= h >> 15;
            bitmap.setPixel(x, y, Colour(h & 0xFFFFFF));
        }
    return bitmap;
}

Bitmap uniform(int width, int height, Colour colour, PixelFormat format)
{
    Bitmap bitmap(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.setPixel(x, y, colour);
    bitmap.setPixelFormat(format);
    return bitmap;
}

} // namespace kel::test
