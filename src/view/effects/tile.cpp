#include "view/effects/tile.h"

#include "view/effects/true_colour.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

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
    // The source columns and fractions are the same on every target row.
    struct Column {
        int left, right; // byte offsets
        int fraction;
    };
    std::vector<Column> columns(std::size_t(target.width()));
    std::int64_t sx = 0;
    for (Column& column : columns) {
        const int ix = int(sx >> 15);
        column = {ix * 3, (ix < lastColumn ? ix + 1 : ix) * 3, int(sx & (kOne - 1))};
        sx += xStep;
    }
    std::int64_t sy = 0;
    for (int ty = 0; ty < target.height(); ++ty, sy += yStep) {
        const int iy = int(sy >> 15);
        const int fy = int(sy & (kOne - 1));
        const std::uint8_t* row0 = source.rowUnchecked(iy);
        const std::uint8_t* row1 = source.rowUnchecked(iy < lastRow ? iy + 1 : iy);
        std::uint8_t* out = target.rowUnchecked(ty);
        for (const Column& column : columns) {
            // Every product stays below 2^31: weights are at most 32768.
            const int w01 = (column.fraction * (int(kOne) - fy)) >> 15;
            const int w00 = (int(kOne) - fy) - w01;
            const int w11 = (column.fraction * fy) >> 15;
            const int w10 = fy - w11;
            for (int c = 0; c < 3; ++c)
                *out++ = std::uint8_t((row0[column.left + c] * w00 + row0[column.right + c] * w01
                                       + row1[column.left + c] * w10 + row1[column.right + c] * w11)
                                      >> 15);
        }
    }
}

void tile(Bitmap& bitmap, int tileWidth, int tileHeight)
{
    requireTrueColour(bitmap);
    if (bitmap.empty() || tileWidth <= 0 || tileHeight <= 0) return;
    Bitmap piece(tileWidth, tileHeight, pf24bit);
    resampleBilinear(bitmap, piece);
    // Rows of the picture repeat the tile's row y mod tileHeight, cut at the right edge.
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* from = piece.rowUnchecked(y % tileHeight);
        std::uint8_t* to = bitmap.rowUnchecked(y);
        for (std::int64_t left = 0; left < bitmap.width(); left += tileWidth) {
            const std::int64_t columns = std::min<std::int64_t>(tileWidth, bitmap.width() - left);
            std::memcpy(to + left * 3, from, std::size_t(columns) * 3);
        }
    }
}

} // namespace kel
