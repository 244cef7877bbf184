#pragma once
// The noise layers of the view: per pixel and channel, a value the tone chain
// adds before its clamp. Values come from the program's shared generator.
#include "graphics/bitmap.h"

namespace kel {

// A 24-bit bitmap of the given size; each channel of each pixel, drawn in the
// order red, green, blue, is Random(amplitude) - amplitude div 2 clamped to 0..255.
Bitmap colourNoise(int width, int height, int amplitude);

// The same with one value per pixel, stored in all three channels.
Bitmap monoNoise(int width, int height, int amplitude);

} // namespace kel
