#include "operations/special/ripples.h"

#include "graphics/random.h"
#include "operations/special/in_24bit.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace kel {

namespace {

constexpr int kMaxDepth = std::max({kRippleRandomAmplitude, kRippleToothAmplitude, kRippleTriangleAmplitude});

int rippleDepth(const Bitmap& bitmap, int amplitude) { return std::min(bitmap.height() / 2, amplitude); }

// Copies pixel (x, y) to (x, y + shift) for every row that has `depth` rows
// below it, bottom up. Column 0 has shift 0; after each column `nextShift`
// gives the shift of the next one. `startRow` runs before each row.
template <class StartRow, class NextShift>
void shiftColumnsDown(Bitmap& bitmap, int depth, StartRow&& startRow, NextShift&& nextShift)
{
    const int width = bitmap.width();
    std::array<std::uint8_t*, kMaxDepth + 1> rows{};
    for (int y = bitmap.height() - depth - 1; y >= 0; --y) {
        for (int i = 0; i <= depth; ++i) rows[std::size_t(i)] = bitmap.rowUnchecked(y + i);
        const std::uint8_t* source = rows[0];
        startRow();
        int shift = 0;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* target = rows[std::size_t(shift)] + 3 * x;
            const std::uint8_t* from = source + 3 * x;
            target[0] = from[0];
            target[1] = from[1];
            target[2] = from[2];
            shift = nextShift();
        }
    }
}

} // namespace

void rippleRandom(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    const int depth = rippleDepth(bitmap, kRippleRandomAmplitude);
    bitmap.setPixelFormat(pf24bit);
    RandomGenerator& random = programRandom();
    random.randomize();
    shiftColumnsDown(bitmap, depth, [] {}, [&] { return random.random(depth); });
}

void rippleTooth(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    const int depth = rippleDepth(bitmap, kRippleToothAmplitude);
    int shift = 0;
    shiftColumnsDown(
        bitmap, depth, [&] { shift = 0; },
        [&] {
            if (++shift > depth) shift = 0;
            return shift;
        });
}

void rippleTriangle(Bitmap& bitmap)
{
    const int depth = rippleDepth(bitmap, kRippleTriangleAmplitude);
    // At depth 0 the wave would fall below 0 and move pixels above the row.
    if (bitmap.empty() || depth == 0) return;
    workOn24BitRows(bitmap, [depth](Bitmap& rows) {
        int shift = 0;
        bool rising = true;
        shiftColumnsDown(
            rows, depth,
            [&] {
                shift = 0;
                rising = true;
            },
            [&] {
                if (rising) {
                    if (++shift > depth) {
                        shift = depth - 1;
                        rising = false;
                    }
                } else if (shift == 0) {
                    rising = true;
                    shift = 1;
                } else {
                    --shift;
                }
                return shift;
            });
    });
}

} // namespace kel
