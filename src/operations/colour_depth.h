#pragma once
// Colour depth of a whole picture: the five depths of the Image menu and the
// black-and-white conversion. The pixel conversions themselves are the
// bitmap's own (Bitmap::setPixelFormat); this file says which format each
// depth uses and adds the round trip back to 24 bits.
//
// 16 bits: every channel goes to the nearest level a 5-bit (green: 6-bit)
// field can hold, and widens back to 8 bits by repeating its top bits
// (v << 3 | v >> 2 for 5 bits, v << 2 | v >> 4 for 6 bits). 0 and 255 stay
// 0 and 255, and reducing an already reduced picture changes nothing.
#include "graphics/bitmap.h"

namespace kel {

enum class ColourDepth { Bits32, Bits24, Bits16, Bits8, Bits4 };

// pf32bit, pf24bit, pf16bit (5-6-5), pf8bit (the halftone palette, the one
// the trace effect compares), pf4bit (the 16-colour palette).
PixelFormat depthFormat(ColourDepth depth);

// Converts in place to the depth's format, each pixel to the nearest colour
// it can hold. A bitmap already in that format is left alone.
void convertToDepth(Bitmap& bitmap, ColourDepth depth);

// A new bitmap of the source's size in the depth's format, the source's
// pixels drawn into it.
Bitmap copyAtDepth(const Bitmap& source, ColourDepth depth);

// Reduces the colours to those the depth can hold and brings the bitmap back
// to 24 bits: what a picture looks like after a trip through that depth.
void reduceColours(Bitmap& bitmap, ColourDepth depth);

// Largest blue + green + red sum that turns black: a mean of exactly 127 is
// black, anything above is white.
inline constexpr int kBlackWhiteThreshold = 381;

// Converts to 24 bits, then every pixel whose blue + green + red is at most
// kBlackWhiteThreshold becomes black and every other one white. Padding bytes
// are not touched.
void blackAndWhite(Bitmap& bitmap);

} // namespace kel
