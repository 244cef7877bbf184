#pragma once
// The solid border of the frame page.
#include "graphics/bitmap.h"

namespace kel {

// Replaces `bitmap` by itself drawn at (width, width) on a (W + 2 width) x
// (H + 2 width) bitmap of the screen's format filled with `colour`. Width 0
// leaves the pixels as they are (in the screen's format). A negative width or
// a result beyond the bitmap limits throws before the bitmap changes.
void AddFrame(Bitmap& bitmap, int width, Colour colour);

} // namespace kel
