#include "operations/special/ellipse_raster.h"

#include <algorithm>
#include <cmath>

namespace kel {

namespace {

std::int64_t cross(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by) { return ax * by - ay * bx; }

} // namespace

InscribedEllipse::InscribedEllipse(int left, int top, int right, int bottom)
    : left_(left), top_(top), right_(right), bottom_(bottom)
{
}

Span InscribedEllipse::row(int y) const
{
    if (empty() || y < top_ || y >= bottom_) return {};
    // Doubled radii and offsets: (dx / rx)^2 + (dy / ry)^2 <= 1 in whole numbers.
    const std::int64_t rx = std::int64_t(right_) - left_, ry = std::int64_t(bottom_) - top_;
    const std::int64_t dy = offsetY(y);
    const std::int64_t room = rx * rx * (ry * ry - dy * dy);
    if (room < 0) return {};
    // Largest doubled offset dx with dx^2 ry^2 <= room, of the parity pixel centres have.
    std::int64_t dx = std::int64_t(std::sqrt(double(room)) / double(ry));
    while (dx > 0 && dx * dx * ry * ry > room) --dx;
    while ((dx + 1) * (dx + 1) * ry * ry <= room) ++dx;
    const std::int64_t sum = std::int64_t(left_) + right_;
    if (((dx + 1 + sum) & 1) != 0) --dx;
    if (dx < 0) return {};
    return {int((sum - 1 - dx) / 2), int((sum - 1 + dx) / 2)};
}

int InscribedEllipse::outline(int y, Span out[2]) const
{
    const Span inside = row(y);
    if (inside.empty()) return 0;
    const Span above = row(y - 1), below = row(y + 1);
    if (above.empty() || below.empty()) {
        out[0] = inside;
        return 1;
    }
    const int innerFirst = std::max({inside.first + 1, above.first, below.first});
    const int innerLast = std::min({inside.last - 1, above.last, below.last});
    if (innerFirst > innerLast) {
        out[0] = inside;
        return 1;
    }
    out[0] = {inside.first, innerFirst - 1};
    out[1] = {innerLast + 1, inside.last};
    return 2;
}

bool inSweep(std::int64_t px, std::int64_t py, std::int64_t sx, std::int64_t sy, std::int64_t ex, std::int64_t ey)
{
    const std::int64_t turn = cross(sx, sy, ex, ey);
    const bool opposite = turn == 0 && sx * ex + sy * ey < 0;
    if (turn > 0 || opposite) return cross(sx, sy, px, py) >= 0 && cross(px, py, ex, ey) >= 0;
    if (turn == 0) return true;
    // More than half a turn: everything but the inside of the sweep from end back to start.
    return !(cross(ex, ey, px, py) > 0 && cross(px, py, sx, sy) > 0);
}

} // namespace kel
