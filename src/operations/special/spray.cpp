#include "operations/special/spray.h"

#include "graphics/random.h"
#include "operations/special/in_24bit.h"
#include "operations/special/spray_draws.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace kel {

namespace {

// Copies one 24-bit pixel; `from` may be `to`.
inline void copyPixel(std::uint8_t* to, const std::uint8_t* from)
{
    const std::uint8_t b = from[0], g = from[1], r = from[2];
    to[0] = b;
    to[1] = g;
    to[2] = r;
}

} // namespace

void spray(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bool written = false;
    workOn24BitRows(bitmap, [&written](Bitmap& rows) {
        RandomGenerator& random = programRandom();
        std::uint32_t seed = random.seed();
        const int width = rows.width(), height = rows.height();
        // A pixel reads from at most radius - 1 columns and rows away.
        const int reach = kSprayRadius - 1;
        std::uint8_t* const base = rows.rowUnchecked(0);
        const std::ptrdiff_t stride = rows.bytesPerLine();
        constexpr int kRowsAhead = 16;
        std::vector<std::int8_t> dx(static_cast<std::size_t>(height)), dy(dx);
        for (int x = 0; x < width; ++x) {
            spray_detail::drawOffsets(seed, kSprayRadius, height, dx.data(), dy.data());
            const bool freeColumn = x >= reach && x + reach < width;
            const int firstFree = freeColumn ? std::min(reach, height) : height;
            const int lastFree = freeColumn ? std::max(height - reach, firstFree) : height;
            const auto checked = [&](int y) {
                const int sx = x + dx[std::size_t(y)], sy = y + dy[std::size_t(y)];
                if (sx < 0 || sx >= width || sy < 0 || sy >= height) return;
                copyPixel(rows.rowUnchecked(y) + 3 * x, rows.rowUnchecked(sy) + 3 * sx);
                written = true;
            };
            int y = 0;
            for (; y < firstFree; ++y) checked(y);
            if (y < lastFree) written = true;
            std::uint8_t* pixel = base + stride * y + 3 * x;
            for (; y < lastFree; ++y, pixel += stride) {
                // The column's rows are far apart: ask for the rows ahead early.
                __builtin_prefetch(pixel + stride * std::min(kRowsAhead, height - 1 - y), 1);
                copyPixel(pixel, pixel + stride * dy[std::size_t(y)] + 3 * dx[std::size_t(y)]);
            }
            for (; y < height; ++y) checked(y);
        }
        random.setSeed(seed);
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
