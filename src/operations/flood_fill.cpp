#include "operations/flood_fill.h"

#include "graphics/errors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace kel {

Hsl RgbToHsl(double r, double g, double b)
{
    const double max = std::max({r, g, b});
    const double min = std::min({r, g, b});
    Hsl out;
    out.l = (max + min) / 2;
    if (max == min) return out;
    out.s = out.l > 0.5 ? (max - min) / (2 - max - min) : (max - min) / (max + min);
    const double d = max - min;
    double h = 0;
    if (r == max) h = (g - b) / d;
    if (g == max) h = (b - r) / d + 2;
    if (b == max) h = (r - g) / d + 4;
    h *= 60;
    if (h < 0) h += 360;
    out.h = h;
    return out;
}

double HueToChannel(double h, double q, double p)
{
    if (h >= 360) h -= 360;
    else if (h < 0) h += 360;
    if (h < 60) return p + (q - p) * h / 60;
    if (h < 180) return q;
    if (h < 240) return p + (q - p) * (240 - h) / 60;
    return p;
}

Rgb HslToRgb(double h, double s, double l)
{
    const double q = l > 0.5 ? l + s * (1 - l) : l * (1 + s);
    const double p = 2 * l - q;
    if (s == 0 && h == 0) return {l, l, l};
    return {HueToChannel(h + 120, q, p), HueToChannel(h, q, p), HueToChannel(h - 120, q, p)};
}

namespace {

std::uint8_t toByte(double v) { return std::uint8_t(std::nearbyint(v * 255)); }

double hueOf(Colour c) { return RgbToHsl(redOf(c) / 255.0, greenOf(c) / 255.0, blueOf(c) / 255.0).h; }

Colour withHue(Colour pixel, double hue)
{
    const Hsl p = RgbToHsl(redOf(pixel) / 255.0, greenOf(pixel) / 255.0, blueOf(pixel) / 255.0);
    const Rgb out = HslToRgb(hue, p.s, p.l);
    return rgb(toByte(out.r), toByte(out.g), toByte(out.b));
}

// Recoloured pixels by their original colour: regions are mostly few colours.
class RecolourCache {
public:
    explicit RecolourCache(double hue) : hue_(hue) { keys_.fill(kEmpty); }
    Colour operator()(Colour c)
    {
        const std::size_t slot = (c ^ (c >> 11) ^ (c >> 17)) & (kSlots - 1);
        if (keys_[slot] != c) {
            keys_[slot] = c;
            values_[slot] = withHue(c, hue_);
        }
        return values_[slot];
    }

private:
    static constexpr std::size_t kSlots = 4096;
    static constexpr Colour kEmpty = 0xFFFFFFFF;
    double hue_;
    std::array<Colour, kSlots> keys_;
    std::array<Colour, kSlots> values_{};
};

struct Point {
    int x, y;
};

} // namespace

Colour fillHueColour(Colour pixel, Colour fill) { return withHue(pixel, hueOf(fill)); }

void FloodFill(Bitmap& bitmap, int x, int y, double tolerance, Colour seed, Colour fill)
{
    if (bitmap.pixelFormat() != pf24bit) throw RangeError(std::string("Le remplissage demande une image 24 bits"));
    if (!bitmap.contains(x, y)) return;
    const int width = bitmap.width(), height = bitmap.height();

    // Channel differences that pass the test |v - seed| > 150 x tolerance, as written in double.
    const double limit = 150 * tolerance;
    std::array<bool, 256> within{};
    for (int d = 0; d < 256; ++d) within[std::size_t(d)] = !(d > limit);
    const int sr = redOf(seed), sg = greenOf(seed), sb = blueOf(seed);

    RecolourCache recolour(hueOf(fill));
    std::vector<std::uint8_t> visited(std::size_t(width) * std::size_t(height), 0);
    std::vector<Point> queue;
    queue.reserve(4096);
    queue.push_back({x, y});

    auto visit = [&](int nx, int ny) {
        std::uint8_t& mark = visited[std::size_t(ny) * std::size_t(width) + std::size_t(nx)];
        if (mark) return;
        std::uint8_t* p = bitmap.rowUnchecked(ny) + std::ptrdiff_t(nx) * 3;
        if (!within[std::size_t(std::abs(p[2] - sr))] || !within[std::size_t(std::abs(p[1] - sg))]
            || !within[std::size_t(std::abs(p[0] - sb))])
            return;
        colourToBgr(recolour(colourFromBgr(p)), p);
        mark = 1;
        queue.push_back({nx, ny});
    };

    std::size_t head = 0;
    while (head < queue.size()) {
        const Point at = queue[head++];
        if (at.x + 1 < width) visit(at.x + 1, at.y);
        if (at.x - 1 >= 0) visit(at.x - 1, at.y);
        if (at.y + 1 < height) visit(at.x, at.y + 1);
        if (at.y - 1 >= 0) visit(at.x, at.y - 1);
        // Drop the processed points once they fill most of the queue, keeping the order.
        if (head >= 65536 && head * 2 >= queue.size()) {
            queue.erase(queue.begin(), queue.begin() + std::ptrdiff_t(head));
            head = 0;
        }
    }
}

void fillRegion(Bitmap& bitmap, int x, int y, int percent, Colour fill)
{
    if (bitmap.pixelFormat() != pf24bit) throw RangeError(std::string("Le remplissage demande une image 24 bits"));
    if (!bitmap.contains(x, y)) return;
    FloodFill(bitmap, x, y, percent / 100.0, colourFromBgr(bitmap.rowUnchecked(y) + std::ptrdiff_t(x) * 3), fill);
}

} // namespace kel
