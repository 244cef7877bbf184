#pragma once
// Makes the picture tile without visible seams.
#include "graphics/bitmap.h"

namespace kel {

// Blends the bottom rows into copies of the top rows and the right columns
// into copies of the left columns, fully at the edge and fading out at a
// depth of kSeamlessDepth. Converts the bitmap to 24 bits first. On a
// picture smaller than the depth the blend stops at its last row and column.
inline constexpr int kSeamlessDepth = 255;
void seamless(Bitmap& bitmap);

} // namespace kel
