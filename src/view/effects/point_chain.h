#pragma once
// The per-pixel tone and colour chain of the view: every shown pixel is its
// source pixel (plus the noise pixel at the same place) sent through
// posterize or solarize, contrast, lightness, darkness, brightness, split
// light, grey or saturation, and invert, in that order.
#include "graphics/bitmap.h"

namespace kel {

struct ToneSettings {
    int posterize = 0;
    int solorize = 0;
    int contrast = 0;
    int lightness = 0;
    int darkness = 0;
    int brightness = 0;
    int splitlight = 0;
    bool grayScale = false;
    int saturation = 0;
    bool invert = false;
};

// Writes every pixel of `target` from the pixel at the same place of `source`
// and of `noise` (no noise when nullptr). All three are 24-bit bitmaps of the
// same size; anything else throws RangeError.
void applyToneChain(const ToneSettings& settings, const Bitmap& source, const Bitmap* noise, Bitmap& target);

} // namespace kel
