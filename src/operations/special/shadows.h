#pragma once
// Drop shadows cast four pixels diagonally. The result replaces the
// picture's content and notifies the bitmap's owner (unlike row writes); the
// bitmap ends 24-bit.
#include "graphics/bitmap.h"

namespace kel {

// A pixel takes the colour of the pixel four columns and four rows towards
// the light, plus 1 in each byte (255 wraps to 0), when that pixel's blue is
// smaller than its own. Pictures narrower or lower than 5 pixels keep their colours.
inline constexpr int kShadowDistance = 4;
void shadowDownLeft(Bitmap& bitmap);
void shadowDownRight(Bitmap& bitmap);
void shadowUpLeft(Bitmap& bitmap);
void shadowUpRight(Bitmap& bitmap);

} // namespace kel
