#pragma once
// Ripples: each column of the picture slides down by its own shift, the rows
// taken from the lowest one that still has room below it up to the top. A row
// is always copied before anything lands on it, and rows near the top keep
// their former pixels where nothing was moved onto them. The depth of the
// ripple is the smaller of half the height and the routine's amplitude.
#include "graphics/bitmap.h"

namespace kel {

inline constexpr int kRippleRandomAmplitude = 4;
inline constexpr int kRippleToothAmplitude = 4;
inline constexpr int kRippleTriangleAmplitude = 10;

// Converts to 24 bits and reseeds the shared generator from the clock; column 0
// stays, every later column moves down by a draw Random(depth) taken after the
// previous column (one draw per pixel of every handled row, Random(0) included).
void rippleRandom(Bitmap& bitmap);

// Converts to 24 bits; shifts 0, 1, ..., depth repeating along each row.
void rippleTooth(Bitmap& bitmap);

// Keeps the bitmap's format; shifts 0, 1, ..., depth, depth - 1, ..., 1, 0, 1, ...
// (a triangle wave of period 2 depth). A picture one row high does not move.
void rippleTriangle(Bitmap& bitmap);

} // namespace kel
