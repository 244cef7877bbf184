#pragma once
// The pixel-wide steps of the tone chain (grey or saturation, then invert) on
// 16 pixels at a time, for processors with SSSE3. Bit for bit the same as the
// scalar steps.
#include <cstdint>

namespace kel {

bool vectorStagesAvailable();

// Each channel v of a pixel with channel average a becomes
// clamp(((v - a) * (strength + 255)) div 255 + a), then 255 - v when
// inverting; strength from -255 to 255. Treats the leading pixels of a 24-bit
// row in groups of 16 and answers how many; the caller finishes the rest.
int saturateRowVector(std::uint8_t* row, int width, int strength, bool invert);

// Every channel becomes the pixel's weighted grey, then 255 - grey when
// inverting. Same contract as above.
int greyRowVector(std::uint8_t* row, int width, bool invert);

} // namespace kel
