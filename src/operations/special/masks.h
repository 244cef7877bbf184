#pragma once
// Effects that blacken part of the picture.
#include "graphics/bitmap.h"

namespace kel {

// Blackens every pixel outside the ellipse inscribed in the picture.
// Converts the bitmap to 24 bits first.
void circleMask(Bitmap& bitmap);

// Blackens the second pixel of each pair from the left (columns 1, 3, 5 ...);
// the last column of an odd width stays. Keeps the bitmap's format.
void dither(Bitmap& bitmap);

} // namespace kel
