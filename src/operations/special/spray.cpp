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

// Columns are worked in bands, skewed: band column k runs kLag * k rows behind
// column 0. A pixel reads only within `reach` columns and rows of itself, and
// kLag > reach, so every pixel still finds each neighbour written or not yet
// written just as in the plain order (column by column, each top to bottom),
// while the band's rows stay in the cache between its columns.
void spray(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bool written = false;
    workOn24BitRows(bitmap, [&written](Bitmap& rows) {
        constexpr int reach = kSprayRadius - 1; // |b - c| and |b - d| are at most this
        constexpr int kLag = reach + 1, kBand = 16, kRowsAhead = 12;
        RandomGenerator& random = programRandom();
        std::uint32_t seed = random.seed();
        const int width = rows.width(), height = rows.height();
        std::uint8_t* const base = rows.rowUnchecked(0);
        const std::ptrdiff_t stride = rows.bytesPerLine();
        const std::size_t columnSize = static_cast<std::size_t>(height);
        std::vector<std::int8_t> dx(kBand * columnSize), dy(dx);
        bool nearEdgeWritten = false;
        const auto move = [&](int x, int y, std::size_t at) {
            const int sx = x + dx[at], sy = y + dy[at];
            if (sx < 0 || sx >= width || sy < 0 || sy >= height) return;
            copyPixel(base + stride * y + 3 * x, base + stride * sy + 3 * sx);
            nearEdgeWritten = true;
        };
        for (int first = 0; first < width; first += kBand) {
            const int columns = std::min(kBand, width - first);
            for (int k = 0; k < columns; ++k)
                spray_detail::drawOffsets(seed, kSprayRadius, height, dx.data() + std::size_t(k) * columnSize,
                                          dy.data() + std::size_t(k) * columnSize);
            const int steps = height + (columns - 1) * kLag;
            const auto checkedSteps = [&](int from, int to) {
                for (int step = from; step < to; ++step)
                    for (int k = 0, y = step; k < columns && y >= 0; ++k, y -= kLag)
                        if (y < height) move(first + k, y, std::size_t(k) * columnSize + std::size_t(y));
            };
            // Steps at which every column of an inside band is on an inside row.
            const bool insideBand = first >= reach && first + columns - 1 + reach < width;
            const int freeFrom = insideBand ? (columns - 1) * kLag + reach : steps;
            const int freeTo = insideBand ? std::max(height - reach, freeFrom) : steps;
            checkedSteps(0, freeFrom);
            const std::ptrdiff_t nextColumn = 3 - kLag * stride;
            const std::size_t nextDraw = columnSize - std::size_t(kLag);
            for (int step = freeFrom; step < freeTo; ++step) {
                std::uint8_t* pixel = base + stride * step + 3 * first;
                // The band's rows a little further down, asked for early (the
                // band's bytes may straddle two cache lines).
                const std::uint8_t* ahead = pixel + stride * std::min(kRowsAhead, height - 1 - step);
                __builtin_prefetch(ahead, 1);
                __builtin_prefetch(ahead + 3 * kBand - 1, 1);
                const std::int8_t* across = dx.data() + std::size_t(step);
                const std::int8_t* down = dy.data() + std::size_t(step);
                for (int k = 0; k < columns; ++k, pixel += nextColumn, across += nextDraw, down += nextDraw)
                    copyPixel(pixel, pixel + stride * *down + 3 * *across);
            }
            checkedSteps(freeTo, steps);
        }
        // Pixels away from the edges always take a colour.
        written = nearEdgeWritten || (width > 2 * reach && height > 2 * reach);
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
