#pragma once
// The fill page's flood fill: a 4-connected region within a tolerance of the
// seed colour takes the hue of the fill colour, each pixel keeping its own
// saturation and lightness. All colour arithmetic is in double.
#include "graphics/bitmap.h"

namespace kel {

struct Hsl {
    double h = 0; // degrees, 0 to under 360
    double s = 0; // 0 to 1
    double l = 0; // 0 to 1
};
struct Rgb {
    double r = 0, g = 0, b = 0; // 0 to 1
};

// Components 0 to 1. When two components share the maximum, the later of
// red, green, blue decides the hue.
Hsl RgbToHsl(double r, double g, double b);
Rgb HslToRgb(double h, double s, double l);
// One component of HslToRgb for a hue shifted by the caller.
double HueToChannel(double h, double q, double p);

// The pixel recoloured with the hue of `fill`: channels rounded to nearest, halves to even.
Colour fillHueColour(Colour pixel, Colour fill);

// Fills the region of a 24-bit bitmap that a breadth-first fill from (x, y)
// reaches. A pixel joins when none of its channels differs from `seed` by
// more than 150 x tolerance. The seed itself is recoloured only when
// it is reached again through a neighbour. A seed outside the picture fills
// nothing; another pixel format throws RangeError.
void FloodFill(Bitmap& bitmap, int x, int y, double tolerance, Colour seed, Colour fill);

// The fill of the fill page: the seed colour is the pixel at (x, y), the
// tolerance percent / 100.
void fillRegion(Bitmap& bitmap, int x, int y, int percent, Colour fill);

} // namespace kel
