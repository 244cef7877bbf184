// The special effects that change pixel values, on tiny pictures: pixels
// worked out by hand, or plain per-pixel models written from the rules.
#include "graphics/pixel_rows.h"
#include "operations/special/bevels.h"
#include "operations/special/blur_sharpen.h"
#include "operations/special/colour_effects.h"
#include "operations/special/ellipse_raster.h"
#include "operations/special/flaxen_lanes.h"
#include "operations/special/masks.h"
#include "operations/special/seamless.h"
#include "operations/special/shadows.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace kel {
namespace {

using test::bitmapFrom;
using test::sameBitmap;

Colour g(int v) { return rgb(v, v, v); }

Bitmap uniform(int width, int height, Colour colour)
{
    Bitmap bitmap(width, height);
    fillRows(bitmap, 0, height, colour);
    return bitmap;
}

Bitmap noisy(int width, int height, unsigned seed)
{
    std::mt19937 random(seed);
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, Colour(random()) & 0xFFFFFF);
    return bitmap;
}

// A plain picture for the models: channels as ints, indexed [y][x][blue, green, red].
struct Plain {
    int w, h;
    std::vector<std::array<int, 3>> px;
    explicit Plain(const Bitmap& b) : w(b.width()), h(b.height()), px(std::size_t(w * h))
    {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const Colour c = readPixel(b, x, y);
                at(x, y) = {blueOf(c), greenOf(c), redOf(c)};
            }
    }
    std::array<int, 3>& at(int x, int y) { return px[std::size_t(y * w + x)]; }
    Bitmap bitmap() const
    {
        Bitmap b(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const auto& p = px[std::size_t(y * w + x)];
                writePixel(b, x, y, rgb(p[2], p[1], p[0]));
            }
        return b;
    }
};

Plain blurModel(Plain p)
{
    for (int y = 1; y < p.h - 1; ++y)
        for (int x = 1; x < p.w - 1; ++x)
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int j = -1; j <= 1; ++j)
                    for (int i = -1; i <= 1; ++i) sum += p.at(x + i, y + j)[c];
                p.at(x, y)[c] = sum / 9;
            }
    return p;
}

Plain sharpenModel(Plain p)
{
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            const auto u = p.at(std::max(x - 1, 0), std::max(y - 1, 0));
            for (int c = 0; c < 3; ++c) {
                const int v = p.at(x, y)[c];
                p.at(x, y)[c] = std::clamp(v + (v - u[c]) / 2, 0, 255);
            }
        }
    return p;
}

// Missing neighbours past the row end read the last pixel; writes to them are dropped.
Plain flaxenModel(Plain p)
{
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            auto& q = p.at(x, y);
            const int n = std::min(x + 1, p.w - 1), m = std::min(x + 2, p.w - 1);
            q[2] = (q[2] + p.at(n, y)[1] + p.at(m, y)[0]) / 3;
            if (x + 1 >= p.w) continue;
            p.at(n, y)[1] = (q[1] + p.at(n, y)[1] + p.at(m, y)[0]) / 3;
            p.at(n, y)[0] = (q[0] + p.at(n, y)[1] + p.at(m, y)[0]) / 3;
        }
    return p;
}

// Blends that would touch a row or column the picture lacks are skipped.
Plain seamlessModel(Plain p)
{
    const double d = 255;
    auto blend = [&](int tx, int ty, int sx, int sy, double w) {
        if (tx < 0 || ty < 0 || sx < 0 || sy < 0 || tx >= p.w || sx >= p.w || ty >= p.h || sy >= p.h) return;
        for (int c = 0; c < 3; ++c)
            p.at(tx, ty)[c] = int(std::nearbyint((1 - w) * p.at(tx, ty)[c] + w * p.at(sx, sy)[c]));
    };
    for (int r = 0; r <= 255; ++r) {
        const int b = p.h - 1 - r;
        if (p.w - 1 - r >= r)
            for (int c = r; c <= p.w - 1 - r; ++c) blend(c, b, c, r, 1 - r / d);
        for (int c = 0; c <= r; ++c) {
            blend(p.w - 1 - c, r, c, r, 1 - c / d);
            blend(p.w - 1 - c, b, c, b, 1 - c / d);
        }
    }
    if (p.h - 1 - 510 >= 0)
        for (int y = 255; y <= p.h - 1 - 255; ++y)
            for (int c = 0; c <= 255; ++c) blend(p.w - 1 - c, y, c, y, 1 - c / d);
    return p;
}

