#pragma once
// Where a view draws its picture: the rectangle worked out from the client
// size, the picture size, the placement switches and the zoom factors.
#include "graphics/geometry.h"

namespace kel {

struct DisplayLayout {
    int pictureWidth = 0;  // 0 when there is no graphic
    int pictureHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    bool stretch = false;
    bool proportional = false;
    bool center = false;
    int zoomX = 100; // percent
    int zoomY = 100;
};

// The rectangle may lie partly outside the client area, or be inverted when
// a fitted picture is zoomed below 100 %.
Rect displayRect(const DisplayLayout& layout);

// Growth of one side at a zoom: the side times zoom / 100 in extended
// precision, truncated, less the side.
int zoomGrowth(int side, int zoomPercent);

} // namespace kel
