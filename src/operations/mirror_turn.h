#pragma once
// Mirror images and quarter turns of a whole bitmap. Both keep the bitmap's
// pixel format (and palette) and move pixels unchanged, so every format a
// picture can hold is accepted: 1, 4 and 8-bit indexes, 15 and 16-bit fields,
// 24 and 32-bit pixels. Rows are written directly: nothing is notified.
#include "graphics/bitmap.h"

namespace kel {

enum class FlipMode {
    Horizontal, // left and right exchanged: (x, y) goes to (W - 1 - x, y)
    Vertical,   // top and bottom exchanged: (x, y) goes to (x, H - 1 - y)
};

// Mirrors the bitmap in place. Horizontal leaves the padding bytes alone;
// vertical exchanges whole rows, padding included.
void flipBitmap(Bitmap& bitmap, FlipMode mode);

enum class QuarterTurn {
    Clockwise = 90,      // (x, y) goes to (H - 1 - y, x): the top row becomes the right-hand column
    Anticlockwise = -90, // (x, y) goes to (y, W - 1 - x): the top row becomes the left-hand column
};

// Writes the W x H source turned by a quarter into `target`, which becomes
// H x W with the source's format, palette and transparency (the same key
// colour). A target that already has that size and format keeps its pixel
// store, so turning back and forth allocates nothing; otherwise it gets a
// new one (and is notified, as any replaced bitmap). Target and source may
// be the same bitmap.
void rotateBitmap(const Bitmap& source, Bitmap& target, QuarterTurn turn);

// Pixels only: `target` must already be H x W in the source's format, and
// differ from the source; nothing else of it changes and nothing is notified.
void turnPixelsInto(const Bitmap& source, Bitmap& target, QuarterTurn turn);

// The same into a new bitmap.
Bitmap rotateBitmap(const Bitmap& source, QuarterTurn turn);

} // namespace kel