// Each pixel against the unchanged picture's pixel (x + dx, y + dy).
Plain shadowModel(Plain p, int dx, int dy)
{
    const Plain before = p;
    for (int y = 0; y < p.h; ++y)
        for (int x = 0; x < p.w; ++x) {
            if (x + dx < 0 || x + dx >= p.w || y + dy < 0 || y + dy >= p.h) continue;
            const auto n = before.px[std::size_t((y + dy) * p.w + x + dx)];
            if (n[0] < before.px[std::size_t(y * p.w + x)][0])
                for (int c = 0; c < 3; ++c) p.at(x, y)[c] = (n[c] + 1) % 256;
        }
    return p;
}

struct ModelCase {
    const char* name;
    void (*routine)(Bitmap&);
    std::function<Plain(Plain)> model;
    int width, height;
};

TEST(ValueEffects, MatchPlainModelsOnNoisyPictures)
{
    const ModelCase cases[] = {
        {"blur", blur, blurModel, 23, 17},
        {"sharpen", sharpen, sharpenModel, 23, 17},
        {"flaxen", flaxen, flaxenModel, 23, 17},
        {"flaxen two wide", flaxen, flaxenModel, 2, 3},
        {"seamless", seamless, seamlessModel, 300, 520},
        {"seamless small", seamless, seamlessModel, 40, 30},
        {"shadow down left", shadowDownLeft, [](Plain p) { return shadowModel(p, 4, -4); }, 19, 13},
        {"shadow down right", shadowDownRight, [](Plain p) { return shadowModel(p, -4, -4); }, 19, 13},
        {"shadow up left", shadowUpLeft, [](Plain p) { return shadowModel(p, 4, 4); }, 19, 13},
        {"shadow up right", shadowUpRight, [](Plain p) { return shadowModel(p, -4, 4); }, 19, 13},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap picture = noisy(c.width, c.height, 7);
        const Bitmap expected = c.model(Plain(picture)).bitmap();
        c.routine(picture);
        EXPECT_TRUE(sameBitmap(expected, picture));
    }
}

// Sizes that cut rows into several column chunks and bands with a short last
// one, leave vector tails of every length, and (from a million pixels) share
// the work between two threads.
TEST(ValueEffects, MatchPlainModelsAcrossChunksBandsAndThreads)
{
    const ModelCase cases[] = {
        {"blur chunks", blur, blurModel, 389, 11},
        {"blur two chunks and a pixel", blur, blurModel, 131, 7},
        {"blur bands and a short last band", blur, blurModel, 517, 23},
        {"flaxen two threads", flaxen, flaxenModel, 1030, 1021},
        {"flaxen two threads, short last group and tile", flaxen, flaxenModel, 2063, 530},
        {"shadow up left two threads", shadowUpLeft, [](Plain p) { return shadowModel(p, 4, 4); }, 1030, 1021},
        {"shadow down right two threads", shadowDownRight, [](Plain p) { return shadowModel(p, -4, -4); }, 1031, 1020},
    };
    for (const ModelCase& c : cases) {
        SCOPED_TRACE(c.name);
        Bitmap picture = noisy(c.width, c.height, 11);
        const Bitmap expected = c.model(Plain(picture)).bitmap();
        c.routine(picture);
        EXPECT_TRUE(sameBitmap(expected, picture));
    }
    for (int width = 5; width <= 16; ++width) {
        SCOPED_TRACE(width);
        Bitmap picture = noisy(width, 9, unsigned(width));
        const Bitmap expected = shadowModel(Plain(picture), -4, 4).bitmap();
        shadowUpRight(picture);
        EXPECT_TRUE(sameBitmap(expected, picture));
    }
    // Blur's rows go two to a vector in bands of eight, behind one another
    // by whole chunks: bands and chunks of every fill, pairs with one row,
    // with each instruction set the processor has.
    for (const int width : {3, 4, 5, 64, 65, 66, 130, 1100})
        for (int height = 3; height <= 37; height += height < 20 ? 1 : 17) {
            Bitmap picture = noisy(width, height, unsigned(width * 64 + height));
            const Bitmap expected = blurModel(Plain(picture)).bitmap();
            for (const BlurSimd level : {BlurSimd::Plain, BlurSimd::Avx}) {
                SCOPED_TRACE("blur " + std::to_string(width) + " x " + std::to_string(height) + " level "
                             + std::to_string(int(level)));
                Bitmap blurred = picture;
                blurUsing(blurred, level);
                ASSERT_TRUE(sameBitmap(expected, blurred));
            }
        }
    // Flaxen's lanes: every sum of three channels divides exactly, and groups
    // of sixteen rows and tiles of sixteen pixels end at every place.
    for (unsigned sum = 0; sum < 32768; ++sum) ASSERT_EQ(sum / 3, sum * flaxen_detail::kThird >> 16) << sum;
    std::vector<int> widths = {31, 32, 33, 47, 48, 49, 63, 64, 65, 100};
    for (int width = 1; width <= 20; ++width) widths.push_back(width);
    for (const int width : widths)
        for (const int height : {1, 2, 15, 16, 17, 31, 32, 33}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            Bitmap picture = noisy(width, height, unsigned(width * 64 + height));
            const Bitmap expected = flaxenModel(Plain(picture)).bitmap();
            flaxen(picture);
            ASSERT_TRUE(sameBitmap(expected, picture));
        }
}

