#include "operations/special/turns.h"

#include "graphics/pixel_rows.h"
#include "operations/mirror_turn.h"

#include <utility>

namespace kel {

namespace {

// The picture turned a quarter into a new 24-bit bitmap that replaces it and
// notifies, as an assignment does; only the transparency flag carries over.
void turnBitmap(Bitmap& bitmap, QuarterTurn by)
{
    if (bitmap.width() == 0 && bitmap.height() == 0) return;
    Bitmap turned = Bitmap::forOverwrite(bitmap.height(), bitmap.width(), pf24bit);
    if (bitmap.pixelFormat() == pf24bit) {
        turnPixelsInto(bitmap, turned, by);
    } else {
        Bitmap source = Bitmap::forOverwrite(bitmap.width(), bitmap.height(), pf24bit);
        convertRows(bitmap, source);
        turnPixelsInto(source, turned, by);
    }
    turned.setTransparent(bitmap.transparent());
    bitmap = std::move(turned);
}

} // namespace

void turn(Bitmap& bitmap) { turnBitmap(bitmap, QuarterTurn::Anticlockwise); }

void turnRight(Bitmap& bitmap) { turnBitmap(bitmap, QuarterTurn::Clockwise); }

} // namespace kel
