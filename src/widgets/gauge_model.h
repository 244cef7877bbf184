#pragma once
// The arithmetic of the segmented gauge, apart from the widget: how far the
// bar is filled, which positions form blocks, and the colour of every pixel
// along and across the bar (hue, lightness and saturation on a 0..240 scale).
#include "graphics/colour.h"

#include <vector>

namespace kel::gauge {

enum class Orientation { Horizontal, Vertical };
enum class BarKind { Flat, Cylinder };
enum class BarLook { Metal, Glass };

struct Hls {
    int hue = 0;
    int lightness = 0;
    int saturation = 0;
};
Hls toHls(Colour colour);
Colour fromHls(const Hls& hls);

// The lightness across a cylinder, x from 0 (one edge) towards 1 (the other):
// a glass tube with its highlight left of the middle.
double shadeCurve(double x);

// Sizes derived from the control's size across (A) and along (D) the bar.
struct Geometry {
    int across = 0;
    int along = 0;
    int border() const { return across > 9 ? 2 : 1; }
    int inset() const { return 2 * border(); }
    int length() const { return along - inset(); } // positions 0..length
    int shadeCount() const { return across - inset() + 1; }
};

// The filled length for a position; 0 for nothing, at least inset + 1 otherwise.
int filledLength(int position, int maximum, const Geometry& geometry);

struct BlockCell {
    bool inBlock = false;
    int reference = 0; // the block's last position (horizontal) or top row (vertical)
};
// One cell per position 0..length; all outside blocks unless both sizes are positive.
std::vector<BlockCell> blockMap(Orientation orientation, const Geometry& geometry, int blockSize, int spaceSize);

// The bar's colour at position i of 0..length.
Colour colourAlong(Colour start, Colour final, int i, int length);
// The `count` colours across the bar for a colour along it.
std::vector<Colour> shadesAcross(Colour colour, int count, BarKind kind, BarLook look);

} // namespace kel::gauge
