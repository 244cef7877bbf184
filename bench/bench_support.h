#pragma once
// Shared pictures for the benchmarks.
#include "graphics/bitmap.h"

namespace kel::bench {

inline constexpr int kPhotoWidth = 4000;
inline constexpr int kPhotoHeight = 3000;

// A 24-bit picture with photo-like variety (smooth gradients plus fine noise), made once.
const Bitmap& photoLikeBitmap();

} // namespace kel::bench
