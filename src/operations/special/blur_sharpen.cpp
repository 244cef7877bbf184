#include "operations/special/blur_sharpen.h"

#include "operations/special/in_24bit.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kel {

namespace {

// One interior row of the box blur. `columns` holds, per byte, the sum of the
// (already blurred) row above, the row and the row below; the left column's
// sum is corrected with the value just written.
void blurRow(std::uint8_t* row, const std::uint8_t* above, const std::uint8_t* below, int width,
             std::vector<std::uint16_t>& columns)
{
    const int bytes = width * 3;
    std::uint16_t* sums = columns.data();
    for (int i = 0; i < bytes; ++i) sums[i] = std::uint16_t(above[i] + row[i] + below[i]);
    for (int i = 3; i < bytes - 3; ++i) {
        const unsigned total = unsigned(sums[i - 3]) + sums[i] + sums[i + 3];
        const unsigned mean = total / 9;
        sums[i] = std::uint16_t(sums[i] - row[i] + mean);
        row[i] = std::uint8_t(mean);
    }
}

inline std::uint8_t sharpened(int v, int reference)
{
    return std::uint8_t(std::clamp(v + (v - reference) / 2, 0, 255));
}

} // namespace

void blur(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    workOn24BitRows(bitmap, [](Bitmap& rows) {
        const int width = rows.width(), height = rows.height();
        if (height < 3 || width < 3) return;
        std::vector<std::uint16_t> columns(std::size_t(width) * 3);
        for (int y = 1; y + 1 < height; ++y)
            blurRow(rows.rowUnchecked(y), rows.rowUnchecked(y - 1), rows.rowUnchecked(y + 1), width, columns);
    });
}

void sharpen(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    const int bytes = bitmap.width() * 3;
    // Top row: its own reference, so each pixel after the first reads its
    // already sharpened left neighbour; the first pixel is its own reference.
    std::uint8_t* top = bitmap.rowUnchecked(0);
    for (int i = 3; i < bytes; ++i) top[i] = sharpened(top[i], top[i - 3]);
    for (int y = 1; y < bitmap.height(); ++y) {
        std::uint8_t* row = bitmap.rowUnchecked(y);
        const std::uint8_t* above = bitmap.rowUnchecked(y - 1);
        for (int i = 0; i < std::min(bytes, 3); ++i) row[i] = sharpened(row[i], above[i]);
        for (int i = 3; i < bytes; ++i) row[i] = sharpened(row[i], above[i - 3]);
    }
}

} // namespace kel
