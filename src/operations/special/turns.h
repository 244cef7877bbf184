#pragma once
// Quarter turns. The turned picture is a new 24-bit bitmap of exchanged width
// and height that then replaces the bitmap's content by assignment, so the
// bitmap's owner is notified (even for a square picture).
#include "graphics/bitmap.h"

namespace kel {

// Counterclockwise: pixel (x, y) goes to (y, W - 1 - x), the top row becomes the left column.
void turn(Bitmap& bitmap);

// Clockwise: pixel (x, y) goes to (H - 1 - y, x), the top row becomes the right column.
void turnRight(Bitmap& bitmap);

} // namespace kel
