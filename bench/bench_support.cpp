#include "bench_support.h"

#include <cstdint>

namespace kel::bench {

const Bitmap& photoLikeBitmap()
{
    static const Bitmap bitmap = [] {
        Bitmap b(kPhotoWidth, kPhotoHeight, pf24bit);
        std::uint32_t noise = 12345;
        for (int y = 0; y < b.height(); ++y) {
            std::uint8_t* row = b.scanLine(y);
            for (int x = 0; x < b.width(); ++x) {
                noise = noise * 1103515245u + 12345u;
                const int n = int((noise >> 16) & 15);
                row[3 * x] = std::uint8_t((x * 255 / kPhotoWidth + n) & 0xFF);
                row[3 * x + 1] = std::uint8_t((y * 255 / kPhotoHeight + n) & 0xFF);
                row[3 * x + 2] = std::uint8_t(((x + y) * 255 / (kPhotoWidth + kPhotoHeight) + 2 * n) & 0xFF);
            }
        }
        return b;
    }();
    return bitmap;
}

} // namespace kel::bench
