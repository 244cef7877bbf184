#pragma once
// The tile effect: the picture shrunk (or grown) by bilinear resampling and
// repeated over itself.
#include "graphics/bitmap.h"

namespace kel {

struct TileLayout {
    int tileWidth = 10;
    int tileHeight = 10;
    int count = 0; // tiles across, possibly replaced as below
};

// Tile size for `count` tiles across each side of a width x height picture,
// at least 10 x 10; when both sides fall to 10 the count becomes the larger
// side div 10.
TileLayout tileLayout(int count, int width, int height);

// Fills `target` (24-bit, any size) from the whole of `source` (24-bit, not
// empty) by bilinear interpolation in 15-bit fixed point.
void resampleBilinear(const Bitmap& source, Bitmap& target);

// Draws tiles of the given size, resampled from the whole picture, over the
// picture from its top-left corner; tiles crossing the edges are cut off.
void tile(Bitmap& bitmap, int tileWidth, int tileHeight);

} // namespace kel
