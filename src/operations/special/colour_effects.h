#pragma once
// Effects that change each pixel's channels from its own values and its
// neighbours' on the same row.
#include "graphics/bitmap.h"

namespace kel {

// Every channel below 128 becomes 255 - v, so every channel ends at least
// 128. Converts the bitmap to 24 bits first.
void exposure(Bitmap& bitmap);

// A straw-coloured mix: along each row, the red of a pixel and the green and
// blue of its right neighbour are averaged with the green and blue of the
// pixels one and two to the right, in place. Past the row end the last pixel
// is read again and nothing is written. Converts the bitmap to 24 bits first.
void flaxen(Bitmap& bitmap);

// A green night-vision picture with dark stripes on every second row, counted
// from the bottom. Converts the bitmap to 32 bits (the fourth byte stays).
void nightVision(Bitmap& bitmap);

} // namespace kel
