#pragma once
// Box blur and sharpening, in place: pixels already passed in the scan are
// read with their new values.
#include "graphics/bitmap.h"

namespace kel {

// Each interior pixel := the mean of the 3 x 3 block around it (truncated);
// the border rows and columns stay. Keeps the bitmap's format.
void blur(Bitmap& bitmap);

// The instruction sets the blur may use, fewest first (Avx: AVX and AVX2); every one
// gives the same bytes.
enum class BlurSimd { Plain, Avx };
// The best this processor offers.
BlurSimd bestBlurSimd();
// The blur using at most `level`.
void blurUsing(Bitmap& bitmap, BlurSimd level);

// Each channel moves away from the pixel above and to the left (straight
// above in column 0, the row itself on the top row) by half the difference,
// truncated toward zero, clamped to 0..255. Converts the bitmap to 24 bits first.
void sharpen(Bitmap& bitmap);

} // namespace kel
