#pragma once
// The number of distinct colours of a picture, for the status line.
#include "graphics/bitmap.h"

namespace kel {

// Counts the distinct colours of a bitmap of any pixel format, reading only
// its own rows. A bitmap of zero width or height gives 0.
int CountColors(const Bitmap& bitmap);

} // namespace kel
