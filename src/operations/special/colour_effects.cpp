#include "operations/special/colour_effects.h"

#include "graphics/split_rows.h"
#include "operations/special/flaxen_lanes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace kel {

namespace {

// One step of the mix at pixel p with its neighbours n and m. The green and
// blue written into n are read again as p's at the next step.
inline void flaxenStep(std::uint8_t* p, std::uint8_t* n, const std::uint8_t* m, bool writeNeighbour)
{
    p[2] = std::uint8_t((p[2] + n[1] + m[0]) / 3);
    if (!writeNeighbour) return;
    n[1] = std::uint8_t((p[1] + n[1] + m[0]) / 3);
    n[0] = std::uint8_t((p[0] + n[1] + m[0]) / 3);
}

// The reds of pixels 0 .. width - 3: each reads only the green and blue of
// its two right neighbours before any step has mixed them, so all of them
// can be worked out first.
void flaxenReds(std::uint8_t* row, int width)
{
    for (int x = 0; x + 2 < width; ++x) {
        std::uint8_t* p = row + 3 * x;
        p[2] = std::uint8_t((p[2] + p[4] + p[6]) / 3);
    }
}

// The mix of green and blue along one row, carried in registers.
struct FlaxenRun {
    std::uint8_t* row;
    unsigned green, blue; // of pixel x, already mixed

    explicit FlaxenRun(std::uint8_t* r) : row(r), green(r[1]), blue(r[0]) {}

    void step(int x)
    {
        std::uint8_t* p = row + x * 3;
        const unsigned nextGreen = p[4], farBlue = p[6];
        green = (green + nextGreen + farBlue) / 3;
        blue = (blue + green + farBlue) / 3;
        p[4] = std::uint8_t(green);
        p[3] = std::uint8_t(blue);
    }
};

// The last two steps read the last pixel in place of the missing ones.
void flaxenTail(std::uint8_t* row, int width)
{
    int x = std::max(width - 2, 0);
    std::uint8_t* last = row + (width - 1) * 3;
    if (x + 1 < width) {
        flaxenStep(row + x * 3, last, last, true);
        ++x;
    }
    flaxenStep(row + x * 3, last, last, false);
}

// Rows [from, to) of the picture at `top` from pixel `start` on, whose green
// and blue are final.
void flaxenRows(std::uint8_t* top, std::ptrdiff_t stride, int width, int from, int to, int start)
{
    const auto row = [&](int y) { return top + y * stride + 3 * start; };
    width -= start;
    // Two rows at a time give the processor two chains to overlap.
    int y = from;
    for (; y + 1 < to; y += 2) {
        FlaxenRun first(row(y)), second(row(y + 1));
        flaxenReds(first.row, width);
        flaxenReds(second.row, width);
        for (int x = 0; x + 2 < width; ++x) {
            first.step(x);
            second.step(x);
        }
        flaxenTail(first.row, width);
        flaxenTail(second.row, width);
    }
    if (y < to) {
        FlaxenRun run(row(y));
        flaxenReds(run.row, width);
        for (int x = 0; x + 2 < width; ++x) run.step(x);
        flaxenTail(run.row, width);
    }
}

} // namespace

void exposure(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    const int bytes = bitmap.width() * 3;
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* row = bitmap.rowUnchecked(y);
        // Below 128, 255 - v is the larger of the two; from 128 on, v is.
        for (int i = 0; i < bytes; ++i) row[i] = std::max(row[i], std::uint8_t(255 - row[i]));
    }
}

void flaxen(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    using flaxen_detail::kLaneRows;
    const int width = bitmap.width(), height = bitmap.height();
    const bool lanes = flaxen_detail::lanesAvailable();
    // The rows are reached from here, on this thread, before the split.
    std::uint8_t* const top = bitmap.rowUnchecked(0);
    const std::ptrdiff_t stride = bitmap.bytesPerLine();
    // Rows are independent: the bands go to both cores; within a band,
    // sixteen rows at a time in vector lanes, the rest two at a time.
    splitRows(height, std::int64_t(width) * height, kLaneRows, [&](int from, int to) {
        int y = from;
        for (; lanes && y + kLaneRows <= to; y += kLaneRows) {
            const int done = flaxen_detail::mixLaneRows(top + y * stride, stride, width);
            flaxenRows(top, stride, width, y, y + kLaneRows, done);
        }
        flaxenRows(top, stride, width, y, to, 0);
    });
}

void nightVision(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf32bit);
    std::array<std::uint8_t, 256> curve{};
    for (int i = 0; i < 256; ++i) curve[std::size_t(i)] = std::uint8_t(std::nearbyint(double(i) * i / 256.0));
    const int width = bitmap.width(), height = bitmap.height();
    for (int count = 0; count < height; ++count) {
        std::uint8_t* pixel = bitmap.rowUnchecked(height - 1 - count);
        const bool striped = (count & 1) != 0;
        for (int x = 0; x < width; ++x, pixel += 4) {
            const std::uint8_t green = striped ? curve[std::size_t(255 - pixel[1])] : std::uint8_t(255 - pixel[1]);
            pixel[1] = green;
            pixel[0] = pixel[2] = curve[green];
        }
    }
}

} // namespace kel
