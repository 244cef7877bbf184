#pragma once
// The zoom steps of the wheel and of the context menu, in percent. Growing
// has no upper limit; it stops only where the integer would overflow.
#include <climits>

namespace kel::zoom {

inline constexpr int kNormal = 100;

constexpr int grow(int zoom, int step) { return zoom > INT_MAX - step ? INT_MAX : zoom + step; }

// Main window: wheel towards the user, and " Zoom positif".
constexpr int wheelTowardsUser(int zoom) { return grow(zoom, 10); }
constexpr int zoomPositive(int zoom) { return grow(zoom, 10); }

// Main window: wheel away from the user; below 10 it drops to 5
// (33 gives 28, 23, 18, 13, 5).
constexpr int wheelAwayFromUser(int zoom)
{
    const int next = zoom < INT_MIN + 5 ? INT_MIN : zoom - 5;
    return next < 10 ? 5 : next;
}

// " Zoom négatif", and the zoom window's wheel away from the user: floor 10.
constexpr int zoomNegative(int zoom)
{
    const int next = zoom < INT_MIN + 10 ? INT_MIN : zoom - 10;
    return next < 10 ? 10 : next;
}

} // namespace kel::zoom
