#pragma once
// The ellipse inscribed in a rectangle whose right and bottom edges are
// exclusive. A pixel belongs to it when its centre lies inside or on the
// ellipse; its outline, one pixel wide, is made of the pixels that have a
// horizontal or vertical neighbour outside.
#include <cstdint>

namespace kel {

struct Span {
    int first = 0, last = -1; // inclusive columns; empty when first > last
    bool empty() const { return first > last; }
};

class InscribedEllipse {
public:
    InscribedEllipse(int left, int top, int right, int bottom);

    bool empty() const { return right_ <= left_ || bottom_ <= top_; }
    int top() const { return top_; }
    int bottom() const { return bottom_; } // exclusive

    // The pixels of row y inside the ellipse (empty outside its rows).
    Span row(int y) const;
    // The outline pixels of row y: the inside span less the pixels whose four
    // neighbours are all inside: up to two spans, their number returned.
    int outline(int y, Span out[2]) const;

    // The centre and a pixel's offset from it, doubled so that they stay whole,
    // with y growing upwards so that counter-clockwise is the usual turn.
    std::int64_t offsetX(int x) const { return 2 * std::int64_t(x) + 1 - (std::int64_t(left_) + right_); }
    std::int64_t offsetY(int y) const { return (std::int64_t(top_) + bottom_) - 2 * std::int64_t(y) - 1; }
    std::int64_t pointX(int x) const { return 2 * std::int64_t(x) - (std::int64_t(left_) + right_); }
    std::int64_t pointY(int y) const { return (std::int64_t(top_) + bottom_) - 2 * std::int64_t(y); }

private:
    int left_, top_, right_, bottom_;
};

// Whether the direction (px, py) lies on the counter-clockwise sweep from the
// direction (sx, sy) to (ex, ey), both ends included; equal start and end
// directions sweep the whole turn. The centre itself counts as inside.
bool inSweep(std::int64_t px, std::int64_t py, std::int64_t sx, std::int64_t sy, std::int64_t ex, std::int64_t ey);

} // namespace kel
