#include "view/effects/tile.h"

#include "graphics/pixel_rows.h"
#include "view/effects/true_colour.h"

#include <algorithm>
#include <cstdint>

namespace kel {

namespace {

constexpr std::int64_t kOne = 32768; // 1.0 in 15-bit fixed point

} // namespace

TileLayout tileLayout(int count, int width, int height)
{
    TileLayout layout;
    layout.count = count;
    if (count <= 0) return layout;
    layout.tileHeight = std::max(10, height / count);
    layout.tileWidth = std::max(10, width / count);
    if (layout.tileWidth == 10 && layout.tileHeight == 10) layout.count = std::max(width, height) / 10;
    return layout;
}

void resampleBilinear(const Bitmap& source, Bitmap& target)
{
    requireTrueColour(source);
    requireTrueColour(target);
    if (source.empty())
        throw RangeError(std::string("Impossible de rééchantillonner une image vide"));
    if (target.empty()) return;
    const int lastColumn = source.width() - 1, lastRow = source.height() - 1;
    const std::int64_t xStep = (lastColumn * kOne) / target.width();
    const std::int64_t yStep = (lastRow * kOne) / target.height();
    std::int64_t sy = 0;
    for (int ty = 0; ty < target.height(); ++ty, sy += yStep) {
        const int iy = int(sy >> 15);
        const std::int64_t fy = sy % kOne;
        const std::uint8_t* row0 = source.rowUnchecked(iy);
        const std::uint8_t* row1 = source.rowUnchecked(iy < lastRow ? iy + 1 : iy);
        std::uint8_t* out = target.rowUnchecked(ty);
        std::int64_t sx = 0;
        for (int tx = 0; tx < target.width(); ++tx, sx += xStep, out += 3) {
            const int ix = int(sx >> 15);
            const std::int64_t fx = sx % kOne;
            const int left = ix * 3, right = (ix < lastColumn ? ix + 1 : ix) * 3;
            const std::int64_t w01 = (fx * (kOne - fy)) >> 15;
            const std::int64_t w00 = (kOne - fy) - w01;
            const std::int64_t w11 = (fx * fy) >> 15;
            const std::int64_t w10 = fy - w11;
            for (int c = 0; c < 3; ++c)
                out[c] = std::uint8_t(
                    (row0[left + c] * w00 + row0[right + c] * w01 + row1[left + c] * w10 + row1[right + c] * w11) >> 15);
        }
    }
}

void tile(Bitmap& bitmap, int tileWidth, int tileHeight)
{
    requireTrueColour(bitmap);
    if (bitmap.empty() || tileWidth <= 0 || tileHeight <= 0) return;
    Bitmap piece(tileWidth, tileHeight, pf24bit);
    resampleBilinear(bitmap, piece);
    for (std::int64_t top = 0; top < bitmap.height(); top += tileHeight)
        for (std::int64_t left = 0; left < bitmap.width(); left += tileWidth)
            copyPixels(piece, 0, 0, tileWidth, tileHeight, bitmap, int(left), int(top), false);
}

} // namespace kel