TEST(ValueEffects, HandCheckedPixels)
{
    Bitmap exposed = bitmapFrom(4, 1, {rgb(50, 200, 100), clWhite, clBlack, g(127)});
    exposure(exposed);
    EXPECT_TRUE(sameBitmap(bitmapFrom(4, 1, {rgb(205, 200, 155), clWhite, clWhite, g(128)}), exposed));

    // Top row: 17 - 20 = -3 halves to -1 (not -2); then 30 against the new 16.
    // Second row against the sharpened row above, one column to the left.
    Bitmap sharp = bitmapFrom(3, 2, {g(20), g(17), g(30), g(10), g(40), g(0)});
    sharpen(sharp);
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 2, {g(20), g(16), g(37), g(5), g(50), g(0)}), sharp));

    Bitmap dithered = uniform(5, 2, g(90));
    dither(dithered);
    const Colour o = g(90), k = clBlack;
    EXPECT_TRUE(sameBitmap(bitmapFrom(5, 2, {o, k, o, k, o, o, k, o, k, o}), dithered));

    // Bottom row inverts green; the row above takes the curve of the inverse.
    Bitmap night = bitmapFrom(2, 2, {rgb(9, 100, 7), rgb(1, 0, 2), rgb(3, 100, 4), rgb(5, 255, 6)});
    nightVision(night);
    ASSERT_EQ(pf32bit, night.pixelFormat());
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 2, {rgb(35, 94, 35), rgb(252, 254, 252), rgb(94, 155, 94), clBlack}), night));
    EXPECT_EQ(255, night.scanLine(0)[3]);
}

TEST(ValueEffects, ButtonizeBandsOnUniformGrey)
{
    Bitmap button = uniform(40, 40, g(100));
    buttonize(button);
    // Lightened once 145, darkened once 71; corners and the diagonal of the
    // top-left square are treated twice.
    const struct { int x, y, v; } pixels[] = {
        {20, 20, 100}, {20, 0, 145}, {20, 15, 145}, {20, 16, 100}, {20, 39, 71}, {0, 20, 145}, {39, 20, 71},
        {15, 20, 145}, {16, 20, 100}, {0, 0, 177}, {39, 0, 103}, {0, 39, 125}, {39, 39, 51}, {5, 5, 177},
        {3, 10, 145}};
    for (const auto& p : pixels) EXPECT_EQ(g(p.v), readPixel(button, p.x, p.y)) << p.x << ", " << p.y;
}

