#include "operations/special/turns.h"

#include "graphics/pixel_rows.h"

#include <algorithm>
#include <cstdint>
#include <utility>

namespace kel {

namespace {

// Square tiles keep both the rows read and the rows written in cache.
constexpr int kTile = 64;

// Fills `turned` (H x W) from the 24-bit `source` (W x H). A source row y
// becomes a column of the target: for a counterclockwise turn column y read
// upwards, for a clockwise turn column H - 1 - y read downwards.
template <bool Clockwise>
void turnRows(const Bitmap& source, Bitmap& turned)
{
    const int width = source.width(), height = source.height();
    for (int top = 0; top < height; top += kTile) {
        const int bottom = std::min(top + kTile, height);
        for (int left = 0; left < width; left += kTile) {
            const int right = std::min(left + kTile, width);
            for (int y = top; y < bottom; ++y) {
                const std::uint8_t* from = source.rowUnchecked(y);
                const int column = Clockwise ? height - 1 - y : y;
                for (int x = left; x < right; ++x) {
                    const int row = Clockwise ? x : width - 1 - x;
                    std::uint8_t* to = turned.rowUnchecked(row) + 3 * column;
                    to[0] = from[3 * x];
                    to[1] = from[3 * x + 1];
                    to[2] = from[3 * x + 2];
                }
            }
        }
    }
}

void turnBitmap(Bitmap& bitmap, bool clockwise)
{
    if (bitmap.width() == 0 && bitmap.height() == 0) return;
    Bitmap turned(bitmap.height(), bitmap.width(), pf24bit);
    if (bitmap.pixelFormat() == pf24bit) {
        clockwise ? turnRows<true>(bitmap, turned) : turnRows<false>(bitmap, turned);
    } else {
        Bitmap source(bitmap.width(), bitmap.height(), pf24bit);
        convertRows(bitmap, source);
        clockwise ? turnRows<true>(source, turned) : turnRows<false>(source, turned);
    }
    turned.setTransparent(bitmap.transparent());
    bitmap = std::move(turned); // replaces the content and notifies, as an assignment does
}

} // namespace

void turn(Bitmap& bitmap) { turnBitmap(bitmap, false); }

void turnRight(Bitmap& bitmap) { turnBitmap(bitmap, true); }

} // namespace kel
