#include "operations/special/turns.h"

#include "graphics/pixel_rows.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <utility>

namespace kel {

namespace {

// Square tiles keep both the rows read and the rows written in cache.
constexpr int kTile = 64;

// Fills `turned` (H x W) from the 24-bit `source` (W x H), one target row at a
// time: target row r is source column W - 1 - r read downwards for a
// counterclockwise turn, source column r read upwards for a clockwise one.
// Pixels move as four bytes; the fourth lands on the next column of the same
// row, which is written afterwards. The last column, and the row that reads the
// source's very last pixel, move three bytes so nothing outside either bitmap
// is touched.
template <bool Clockwise>
void turnRows(const Bitmap& source, Bitmap& turned)
{
    const int width = source.width(), height = source.height();
    const std::ptrdiff_t stride = source.bytesPerLine();
    const std::uint8_t* pixels = source.rowUnchecked(0);
    const int rowOfLastColumn = Clockwise ? width - 1 : 0;
    for (int r0 = 0; r0 < width; r0 += kTile) {
        const int r1 = std::min(r0 + kTile, width);
        for (int c0 = 0; c0 < height; c0 += kTile) {
            const int c1 = std::min(c0 + kTile, height);
            for (int r = r0; r < r1; ++r) {
                const std::uint8_t* column = pixels + 3 * std::ptrdiff_t(Clockwise ? r : width - 1 - r);
                std::uint8_t* to = turned.rowUnchecked(r);
                const int fourByteEnd = r == rowOfLastColumn ? c0 : std::min(c1, height - 1);
                int c = c0;
                for (; c < fourByteEnd; ++c) {
                    std::uint32_t pixel;
                    std::memcpy(&pixel, column + std::ptrdiff_t(Clockwise ? height - 1 - c : c) * stride, 4);
                    std::memcpy(to + 3 * c, &pixel, 4);
                }
                for (; c < c1; ++c) std::memcpy(to + 3 * c, column + std::ptrdiff_t(Clockwise ? height - 1 - c : c) * stride, 3);
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
