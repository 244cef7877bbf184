#include "view/effects/spatial_effects.h"

#include "graphics/split_rows.h"
#include "view/effects/true_colour.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <vector>

namespace kel {

namespace {

void embossRow(std::uint8_t* current, const std::uint8_t* next, int width)
{
    const int shiftedBytes = std::max(width - 3, 0) * 3; // columns paired three to the right
    for (int i = 0; i < shiftedBytes; ++i) current[i] = std::uint8_t(((255 - next[i + 9]) + current[i]) >> 1);
    for (int i = shiftedBytes; i < width * 3; ++i) current[i] = std::uint8_t(((255 - next[i]) + current[i]) >> 1);
}

// Rows and columns beyond the far edge are taken from the near one, at the
// same distance from it; index 0 would mirror to the size itself, which is
// outside, so it takes the last index.
int farTap(int i, int distance, int size)
{
    return std::int64_t(i) + distance < size ? i + distance : std::min(size - i, size - 1);
}
int nearTap(int i, int distance) { return std::int64_t(i) - distance >= 0 ? i - distance : i; }

void splitBlurPixel(std::uint8_t* current, const std::uint8_t* upper, const std::uint8_t* lower, int x,
                    int distance, int width)
{
    const int left = nearTap(x, distance) * 3, right = farTap(x, distance, width) * 3;
    for (int c = 0; c < 3; ++c)
        current[x * 3 + c] =
            std::uint8_t((upper[left + c] + lower[left + c] + upper[right + c] + lower[right + c]) >> 2);
}

// Middle columns of a row whose taps all lie on other rows: no tap reads a
// value written in this row, so the order does not matter.
void splitBlurMiddle(std::uint8_t* __restrict current, const std::uint8_t* upper, const std::uint8_t* lower,
                     int distance, int width)
{
    const int offset = distance * 3;
    for (int i = offset; i < (width - distance) * 3; ++i)
        current[i] = std::uint8_t((upper[i - offset] + lower[i - offset] + upper[i + offset] + lower[i + offset]) >> 2);
}

void smoothRow(std::uint8_t* current, const std::uint8_t* above, const std::uint8_t* below, int width,
               std::vector<std::uint16_t>& partial)
{
    // Everything but the left neighbour, which this pass has just changed.
    const int end = (width - 1) * 3;
    for (int i = 3; i < end; ++i) partial[std::size_t(i)] = std::uint16_t(above[i] + below[i] + current[i + 3]);
    int blue = current[0], green = current[1], red = current[2];
    for (int i = 3; i < end; i += 3) {
        blue = (partial[std::size_t(i)] + blue) >> 2;
        green = (partial[std::size_t(i + 1)] + green) >> 2;
        red = (partial[std::size_t(i + 2)] + red) >> 2;
        current[i] = std::uint8_t(blue);
        current[i + 1] = std::uint8_t(green);
        current[i + 2] = std::uint8_t(red);
    }
}

} // namespace

void emboss(Bitmap& bitmap)
{
    requireTrueColour(bitmap);
    if (bitmap.empty()) return;
    const int width = bitmap.width(), height = bitmap.height();
    // Each row reads the next row as it was: the bands go to both cores, and
    // the lower band keeps its first row for the upper band's last before changing it.
    bitmap.detach();
    std::vector<std::uint8_t> kept(std::size_t(width) * 3);
    std::atomic<bool> keptReady = false;
    splitRows(height - 1, std::int64_t(width) * height, 1, [&](int from, int to) {
        if (from > 0) {
            std::memcpy(kept.data(), bitmap.rowUnchecked(from), kept.size());
            keptReady.store(true, std::memory_order_release);
            keptReady.notify_one();
        }
        const bool upperBand = to < height - 1;
        for (int y = from; y < to - (upperBand ? 1 : 0); ++y)
            embossRow(bitmap.rowUnchecked(y), bitmap.rowUnchecked(y + 1), width);
        if (upperBand) {
            keptReady.wait(false, std::memory_order_acquire);
            embossRow(bitmap.rowUnchecked(to - 1), kept.data(), width);
        }
    });
    embossRow(bitmap.rowUnchecked(height - 1), bitmap.rowUnchecked(std::max(height - 2, 0)), width);
}

void mosaic(Bitmap& bitmap, int blockSize)
{
    requireTrueColour(bitmap);
    if (blockSize <= 1 || bitmap.empty()) return;
    const std::int64_t width = bitmap.width(), height = bitmap.height();
    // Rows of blocks are independent: bands of whole rows of blocks go to both cores.
    bitmap.detach();
    splitRows(int(height), width * height, blockSize, [&](int from, int to) {
        for (std::int64_t top = from; top < to; top += blockSize) {
            std::uint8_t* first = bitmap.rowUnchecked(int(top));
            for (std::int64_t left = 0; left < width; left += blockSize) {
                const std::uint8_t* colour = first + left * 3;
                for (std::int64_t x = left + 1; x < std::min(left + blockSize, width); ++x)
                    std::memcpy(first + x * 3, colour, 3);
            }
            for (std::int64_t y = top + 1; y < std::min<std::int64_t>(top + blockSize, to); ++y)
                std::memcpy(bitmap.rowUnchecked(int(y)), first, std::size_t(width) * 3);
        }
    });
}

void splitBlur(Bitmap& bitmap, int distance)
{
    requireTrueColour(bitmap);
    if (distance <= 0 || bitmap.empty()) return;
    const int width = bitmap.width(), height = bitmap.height();
    for (int y = 0; y < height; ++y) {
        const int upperRow = nearTap(y, distance), lowerRow = farTap(y, distance, height);
        std::uint8_t* current = bitmap.rowUnchecked(y);
        const std::uint8_t* upper = bitmap.rowUnchecked(upperRow);
        const std::uint8_t* lower = bitmap.rowUnchecked(lowerRow);
        if (upperRow == y || lowerRow == y || 2 * std::int64_t(distance) >= width) {
            for (int x = 0; x < width; ++x) splitBlurPixel(current, upper, lower, x, distance, width);
            continue;
        }
        for (int x = 0; x < distance; ++x) splitBlurPixel(current, upper, lower, x, distance, width);
        splitBlurMiddle(current, upper, lower, distance, width);
        for (int x = width - distance; x < width; ++x) splitBlurPixel(current, upper, lower, x, distance, width);
    }
}

void gaussianBlur(Bitmap& bitmap, int extraPasses)
{
    for (int pass = 0; pass <= extraPasses; ++pass) splitBlur(bitmap, 3);
}

void antiAlias(Bitmap& bitmap, int passes)
{
    requireTrueColour(bitmap);
    const int width = bitmap.width(), height = bitmap.height();
    if (width < 3 || height < 3) return;
    std::vector<std::uint16_t> partial(std::size_t(width) * 3);
    for (int pass = 0; pass < passes; ++pass)
        for (int y = 1; y + 1 < height; ++y)
            smoothRow(bitmap.rowUnchecked(y), bitmap.rowUnchecked(y - 1), bitmap.rowUnchecked(y + 1), width, partial);
}

} // namespace kel
