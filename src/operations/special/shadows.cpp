#include "operations/special/shadows.h"

#include <cstdint>
#include <utility>

namespace kel {

namespace {

// The picture drawn into a 24-bit bitmap of its size.
Bitmap drawnCopy(const Bitmap& picture)
{
    Bitmap copy(picture.width(), picture.height(), pf24bit);
    picture.drawOnto(copy, 0, 0);
    return copy;
}

// Pixels [first, first + count) of `row` against the pixels `shift` columns
// away in `source`, a row not yet changed in this pass.
void shadeRow(std::uint8_t* row, const std::uint8_t* source, int first, int count, int shift)
{
    std::uint8_t* p = row + std::ptrdiff_t(first) * 3;
    const std::uint8_t* n = source + std::ptrdiff_t(first + shift) * 3;
    for (int x = 0; x < count; ++x, p += 3, n += 3) {
        // All ones when the neighbour is darker in blue, else zero.
        const auto take = std::uint8_t(-int(n[0] < p[0]));
        for (int c = 0; c < 3; ++c) p[c] = std::uint8_t((p[c] & ~take) | (std::uint8_t(n[c] + 1) & take));
    }
}

// The neighbour of (x, y) is (x + dx, y + dy), dx and dy being +4 or -4.
// Rows are scanned away from the neighbour's row, so it is always unchanged.
void shadeRows(Bitmap& picture, int dx, int dy)
{
    const int width = picture.width(), height = picture.height();
    if (width <= kShadowDistance || height <= kShadowDistance) return;
    const int first = dx > 0 ? 0 : kShadowDistance, count = width - kShadowDistance;
    for (int i = 0; i < height - kShadowDistance; ++i) {
        const int y = dy < 0 ? height - 1 - i : i;
        shadeRow(picture.rowUnchecked(y), picture.rowUnchecked(y + dy), first, count, dx);
    }
}

// Every pixel depends only on unchanged pixels, so a 24-bit picture gives the
// same result worked on in place, followed by the notification that putting
// a copy in its place would send. Other pictures go through a drawn copy.
void castShadow(Bitmap& bitmap, int dx, int dy)
{
    if (bitmap.empty()) return;
    if (bitmap.pixelFormat() == pf24bit && !bitmap.transparent()) {
        shadeRows(bitmap, dx, dy);
        bitmap.changed();
        return;
    }
    Bitmap copy = drawnCopy(bitmap);
    shadeRows(copy, dx, dy);
    bitmap = std::move(copy);
}

} // namespace

void shadowDownLeft(Bitmap& bitmap) { castShadow(bitmap, kShadowDistance, -kShadowDistance); }
void shadowDownRight(Bitmap& bitmap) { castShadow(bitmap, -kShadowDistance, -kShadowDistance); }
void shadowUpLeft(Bitmap& bitmap) { castShadow(bitmap, kShadowDistance, kShadowDistance); }
void shadowUpRight(Bitmap& bitmap) { castShadow(bitmap, -kShadowDistance, kShadowDistance); }

} // namespace kel
