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

// First in, first out; doubles its storage when full, so the pending points
// of any frontier fit.
class PointQueue {
public:
    PointQueue() : slots_(4096) {}
    bool empty() const { return count_ == 0; }
    void push(Point p)
    {
        if (count_ == slots_.size()) grow();
        slots_[(head_ + count_) & (slots_.size() - 1)] = p;
        ++count_;
    }
    Point pop()
    {
        const Point p = slots_[head_];
        head_ = (head_ + 1) & (slots_.size() - 1);
        --count_;
        return p;
    }

private:
    void grow()
    {
        std::vector<Point> larger(slots_.size() * 2);
        for (std::size_t i = 0; i < count_; ++i) larger[i] = slots_[(head_ + i) & (slots_.size() - 1)];
        slots_ = std::move(larger);
        head_ = 0;
    }
    std::vector<Point> slots_;
    std::size_t head_ = 0, count_ = 0;
};

} // namespace

Colour fillHueColour(Colour pixel, Colour fill) { return withHue(pixel, hueOf(fill)); }

void FloodFill(Bitmap& bitmap, int x, int y, double tolerance, Colour seed, Colour fill)
{
    if (bitmap.pixelFormat() != pf24bit) throw RangeError(std::string("Le remplissage demande une image 24 bits"));
    if (!bitmap.contains(x, y)) return;
    const int width = bitmap.width(), height = bitmap.height();

    // For each channel, the values that pass |v - seed| > 150 x tolerance, as written in double.
    const double limit = 150 * tolerance;
    std::array<std::uint8_t, 256> passRed{}, passGreen{}, passBlue{};
    for (int v = 0; v < 256; ++v) {
        passRed[std::size_t(v)] = !(std::abs(v - redOf(seed)) > limit);
        passGreen[std::size_t(v)] = !(std::abs(v - greenOf(seed)) > limit);
        passBlue[std::size_t(v)] = !(std::abs(v - blueOf(seed)) > limit);
    }

    RecolourCache recolour(hueOf(fill));
    // One bit per pixel: an eighth of the memory to clear and to page in.
    std::vector<std::uint64_t> visited((std::size_t(width) * std::size_t(height) + 63) / 64, 0);
    PointQueue queue;
    queue.push({x, y});

    auto visit = [&](int nx, int ny) {
        const std::size_t index = std::size_t(ny) * std::size_t(width) + std::size_t(nx);
        std::uint64_t& word = visited[index >> 6];
        const std::uint64_t bit = std::uint64_t(1) << (index & 63);
        if (word & bit) return;
        std::uint8_t* p = bitmap.rowUnchecked(ny) + std::ptrdiff_t(nx) * 3;
        if (!(passRed[p[2]] & passGreen[p[1]] & passBlue[p[0]])) return;
        colourToBgr(recolour(colourFromBgr(p)), p);
        word |= bit;
        queue.push({nx, ny});
    };

    while (!queue.empty()) {
        const Point at = queue.pop();
        if (at.x + 1 < width) visit(at.x + 1, at.y);
        if (at.x - 1 >= 0) visit(at.x - 1, at.y);
        if (at.y + 1 < height) visit(at.x, at.y + 1);
        if (at.y - 1 >= 0) visit(at.x, at.y - 1);
    }
}

void fillRegion(Bitmap& bitmap, int x, int y, int percent, Colour fill)
{
    if (bitmap.pixelFormat() != pf24bit) throw RangeError(std::string("Le remplissage demande une image 24 bits"));
    if (!bitmap.contains(x, y)) return;
    FloodFill(bitmap, x, y, percent / 100.0, colourFromBgr(bitmap.rowUnchecked(y) + std::ptrdiff_t(x) * 3), fill);
}

} // namespace kel
