#pragma once
// Per-channel colour routines of the side panel and the Couleurs menu. Both
// work on 24-bit rows with integer arithmetic; padding bytes are not touched.
#include "graphics/bitmap.h"

#include <cstdint>

namespace kel {

// destination := source with every channel scaled by the colour's matching
// component: channel x component div 255 (255 keeps a channel, 0 clears it).
// The destination becomes a 24-bit bitmap of the source's size; source and
// destination may be the same bitmap. An empty source leaves the destination
// as it was, so a picture without an original is never wiped.
void ScaleChannels(const Bitmap& source, Bitmap& destination, Colour colour);

// The depth of " Choisir la couleur sépia".
inline constexpr std::uint8_t kSepiaDepth = 40;

// Converts to 24 bits, then every pixel becomes grey = (blue + green + red)
// div 3 in blue, min(grey + depth, 255) in green, min(grey + 2 x depth, 255)
// in red.
void SepiaTone(Bitmap& bitmap, std::uint8_t depth);

} // namespace kel
