#pragma once
// Scatter and pattern routines that copy pixels along a row or from nearby.
#include "graphics/bitmap.h"

namespace kel {

inline constexpr int kSprayRadius = 6;
inline constexpr int kTrianglesSize = 23;

// Columns left to right as the outer loop, rows top to bottom inside: three
// draws of the shared generator per pixel, b := Random(radius), c := Random(2b),
// d := Random(2b), and the pixel takes the current colour at (x + b - c, y + b - d)
// when that lies inside. The generator is not seeded here. Keeps the format;
// notifies the owner once at the end when a pixel was written.
void spray(Bitmap& bitmap);

// Converts to 24 bits; each row holds a colour sampled every t pixels (t a
// triangle wave over the rows) and at the columns x with x mod u = 1.
void triangles(Bitmap& bitmap);

} // namespace kel
