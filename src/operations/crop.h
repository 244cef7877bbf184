#pragma once
// Cropping a picture to a dragged rectangle.
#include "graphics/bitmap.h"
#include "graphics/geometry.h"

namespace kel {

// The rectangle between two dragged corners given in picture coordinates,
// each corner first brought onto the picture (0..W-1, 0..H-1), then put
// upright. Right and bottom are exclusive, so the largest rectangle is
// (W-1) x (H-1) and a click without moving gives an empty one.
Rect selectionRect(int startX, int startY, int endX, int endY, int pictureWidth, int pictureHeight);

// A bitmap in the screen's format holding the pixels of `rect` (put upright
// and cut to the picture, so nothing is read outside it).
Bitmap croppedBitmap(const Bitmap& source, Rect rect);

} // namespace kel
