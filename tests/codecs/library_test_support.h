#pragma once
// Shared by the tests of the library-backed codecs: the pictures the
// fixtures were made from, and drawing a loaded graphic as the open command does.
#include "codecs/codec.h"
#include "graphics/bitmap.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace kel::test::library {

// tests/data/codecs/library/<name>
QString fixturePath(const QString& name);
QByteArray fixtureBytes(const QString& name);

// The 6 x 4 picture of 24 distinct colours behind most fixtures (red at the
// top left, blue two places to its right; no two mirror positions alike).
Bitmap colours24();
// The 5 x 4 picture of VGA colours behind the 4-bit fixtures.
Bitmap colours16();
// The 5 x 3 black-and-white picture behind the 1-bit fixtures.
Bitmap blackAndWhite();
// The 6 x 4 picture of 24 distinct greys.
Bitmap greys();
// 4 x 16, red rising 16 a row, green 60 a column (the interlaced GIF: every
// pass of the interlacing has rows).
Bitmap tallGradient();
// 32 x 32 in quadrants of 16 x 16: red, green / blue, white (JPEG fixtures).
Bitmap quadrants();
// The same quadrants in greys 30, 90 / 160, 230.
Bitmap greyQuadrants();

// RGBA pixels (r, g, b, a) of the 4 x 3 pictures with transparency.
struct Rgba {
    int r, g, b, a;
};
std::vector<Rgba> partialAlpha(); // alpha 0, 64, 128 and 255
std::vector<Rgba> binaryAlpha();  // alpha 0 and 255
// Those pixels drawn over a background colour, rounded as the graphics layer blends.
Bitmap overBackground(const std::vector<Rgba>& pixels, int width, int height, Colour background);

// Decodes and draws onto a new 24-bit bitmap of the graphic's size filled
// with `background` (white: what the open command does).
Bitmap decodeAndDraw(const QByteArray& bytes, const QString& extension, Colour background = clWhite);

} // namespace kel::test::library
