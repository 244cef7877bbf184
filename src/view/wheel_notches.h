#pragma once
// Wheel turns as whole notches of 120 units, the rest kept for the next turn
// (fine-grained wheels and touch pads send smaller steps).

namespace kel {

inline constexpr int kWheelNotch = 120;

// Adds a wheel delta to `remainder` and returns the whole notches it makes:
// positive away from the user, negative towards the user.
inline int wheelNotches(int& remainder, int delta)
{
    remainder += delta;
    const int notches = remainder / kWheelNotch;
    remainder -= notches * kWheelNotch;
    return notches;
}

} // namespace kel
