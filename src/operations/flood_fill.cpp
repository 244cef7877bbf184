#include "operations/flood_fill.h"

#include "graphics/errors.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <utility>
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
        // Neighbours along a row are most often alike.
        if (c == lastKey_) return lastValue_;
        lastKey_ = c;
        const std::size_t slot = (c ^ (c >> 11) ^ (c >> 17)) & (kSlots - 1);
        if (keys_[slot] != c) {
            keys_[slot] = c;
            values_[slot] = withHue(c, hue_);
        }
        return lastValue_ = values_[slot];
    }

private:
    static constexpr std::size_t kSlots = 4096;
    static constexpr Colour kEmpty = 0xFFFFFFFF;
    double hue_;
    std::array<Colour, kSlots> keys_;
    std::array<Colour, kSlots> values_{};
    Colour lastKey_ = kEmpty;
    Colour lastValue_ = 0;
};

struct Point {
    int x, y;
};

// Which pixels of a 24-bit bitmap join the fill, and the marks of those
// already recoloured (one bit a pixel: an eighth of the memory to clear).
class FillArea {
public:
    FillArea(Bitmap& bitmap, double tolerance, Colour seed)
        : bitmap_(bitmap), width_(bitmap.width()),
          visited_((std::size_t(bitmap.width()) * std::size_t(bitmap.height()) + 63) / 64, 0)
    {
        // For each channel, the values that pass |v - seed| > 150 x tolerance, as written in double.
        const double limit = 150 * tolerance;
        for (int v = 0; v < 256; ++v) {
            passRed_[std::size_t(v)] = !(std::abs(v - redOf(seed)) > limit);
            passGreen_[std::size_t(v)] = !(std::abs(v - greenOf(seed)) > limit);
            passBlue_[std::size_t(v)] = !(std::abs(v - blueOf(seed)) > limit);
        }
    }

    // Not yet recoloured and within the tolerance (an unmarked pixel still has its own colour).
    bool joins(int x, int y) const
    {
        const std::size_t index = std::size_t(y) * std::size_t(width_) + std::size_t(x);
        if (visited_[index >> 6] & (std::uint64_t(1) << (index & 63))) return false;
        const std::uint8_t* p = bitmap_.rowUnchecked(y) + std::ptrdiff_t(x) * 3;
        return passRed_[p[2]] & passGreen_[p[1]] & passBlue_[p[0]];
    }

    // The first and last columns of the run of joining pixels through x
    // (which joins) on row y.
    std::pair<int, int> runThrough(int x, int y) const
    {
        const std::uint8_t* row = bitmap_.rowUnchecked(y);
        const std::size_t rowStart = std::size_t(y) * std::size_t(width_);
        const auto joinsAt = [&](int i) {
            const std::size_t index = rowStart + std::size_t(i);
            const std::uint8_t* p = row + std::ptrdiff_t(i) * 3;
            return !((visited_[index >> 6] >> (index & 63)) & 1) && (passRed_[p[2]] & passGreen_[p[1]] & passBlue_[p[0]]);
        };
        int left = x, right = x;
        while (left > 0 && joinsAt(left - 1)) --left;
        while (right + 1 < width_ && joinsAt(right + 1)) ++right;
        return {left, right};
    }

    // One pending point for each run of joining pixels from left to right of row y.
    void pushRuns(int left, int right, int y, std::vector<Point>& pending) const
    {
        const std::uint8_t* p = bitmap_.rowUnchecked(y) + std::ptrdiff_t(left) * 3;
        std::size_t index = std::size_t(y) * std::size_t(width_) + std::size_t(left);
        bool inRun = false;
        for (int x = left; x <= right; ++x, ++index, p += 3) {
            const std::uint64_t marks = visited_[index >> 6];
            if ((index & 63) == 0 && marks == ~std::uint64_t(0) && right - x >= 63) {
                // 64 pixels recoloured already: the row this span was reached from.
                inRun = false;
                x += 63;
                index += 63;
                p += 63 * 3;
                continue;
            }
            const bool joins = !((marks >> (index & 63)) & 1) && (passRed_[p[2]] & passGreen_[p[1]] & passBlue_[p[0]]);
            if (joins && !inRun) pending.push_back({x, y});
            inRun = joins;
        }
    }

    // Recolours and marks the pixels left to right of row y.
    void fillSpan(int left, int right, int y, RecolourCache& recolour)
    {
        std::uint8_t* p = bitmap_.rowUnchecked(y) + std::ptrdiff_t(left) * 3;
        for (int x = left; x <= right; ++x, p += 3) colourToBgr(recolour(colourFromBgr(p)), p);
        // The marks of the span, a word at a time.
        const std::size_t first = std::size_t(y) * std::size_t(width_) + std::size_t(left);
        const std::size_t last = first + std::size_t(right - left);
        for (std::size_t word = first >> 6; word <= last >> 6; ++word) {
            const std::size_t from = std::max(first, word << 6) & 63, to = std::min(last, (word << 6) + 63) & 63;
            visited_[word] |= (~std::uint64_t(0) >> (63 - to)) & (~std::uint64_t(0) << from);
        }
    }

private:
    Bitmap& bitmap_;
    const int width_;
    std::vector<std::uint64_t> visited_;
    std::array<std::uint8_t, 256> passRed_{}, passGreen_{}, passBlue_{};
};

} // namespace

Colour fillHueColour(Colour pixel, Colour fill) { return withHue(pixel, hueOf(fill)); }

void FloodFill(Bitmap& bitmap, int x, int y, double tolerance, Colour seed, Colour fill)
{
    if (bitmap.pixelFormat() != pf24bit) throw RangeError(std::string("Le remplissage demande une image 24 bits"));
    if (!bitmap.contains(x, y)) return;
    const int width = bitmap.width(), height = bitmap.height();

    // The pixels the breadth-first fill reaches do not depend on the order of
    // the visits: those connected through pixels within the tolerance to a
    // neighbour of the seed within it (so the seed joins only through one).
    // A recoloured pixel depends only on its own colour, so the region is
    // filled a row span at a time, its ends found by scanning. The pending
    // points grow as the frontier needs.
    RecolourCache recolour(hueOf(fill));
    FillArea area(bitmap, tolerance, seed);
    std::vector<Point> pending;
    if (x + 1 < width) pending.push_back({x + 1, y});
    if (x - 1 >= 0) pending.push_back({x - 1, y});
    if (y + 1 < height) pending.push_back({x, y + 1});
    if (y - 1 >= 0) pending.push_back({x, y - 1});

    while (!pending.empty()) {
        const Point at = pending.back();
        pending.pop_back();
        if (!area.joins(at.x, at.y)) continue;
        const auto [left, right] = area.runThrough(at.x, at.y);
        area.fillSpan(left, right, at.y, recolour);
        if (at.y > 0) area.pushRuns(left, right, at.y - 1, pending);
        if (at.y + 1 < height) area.pushRuns(left, right, at.y + 1, pending);
    }
}

void fillRegion(Bitmap& bitmap, int x, int y, int percent, Colour fill)
{
    if (bitmap.pixelFormat() != pf24bit) throw RangeError(std::string("Le remplissage demande une image 24 bits"));
    if (!bitmap.contains(x, y)) return;
    FloodFill(bitmap, x, y, percent / 100.0, colourFromBgr(bitmap.rowUnchecked(y) + std::ptrdiff_t(x) * 3), fill);
}

} // namespace kel
