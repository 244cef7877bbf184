#pragma once
// Colour values: 32 bits, red in the low byte, green in the second, blue in
// the third. pf24bit rows store the same colour as blue, green, red bytes.
#include <cstdint>

namespace kel {

using Colour = std::uint32_t;

constexpr Colour rgb(int r, int g, int b)
{
    return Colour(r & 0xFF) | (Colour(g & 0xFF) << 8) | (Colour(b & 0xFF) << 16);
}
constexpr int redOf(Colour c) { return int(c & 0xFF); }
constexpr int greenOf(Colour c) { return int((c >> 8) & 0xFF); }
constexpr int blueOf(Colour c) { return int((c >> 16) & 0xFF); }

// Reads the pixel at p (blue, green, red bytes) as a colour value.
inline Colour colourFromBgr(const std::uint8_t* p) { return rgb(p[2], p[1], p[0]); }
// Writes a colour value as blue, green, red bytes at p.
inline void colourToBgr(Colour c, std::uint8_t* p)
{
    p[0] = std::uint8_t(blueOf(c));
    p[1] = std::uint8_t(greenOf(c));
    p[2] = std::uint8_t(redOf(c));
}

inline constexpr Colour clBlack = rgb(0, 0, 0);
inline constexpr Colour clWhite = rgb(255, 255, 255);
inline constexpr Colour clRed = rgb(255, 0, 0);
inline constexpr Colour clLime = rgb(0, 255, 0);
inline constexpr Colour clBlue = rgb(0, 0, 255);
// The desktop's button face colour, used by gradients and frames.
inline constexpr Colour clBtnFace = rgb(240, 240, 240);

} // namespace kel