TEST(ValueEffects, CircleButtonLightensUpperLeftAndDarkensLowerRight)
{
    Bitmap button = uniform(100, 100, g(100));
    circleButton(button);
    // The outer ring at full amount 244 on the unsmoothed border; the centre is past the rings.
    EXPECT_EQ(g(248), readPixel(button, 50, 0));
    EXPECT_EQ(g(248), readPixel(button, 0, 50));
    EXPECT_EQ(g(5), readPixel(button, 50, 99));
    EXPECT_EQ(g(5), readPixel(button, 99, 50));
    EXPECT_EQ(g(100), readPixel(button, 50, 50));
    // Upper-left rings lighter than lower-right ones, on average over a block each.
    const auto mean = [&](int left, int top) {
        int sum = 0;
        for (int y = top; y < top + 10; ++y)
            for (int x = left; x < left + 10; ++x) sum += greenOf(readPixel(button, x, y));
        return sum / 100;
    };
    EXPECT_GT(mean(15, 15), 100);
    EXPECT_LT(mean(75, 75), 100);
}

TEST(ValueEffects, CircleMaskKeepsTheInscribedEllipse)
{
    for (int w = 1; w <= 25; ++w)
        for (int h = 1; h <= 25; ++h) {
            Bitmap masked = uniform(w, h, clWhite);
            circleMask(masked);
            // Inside when the pixel's centre is within the ellipse, in doubled offsets.
            const auto inside = [&](int x, int y) {
                const long dx = 2 * x + 1 - w, dy = 2 * y + 1 - h;
                return dx * dx * h * h + dy * dy * w * w <= long(w) * w * h * h;
            };
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    ASSERT_EQ(inside(x, y) ? clWhite : clBlack, readPixel(masked, x, y)) << w << "x" << h << " at " << x << ", " << y;
            if (w == h && w >= 4) {
                EXPECT_EQ(clBlack, readPixel(masked, 0, 0));
                EXPECT_EQ(clBlack, readPixel(masked, w - 1, h - 1));
                EXPECT_EQ(clWhite, readPixel(masked, w / 2, 0));
            }
        }
}

TEST(ValueEffects, EllipseOutlineIsTheInsidePixelsWithAnOutsideNeighbour)
{
    for (int w = 1; w <= 21; ++w)
        for (int h = 1; h <= 21; ++h) {
            const InscribedEllipse e(2, 1, 2 + w, 1 + h);
            const auto in = [&](int x, int y) {
                const Span s = e.row(y);
                return x >= s.first && x <= s.last;
            };
            for (int y = 0; y < h + 3; ++y) {
                Span spans[2];
                const int count = e.outline(y, spans);
                for (int x = 0; x < w + 4; ++x) {
                    const bool edge = in(x, y) && !(in(x - 1, y) && in(x + 1, y) && in(x, y - 1) && in(x, y + 1));
                    bool drawn = false;
                    for (int s = 0; s < count; ++s) drawn |= x >= spans[s].first && x <= spans[s].last;
                    ASSERT_EQ(edge, drawn) << w << "x" << h << " at " << x << ", " << y;
                }
            }
        }
}

TEST(ValueEffects, SeamlessMatchesFirstAndLastRowsAndColumns)
{
    Bitmap picture = noisy(300, 300, 3);
    seamless(picture);
    for (int i = 0; i < 300; ++i) {
        ASSERT_EQ(readPixel(picture, i, 0), readPixel(picture, i, 299)) << "column " << i;
        ASSERT_EQ(readPixel(picture, 0, i), readPixel(picture, 299, i)) << "row " << i;
    }
}

// The original notifies its holder, which "recomputes" the shown picture as a copy.
TEST(ValueEffects, ShadowAssignsSoTheShownPictureCarriesItTwiceUntilRecomputed)
{
    Bitmap original = uniform(24, 24, clWhite), shown;
    writePixel(original, 10, 10, clBlack);
    int notified = 0;
    original.setChangeHandler([&] {
        ++notified;
        shown = original;
    });
    shadowDownRight(original);
    EXPECT_EQ(1, notified);
    shadowDownRight(shown);
    EXPECT_EQ(g(1), readPixel(original, 14, 14));
    EXPECT_EQ(clWhite, readPixel(original, 18, 18));
    EXPECT_EQ(g(1), readPixel(shown, 14, 14));
    EXPECT_EQ(g(2), readPixel(shown, 18, 18));
    EXPECT_EQ(clBlack, readPixel(shown, 10, 10));
    original.changed();
    EXPECT_TRUE(sameBitmap(original, shown));
}

} // namespace
} // namespace kel
