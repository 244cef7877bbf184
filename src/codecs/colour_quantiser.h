#pragma once
// Colour reduction for the GIF writer: median-cut quantisation on the
// picture's exact 8-bit colours, and Floyd-Steinberg dithering onto a palette.
#include "graphics/bitmap.h"

#include <cstdint>
#include <vector>

namespace kel::codecs {

// Up to `count` colours chosen to represent the picture's pixels, by median
// cut over its distinct colours (8 bits per component, weighted by how many
// pixels have each). Pixels whose colour is one of `fixed` are left out, as
// those are already in the final palette. When no more than `count` distinct
// colours remain, they are returned as they are (in increasing value).
Palette medianCutColours(const Bitmap& bitmap, int count, const Palette& fixed);

// The GIF palette: the 10 first static system colours, the 236 colours of the
// picture (medianCutColours; black fills unused places) and the 10 last.
Palette gifPalette(const Bitmap& bitmap);

// The palette index of every pixel, rows top to bottom, with Floyd-Steinberg
// error diffusion (7/16 right, 3/16 below left, 5/16 below, 1/16 below right).
// A pixel whose colour is in the palette and receives no error keeps it exactly.
std::vector<std::uint8_t> ditherFloydSteinberg(const Bitmap& bitmap, const Palette& palette);

} // namespace kel::codecs
