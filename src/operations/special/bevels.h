#pragma once
// Bevels that make the picture look raised: lightened top and left, darkened
// bottom and right.
#include "graphics/bitmap.h"

namespace kel {

// Rectangular bevel: bands 0..kButtonizeBand from each edge (16 bands), each
// channel lightened or darkened by kButtonizeStrength out of 255. Converts
// the bitmap to 24 bits first. Bands that would lie outside a picture
// smaller than the bevel are left out.
inline constexpr int kButtonizeBand = 15;
inline constexpr int kButtonizeStrength = 75;
void buttonize(Bitmap& bitmap);

// Elliptical bevel: kCircleButtonRings rings inscribed one inside the other,
// the lower-right half of each darkened and the upper-left half lightened,
// the outer rings most; then one smoothing pass over the interior. Rings that
// would not fit in the picture are not drawn.
inline constexpr int kCircleButtonRings = 25;
inline constexpr int kCircleButtonStrength = 255;
void circleButton(Bitmap& bitmap);

} // namespace kel
