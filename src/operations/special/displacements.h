#pragma once
// Displacements: each pixel is copied from or to a place computed from its
// position or its colour. All work in place, rows top to bottom and pixels
// left to right, so a pixel already written in the scan is read with its new
// value. Bitmaps of any format are accepted and keep their format.
#include "graphics/bitmap.h"

namespace kel {

inline constexpr int kMarblePeriod = 14;
inline constexpr double kMarbleAmplitude = 3.0;
// The plasma raises its amplitude to at least 5 and its angle divisor to at least 10.
inline constexpr double kPlasmaAmplitude = 3.0;
inline constexpr double kPlasmaAngleDivisor = 5.0;
inline constexpr float kTwistStrength = 255.0f;

// First notifies the bitmap's owner, as assigning the bitmap to itself does;
// then each pixel (x, y) is copied to (|x + rx - ry|, |y + ry - rx|) rounded,
// with rx = -s sin((x mod p) / s) and ry = s cos((y mod p) / s), when that
// place lies inside the picture.
void marble(Bitmap& bitmap);

// Each pixel takes the pixel at an offset chosen by its own blue byte from two
// tables (-A sin(b / D), A cos(b / D), rounded), when that lies inside.
void plasma(Bitmap& bitmap);

// A swirl around the centre, in single precision: each pixel is the bilinear
// mix of the four pixels around the point turned by a quarter turn plus r / k
// back, the point wrapped into the picture.
void twist(Bitmap& bitmap);

} // namespace kel
