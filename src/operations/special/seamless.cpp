#include "operations/special/seamless.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace kel {

namespace {

// target := nearest((1 - w) target + w source), per channel.
inline void blendPixel(std::uint8_t* target, const std::uint8_t* source, double weight)
{
    for (int c = 0; c < 3; ++c)
        target[c] = std::uint8_t(std::nearbyint((1.0 - weight) * target[c] + weight * source[c]));
}

// The right columns of a row blended into copies of its left ones: column
// W-1-c takes weight[c] of column c.
void blendRightColumns(std::uint8_t* row, int width, int lastColumn, const std::vector<double>& weight)
{
    for (int c = 0; c <= lastColumn; ++c)
        blendPixel(row + std::ptrdiff_t(width - 1 - c) * 3, row + std::ptrdiff_t(c) * 3, weight[std::size_t(c)]);
}

} // namespace

void seamless(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    const int width = bitmap.width(), height = bitmap.height();
    const double depth = kSeamlessDepth;
    // Weight 1 at the edge, fading to 0 at the depth.
    std::vector<double> weight(std::size_t(kSeamlessDepth) + 1);
    for (int i = 0; i <= kSeamlessDepth; ++i) weight[std::size_t(i)] = 1.0 - i / depth;

    // Rows and columns beyond the picture are left out.
    const int lastRow = std::min(kSeamlessDepth, height - 1);
    for (int r = 0; r <= lastRow; ++r) {
        std::uint8_t* top = bitmap.rowUnchecked(r);
        std::uint8_t* bottom = bitmap.rowUnchecked(height - 1 - r);
        for (int c = r; c <= width - 1 - r; ++c)
            blendPixel(bottom + std::ptrdiff_t(c) * 3, top + std::ptrdiff_t(c) * 3, weight[std::size_t(r)]);
        const int lastColumn = std::min(r, width - 1);
        for (int c = 0; c <= lastColumn; ++c) {
            const double w = weight[std::size_t(c)];
            blendPixel(top + std::ptrdiff_t(width - 1 - c) * 3, top + std::ptrdiff_t(c) * 3, w);
            blendPixel(bottom + std::ptrdiff_t(width - 1 - c) * 3, bottom + std::ptrdiff_t(c) * 3, w);
        }
    }
    if (height - 1 - 2 * kSeamlessDepth < 0) return;
    const int lastColumn = std::min(kSeamlessDepth, width - 1);
    for (int y = kSeamlessDepth; y <= height - 1 - kSeamlessDepth; ++y)
        blendRightColumns(bitmap.rowUnchecked(y), width, lastColumn, weight);
}

} // namespace kel
