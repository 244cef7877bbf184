#pragma once
// Format-independent pixel access for routines that must accept any bitmap.
// None of these check bounds: callers clip first.
#include "graphics/bitmap.h"

namespace kel {

Colour readPixel(const Bitmap& bitmap, int x, int y);
// Indexed formats take the nearest colour of the bitmap's palette.
void writePixel(Bitmap& bitmap, int x, int y, Colour colour);

// Reads a whole row as colour values (width entries).
void readRow(const Bitmap& bitmap, int y, Colour* out);
// Writes a whole row; indexed formats map through `nearest` (built from the bitmap's palette).
void writeRow(Bitmap& bitmap, int y, const Colour* in, NearestColour* nearest);

// Fills rows [firstRow, endRow) with one colour.
void fillRows(Bitmap& bitmap, int firstRow, int endRow, Colour colour);

// Converts every pixel of `source` into `target` (same size, any formats).
void convertRows(const Bitmap& source, Bitmap& target);

// Copies a w x h block from (sx, sy) of `source` to (dx, dy) of `target`,
// clipped to both; with skipTransparent the source's transparent colour is left out.
void copyPixels(const Bitmap& source, int sx, int sy, int w, int h, Bitmap& target, int dx, int dy,
                bool skipTransparent);

} // namespace kel
