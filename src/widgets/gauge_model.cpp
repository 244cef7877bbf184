#include "widgets/gauge_model.h"

#include <algorithm>
#include <cmath>

namespace kel::gauge {

Hls toHls(Colour colour)
{
    const int r = redOf(colour), g = greenOf(colour), b = blueOf(colour);
    const int mx = std::max({r, g, b});
    const int mn = std::min({r, g, b});
    Hls hls;
    hls.lightness = ((mx + mn) * 240 + 255) / 510;
    if (mx == mn) {
        hls.hue = 160;
        return hls;
    }
    const int d = mx - mn;
    const int sum = mx + mn;
    hls.saturation = hls.lightness <= 120 ? (d * 240 + sum / 2) / sum : (d * 240 + (510 - sum) / 2) / (510 - sum);
    const auto delta = [&](int c) { return ((mx - c) * 40 + d / 2) / d; };
    if (r == mx)
        hls.hue = delta(b) - delta(g);
    else if (g == mx)
        hls.hue = 80 + delta(r) - delta(b);
    else
        hls.hue = 160 + delta(g) - delta(r);
    if (hls.hue < 0) hls.hue += 240;
    if (hls.hue > 240) hls.hue -= 240;
    return hls;
}

Colour fromHls(const Hls& hls)
{
    const int l = hls.lightness, s = hls.saturation;
    const auto component = [](int value) { return std::clamp(value, 0, 255); };
    if (s == 0) {
        const int grey = component(l * 255 / 240);
        return rgb(grey, grey, grey);
    }
    const int q = l <= 120 ? (l * (240 + s) + 120) / 240 : l + s - (l * s + 120) / 240;
    const int p = 2 * l - q;
    const auto level = [&](int h) {
        if (h < 0) h += 240;
        if (h > 240) h -= 240;
        if (h < 40) return p + ((q - p) * h + 20) / 40;
        if (h < 120) return q;
        if (h < 160) return p + ((q - p) * (160 - h) + 20) / 40;
        return p;
    };
    const auto scaled = [&](int h) { return component((level(h) * 255 + 120) / 240); };
    return rgb(scaled(hls.hue + 80), scaled(hls.hue), scaled(hls.hue - 80));
}

double shadeCurve(double x)
{
    return ((((-4342.9 * x + 10543) * x - 8216) * x + 2018.1) * x + 11.096) * x + 164.6;
}

int filledLength(int position, int maximum, const Geometry& geometry)
{
    if (maximum <= 0 || position <= 0) return 0;
    const int length = geometry.length();
    const double percent = double(std::min(position, maximum)) * 100 / maximum;
    const double filled = length * percent / 100;
    if (filled > 0 && filled < geometry.inset() + 1) return geometry.inset() + 1;
    return filled <= length ? int(std::nearbyint(filled)) : length;
}

std::vector<BlockCell> blockMap(Orientation orientation, const Geometry& geometry, int blockSize, int spaceSize)
{
    const int length = geometry.length();
    std::vector<BlockCell> cells(std::size_t(std::max(length + 1, 0)));
    if (blockSize <= 0 || spaceSize <= 0) return cells;
    if (orientation == Orientation::Horizontal) {
        // From the left: the first block starts at position 3, each refers to its last position.
        for (int first = 3; first <= length;) {
            const int last = std::min(first + blockSize - 1, length);
            for (int p = first; p <= last; ++p) cells[std::size_t(p)] = {true, last};
            first = last + spaceSize + 1;
        }
    } else {
        // From the bottom: the first block ends at row length - 3, each refers to its top row.
        const int top = geometry.inset();
        for (int last = length - 3; last >= top;) {
            const int first = std::max(last - blockSize + 1, top);
            for (int p = first; p <= last; ++p) cells[std::size_t(p)] = {true, first};
            last = first - spaceSize - 1;
        }
    }
    return cells;
}

Colour colourAlong(Colour start, Colour final, int i, int length)
{
    if (start == final || i <= 0) return start;
    if (i >= length) return final;
    const double t = double(i) / length;
    const auto mix = [t](int s, int f) { return s < f ? s + int((f - s) * t) : s - int((s - f) * t); };
    return rgb(mix(redOf(start), redOf(final)), mix(greenOf(start), greenOf(final)), mix(blueOf(start), blueOf(final)));
}

std::vector<Colour> shadesAcross(Colour colour, int count, BarKind kind, BarLook look)
{
    std::vector<Colour> shades(std::size_t(std::max(count, 0)), colour);
    if (kind == BarKind::Flat) return shades;
    const Hls base = toHls(colour);
    for (int k = 0; k < count; ++k) {
        const double curve = shadeCurve(double(k) / count);
        Hls shade = base;
        shade.lightness = look == BarLook::Glass ? int(std::nearbyint(curve))
                                                 : std::clamp(int(curve) + base.lightness - 212, 0, 240);
        shades[std::size_t(k)] = fromHls(shade);
    }
    return shades;
}

} // namespace kel::gauge
