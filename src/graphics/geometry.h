#pragma once
// Rectangles as the drawing routines take them: right and bottom are exclusive.

namespace kel {

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr int width() const { return right - left; }
    constexpr int height() const { return bottom - top; }
    friend constexpr bool operator==(const Rect&, const Rect&) = default;
};

} // namespace kel
