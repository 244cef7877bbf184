#pragma once
// A decoded picture made into a plain bitmap: drawn over white, as the open
// command shows it. Transparent parts come out white, partly transparent
// ones are blended over it.
#include "graphics/bitmap.h"

namespace kel::codecs {

// A new 24-bit bitmap of width x height filled with `background`, with the
// graphic drawn at its top-left corner (cut off where it is larger).
Bitmap drawnOver(const Graphic& graphic, int width, int height, Colour background = clWhite);

// The graphic over white in a 24-bit bitmap of its own size.
Bitmap drawnOverWhite(const Graphic& graphic);

} // namespace kel::codecs
