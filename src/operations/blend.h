#pragma once
// The weighted mean of two pictures of the same size.
#include "graphics/bitmap.h"

#include <QString>

namespace kel {

// The message the fusion page shows for pictures of different sizes.
QString blendSizeMessage();

// A new 24-bit bitmap: for every channel (a x firstWeight + b x secondWeight)
// div (firstWeight + secondWeight). Inputs of another format are read as 24
// bits. Pictures of different sizes throw InvalidOperation carrying
// blendSizeMessage(); negative weights or a zero sum throw RangeError.
Bitmap BlendBitmaps(const Bitmap& first, int firstWeight, const Bitmap& second, int secondWeight);

// The same into `result`, which is made a 24-bit bitmap of the pictures' size
// unless it already is one.
void blendInto(const Bitmap& first, int firstWeight, const Bitmap& second, int secondWeight, Bitmap& result);

} // namespace kel
