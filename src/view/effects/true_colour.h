#pragma once
// The effects read and write rows of blue, green, red bytes only.
#include "graphics/bitmap.h"
#include "graphics/errors.h"

namespace kel {

inline void requireTrueColour(const Bitmap& bitmap)
{
    if (bitmap.pixelFormat() != pf24bit) throw RangeError(std::string("Les effets demandent une image 24 bits"));
}

} // namespace kel
