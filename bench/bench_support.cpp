#include "bench_support.h"

#include <cstdint>
#include <map>
#include <utility>

namespace kel::bench {

const Bitmap& photoLikeBitmap(int width, int height)
{
    static std::map<std::pair<int, int>, Bitmap> made;
    auto [place, fresh] = made.try_emplace({width, height});
    if (!fresh) return place->second;
    Bitmap& b = place->second;
    b = Bitmap(width, height, pf24bit);
    std::uint32_t noise = 12345;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = b.scanLine(y);
        for (int x = 0; x < width; ++x) {
            noise = noise * 1103515245u + 12345u;
            const int n = int((noise >> 16) & 15);
            row[3 * x] = std::uint8_t((x * 255 / width + n) & 0xFF);
            row[3 * x + 1] = std::uint8_t((y * 255 / height + n) & 0xFF);
            row[3 * x + 2] = std::uint8_t(((x + y) * 255 / (width + height) + 2 * n) & 0xFF);
        }
    }
    return b;
}

} // namespace kel::bench
