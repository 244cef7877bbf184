#include "operations/special/blur_sharpen.h"

#include "operations/special/in_24bit.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kel {

namespace {

// One interior row of the box blur. Every term of a pixel's 3 x 3 sum but
// its left neighbour's new value is gathered first (the row above is already
// blurred, the row itself and the one below are not); then the left-to-right
// chain adds the neighbour just written, one running value per channel.
void blurRow(std::uint8_t* row, const std::uint8_t* above, const std::uint8_t* below, int width,
             std::vector<std::uint16_t>& scratch)
{
    const int bytes = width * 3;
    std::uint16_t* columns = scratch.data();
    std::uint16_t* rest = columns + bytes;
    for (int i = 0; i < bytes; ++i) columns[i] = std::uint16_t(above[i] + row[i] + below[i]);
    for (int i = 3; i < bytes - 3; ++i) rest[i] = std::uint16_t(columns[i] + columns[i + 3] + above[i - 3] + below[i - 3]);
    unsigned blue = row[0], green = row[1], red = row[2];
    for (int i = 3; i < bytes - 3; i += 3) {
        blue = (blue + rest[i]) / 9;
        green = (green + rest[i + 1]) / 9;
        red = (red + rest[i + 2]) / 9;
        row[i] = std::uint8_t(blue);
        row[i + 1] = std::uint8_t(green);
        row[i + 2] = std::uint8_t(red);
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
        std::vector<std::uint16_t> scratch(std::size_t(width) * 6);
        for (int y = 1; y + 1 < height; ++y)
            blurRow(rows.rowUnchecked(y), rows.rowUnchecked(y - 1), rows.rowUnchecked(y + 1), width, scratch);
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
