#include "view/display_rect.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace kel {

namespace {

int truncated(long double value) { return int(std::trunc(value)); }

// Shrinks a picture larger than the client area to fit it, keeping its aspect.
void fitInside(const DisplayLayout& l, int& w, int& h)
{
    const int w0 = l.pictureWidth, h0 = l.pictureHeight, cw = l.clientWidth, ch = l.clientHeight;
    if (w0 <= 0 || h0 <= 0) {
        w = cw;
        h = ch;
        return;
    }
    const double ratio = double(w0) / double(h0);
    if (w0 > h0) {
        w = cw;
        h = truncated(cw / ratio);
        if (h > ch) {
            h = ch;
            w = truncated(ch * ratio);
        }
    } else {
        h = ch;
        w = truncated(ch * ratio);
        if (w > cw) {
            w = cw;
            h = truncated(cw / ratio);
        }
    }
}

} // namespace

int zoomGrowth(int side, int zoomPercent)
{
    // Bounded so that no zoom a caller passes can overflow the rectangle's sides.
    constexpr long double limit = 1 << 29;
    const long double factor = static_cast<long double>(zoomPercent) / 100.0L;
    const long double grown = std::clamp(std::trunc(static_cast<long double>(side) * factor), -limit, limit);
    return int(std::int64_t(grown) - side);
}

Rect displayRect(const DisplayLayout& l)
{
    const int w0 = l.pictureWidth, h0 = l.pictureHeight;
    int w = w0, h = h0;
    if (l.proportional && (w0 > l.clientWidth || h0 > l.clientHeight)) fitInside(l, w, h);

    Rect r{0, 0, w, h};
    if (l.stretch) {
        r = {0, 0, l.clientWidth, l.clientHeight};
    } else if (l.center) {
        const int dx = (l.clientWidth - w) / 2, dy = (l.clientHeight - h) / 2;
        r = {dx, dy, dx + w, dy + h};
    } else {
        r = {0, 0, w0, h0};
    }

    const int dx = zoomGrowth(w0, l.zoomX), dy = zoomGrowth(h0, l.zoomY);
    if (l.center) {
        r.left -= dx / 2;
        r.right += dx / 2;
        r.top -= dy / 2;
        r.bottom += dy / 2;
    } else {
        r.right += dx;
        r.bottom += dy;
    }
    return r;
}

} // namespace kel
