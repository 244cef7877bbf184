#include "operations/special/spray.h"

#include "graphics/random.h"
#include "operations/special/in_24bit.h"

#include <cstdint>
#include <cstdlib>

namespace kel {

void spray(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bool written = false;
    workOn24BitRows(bitmap, [&written](Bitmap& rows) {
        RandomGenerator& random = programRandom();
        const int width = rows.width(), height = rows.height();
        for (int x = 0; x < width; ++x) {
            for (int y = 0; y < height; ++y) {
                const int b = random.random(kSprayRadius);
                const int c = random.random(2 * b);
                const int d = random.random(2 * b);
                const int sx = x + b - c, sy = y + b - d;
                if (sx < 0 || sx >= width || sy < 0 || sy >= height) continue;
                const std::uint8_t* from = rows.rowUnchecked(sy) + 3 * sx;
                std::uint8_t* to = rows.rowUnchecked(y) + 3 * x;
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
                written = true;
            }
        }
    });
    if (written) bitmap.changed();
}

void triangles(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    int size = kTrianglesSize < 5 ? 5 : kTrianglesSize;
    size = (size / 2) * 2 + 1;
    const int half = size / 2;
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        int step = y % (size - 1);
        if (step > half) step = 2 * half - step;
        if (step == 0) step = size;
        const int extra = std::abs(half - y % size) + half;
        std::uint8_t* row = bitmap.rowUnchecked(y);
        std::uint8_t held[3] = {row[0], row[1], row[2]};
        int xStep = 0, xExtra = 0; // x mod step, x mod extra
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = row + 3 * x;
            if (xStep == 0 || xExtra == 1) {
                held[0] = pixel[0];
                held[1] = pixel[1];
                held[2] = pixel[2];
            }
            pixel[0] = held[0];
            pixel[1] = held[1];
            pixel[2] = held[2];
            if (++xStep == step) xStep = 0;
            if (++xExtra == extra) xExtra = 0;
        }
    }
}

} // namespace kel
