#pragma once
// The weighted grey of the tone chain: nearest(R * 0.3 + G * 0.59 + B * 0.11).
#include <cmath>

namespace kel {

// 30 R + 59 G + 11 B is exact in integers; only a value lying exactly on a
// half needs the floating-point sum and its rounding (ties to even).
inline bool greyOnHalf(int hundredths) { return hundredths % 100 == 50; }

inline int weightedGrey(int r, int g, int b)
{
    const int hundredths = 30 * r + 59 * g + 11 * b;
    if (greyOnHalf(hundredths)) return int(std::nearbyint(r * 0.3 + g * 0.59 + b * 0.11));
    return (hundredths + 50) / 100;
}

} // namespace kel
