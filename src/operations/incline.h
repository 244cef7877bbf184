#pragma once
// Turning a picture clockwise about a point, keeping the destination's size,
// each pixel interpolated from the four pixels nearest its source point.
#include "graphics/bitmap.h"

namespace kel {

inline int ClampByte(long long value) { return value > 255 ? 255 : value < 0 ? 0 : int(value); }
inline int ClampRange(int value, int low, int high) { return value > high ? high : value < low ? low : value; }

// Writes into `destination` the source turned clockwise (on the screen) by
// `angle` degrees about (centreX, centreY). Destination pixels whose nearest
// source pixel lies outside the source keep their colour. Both bitmaps must
// be 24-bit (RangeError otherwise); their sizes may differ, the source is
// then centred on the destination.
void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY);

// The instruction sets the turn may use, fewest first; every one gives the same bytes.
enum class TurnSimd { None, Avx2, Avx512 };
// The best this processor offers.
TurnSimd bestTurnSimd();
// The turn using at most `level`.
void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY, TurnSimd level);

// The incline page's turn: a 24-bit copy of `picture` turned by `angle` about
// (W div 2, H div 2) onto a bitmap of the same size filled with `background`.
Bitmap inclinedBitmap(const Bitmap& picture, double angle, Colour background);

} // namespace kel
