#pragma once
// The spatial effects of the view. Each transforms a 24-bit bitmap in place,
// rows top to bottom and pixels left to right unless stated otherwise, so taps
// on rows and columns already passed read their new values. A bitmap of
// another format throws RangeError.
#include "graphics/bitmap.h"

namespace kel {

// Averages each pixel with the negative of the pixel one row down and three
// columns right (straight down for the last three columns); the last row pairs
// with the already embossed row above it, a single row with itself.
void emboss(Bitmap& bitmap);

// Every pixel takes the colour of the top-left pixel of its blockSize square.
void mosaic(Bitmap& bitmap, int blockSize);

// Each channel becomes the mean of the four pixels `distance` rows and columns
// away diagonally; near the bottom and right edges the far taps come from
// rows and columns 1..distance (never from outside the picture).
void splitBlur(Bitmap& bitmap, int distance);

// The split blur at distance 3, run extraPasses + 1 times.
void gaussianBlur(Bitmap& bitmap, int extraPasses);

// Passes of four-neighbour smoothing over the interior; the outermost rows and
// columns never change.
void antiAlias(Bitmap& bitmap, int passes);

// Black marks along boundaries between colours of the 256-colour halftone
// palette: a forward scan in every pass, a backward scan from the second pass.
void trace(Bitmap& bitmap, int passes);

} // namespace kel
