// Blend and flood fill of the operation pages.
#include "graphics/errors.h"
#include "operations/blend.h"
#include "operations/flood_fill.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace kel;
using kel::test::colourText;
using kel::test::sameBitmap;

namespace {

Bitmap filled(int width, int height, Colour c)
{
    Bitmap b(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.setPixel(x, y, c);
    return b;
}

} // namespace

TEST(Blend, WeightsTheTwoPicturesPerChannel)
{
    struct Case {
        int a, b, position, expected;
    };
    const Case cases[] = {
        {100, 201, 5, 150}, // (500 + 1005) div 10
        {0, 255, 10, 170},
        {37, 200, 0, 37},   // position 0: the first picture
        {255, 255, 10, 255},
        {1, 0, 5, 0},
    };
    for (const Case& c : cases) {
        const Bitmap result = BlendBitmaps(filled(100, 80, rgb(c.a, 0, c.b)), 5, filled(100, 80, rgb(c.b, c.a, c.b)), c.position);
        EXPECT_EQ(result.pixelFormat(), pf24bit);
        EXPECT_EQ(result.pixel(99, 79), rgb(c.expected, c.a * c.position / (5 + c.position), c.b))
            << c.a << " and " << c.b << " at " << c.position;
    }
}

TEST(Blend, EveryPairOfValuesMatchesPlainDivisionForAnyWeights)
{
    // Column a, row b: every pair of channel values once.
    Bitmap first(256, 256, pf24bit), second(256, 256, pf24bit);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) {
            first.setPixel(x, y, rgb(x, 255 - x, y));
            second.setPixel(x, y, rgb(y, x, 255 - y));
        }
    const std::pair<int, int> weights[] = {{5, 0}, {5, 1}, {5, 3}, {5, 7}, {5, 10}, {1, 1}, {0, 9}, {1, 0}, {16, 0}, {9, 8}, {3, 13},
                                           {3000, 1000}, {4103, 0}, {4000, 103}, {5000, 7}, {1 << 30, 1 << 30}};
    for (const auto& [w1, w2] : weights) {
        Bitmap expected(256, 256, pf24bit);
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                const Colour a = first.pixel(x, y), b = second.pixel(x, y);
                auto mean = [&](int va, int vb) {
                    const std::int64_t n = std::int64_t(va) * w1 + std::int64_t(vb) * w2;
                    return int(n / (std::int64_t(w1) + w2));
                };
                expected.setPixel(x, y, rgb(mean(redOf(a), redOf(b)), mean(greenOf(a), greenOf(b)), mean(blueOf(a), blueOf(b))));
            }
        EXPECT_TRUE(sameBitmap(expected, BlendBitmaps(first, w1, second, w2))) << w1 << ", " << w2;
    }
}

TEST(Blend, RefusesMismatchedSizesAndBadWeights)
{
    const Bitmap a = filled(100, 80, clRed);
    try {
        BlendBitmaps(a, 5, filled(100, 81, clRed), 5);
        ADD_FAILURE() << "no error for 100 x 81";
    } catch (const InvalidOperation& e) {
        EXPECT_EQ(e.text(), QStringLiteral("Les 2 images n' ont pas les mêmes dimensions !           "));
    }
    EXPECT_THROW(BlendBitmaps(a, 5, filled(101, 80, clRed), 5), InvalidOperation);
    EXPECT_THROW(BlendBitmaps(a, 0, a, 0), RangeError);
    EXPECT_THROW(BlendBitmaps(a, 5, a, -1), RangeError);
    // Other formats are read as 24 bits.
    Bitmap device(100, 80, pfDevice);
    EXPECT_EQ(BlendBitmaps(a, 5, device, 5).pixel(3, 3), rgb(255, 127, 127));
}

// ---- Flood fill ----------------------------------------------------------

namespace {

// Hue in degrees of a colour, by the usual hexcone formula.
double modelHue(double r, double g, double b)
{
    const double max = std::max({r, g, b}), min = std::min({r, g, b}), d = max - min;
    if (d == 0) return 0;
    double h;
    if (max == b) h = 4 + (r - g) / d;
    else if (max == g) h = 2 + (b - r) / d;
    else h = std::fmod((g - b) / d + 6, 6);
    return h * 60;
}

// The pixel with the fill colour's hue, keeping its own saturation and lightness.
Colour modelRecolour(Colour pixel, Colour fill)
{
    const double r = redOf(pixel) / 255.0, g = greenOf(pixel) / 255.0, b = blueOf(pixel) / 255.0;
    const double max = std::max({r, g, b}), min = std::min({r, g, b});
    const double l = (max + min) / 2;
    const double s = max == min ? 0 : (max - min) / (1 - std::abs(max + min - 1));
    const double h = modelHue(redOf(fill) / 255.0, greenOf(fill) / 255.0, blueOf(fill) / 255.0);
    const double chroma = (1 - std::abs(2 * l - 1)) * s;
    const double x = chroma * (1 - std::abs(std::fmod(h / 60, 2) - 1));
    const double m = l - chroma / 2;
    double out[3];
    const int sector = int(h / 60) % 6;
    const double table[6][3] = {{chroma, x, 0}, {x, chroma, 0}, {0, chroma, x},
                                {0, x, chroma}, {x, 0, chroma}, {chroma, 0, x}};
    for (int k = 0; k < 3; ++k) out[k] = table[sector][k] + m;
    return rgb(int(std::lround(out[0] * 255)), int(std::lround(out[1] * 255)), int(std::lround(out[2] * 255)));
}

// The region a fill reaches: pixels 4-connected to the seed whose channels all
// lie within 150 x percent / 100 of the seed's, found depth first; empty when
// no neighbour of the seed qualifies.
std::vector<bool> modelRegion(const Bitmap& b, int sx, int sy, int percent)
{
    const int w = b.width(), h = b.height();
    const Colour seed = b.pixel(sx, sy);
    auto close = [&](int x, int y) {
        const Colour c = b.pixel(x, y);
        return std::abs(redOf(c) - redOf(seed)) * 100 <= 150 * percent
               && std::abs(greenOf(c) - greenOf(seed)) * 100 <= 150 * percent
               && std::abs(blueOf(c) - blueOf(seed)) * 100 <= 150 * percent;
    };
    std::vector<bool> in(std::size_t(w * h), false);
    bool neighbour = false;
    for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}})
        if (b.contains(sx + dx, sy + dy) && close(sx + dx, sy + dy)) neighbour = true;
    if (!neighbour) return in;
    std::vector<std::pair<int, int>> stack{{sx, sy}};
    in[std::size_t(sy * w + sx)] = true;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        for (auto [dx, dy] : {std::pair{0, -1}, {0, 1}, {-1, 0}, {1, 0}}) {
            const int nx = x + dx, ny = y + dy;
            if (!b.contains(nx, ny) || in[std::size_t(ny * w + nx)] || !close(nx, ny)) continue;
            in[std::size_t(ny * w + nx)] = true;
            stack.emplace_back(nx, ny);
        }
    }
    return in;
}

} // namespace

TEST(FloodFill, TakesTheHueOfTheFillColour)
{
    struct Case {
        Colour region, fill, expected;
    };
    const Case cases[] = {
        {clBlue, clRed, clRed},
        {clBlue, clLime, clLime},
        {rgb(200, 100, 50), clBlue, rgb(50, 50, 200)},
        {rgb(128, 128, 128), clRed, rgb(128, 128, 128)}, // grey, white and black keep their colour
        {rgb(128, 128, 128), clBlue, rgb(128, 128, 128)},
        {clWhite, rgb(10, 200, 30), clWhite},
        {clBlack, clBlue, clBlack},
        {clBlue, rgb(90, 90, 90), clRed},                 // a grey fill has hue 0: red
        {rgb(0, 0, 100), clBlack, rgb(100, 0, 0)},
    };
    for (const Case& c : cases) {
        Bitmap b = filled(6, 4, c.region);
        fillRegion(b, 2, 1, 50, c.fill);
        EXPECT_TRUE(sameBitmap(filled(6, 4, c.expected), b))
            << colourText(c.region) << " filled with " << colourText(c.fill);
    }
}

TEST(FloodFill, ToleranceDecidesWhichRegionsJoin)
{
    // Left half (20, 60, 240), right half the same but one channel `step` away; the seed on the left.
    struct Case {
        int step, percent;
        bool joined;
    };
    const Case cases[] = {
        {60, 50, true}, {60, 30, false}, // two regions together at 50 %, apart at 30 %
        {123, 82, false},                // 150 x 0.82 is just below 123 in double
        {123, 83, true},  {122, 82, true}, {75, 50, true}, {76, 50, false},
        {1, 0, false},    {150, 100, true}, {0, 0, true},  {21, 14, true}, {22, 14, false},
    };
    const Colour left = rgb(20, 60, 240);
    for (int channel = 0; channel < 3; ++channel)
        for (const Case& c : cases) {
            const Colour right = channel == 0   ? rgb(20 + c.step, 60, 240)
                                 : channel == 1 ? rgb(20, 60 + c.step, 240)
                                                : rgb(20, 60, 240 - c.step);
            Bitmap b = filled(8, 3, left);
            for (int y = 0; y < 3; ++y)
                for (int x = 4; x < 8; ++x) b.setPixel(x, y, right);
            fillRegion(b, 1, 1, c.percent, clRed);
            SCOPED_TRACE(testing::Message() << "channel " << channel << ", step " << c.step << " at " << c.percent);
            EXPECT_EQ(b.pixel(0, 0), fillHueColour(left, clRed));
            EXPECT_EQ(b.pixel(7, 2), c.joined ? fillHueColour(right, clRed) : right);
            EXPECT_NE(fillHueColour(right, clRed), right);
        }
}

TEST(FloodFill, IsolatedSeedAndSeedsOutsideChangeNothing)
{
    Bitmap b = filled(5, 5, rgb(255, 255, 0));
    b.setPixel(2, 2, clBlue);
    b.setPixel(4, 4, clBlue); // diagonal contact does not connect
    b.setPixel(3, 3, clBlue);
    const Bitmap before(b);
    for (auto [x, y] : {std::pair{2, 2}, {-1, 0}, {5, 0}, {0, 5}, {0, -1}}) {
        fillRegion(b, x, y, 50, clLime);
        EXPECT_TRUE(sameBitmap(before, b)) << "seed (" << x << ", " << y << ")";
    }
    Bitmap device(5, 5, pfDevice);
    EXPECT_THROW(fillRegion(device, 1, 1, 50, clRed), RangeError);
}

TEST(FloodFill, MatchesARegionModelOnNoisyPictures)
{
    // A few near colours scattered over the picture, so tolerance, connectivity
    // and the seed rule all matter; large enough for the queue to be compacted.
    const Colour palette[] = {rgb(30, 90, 200), rgb(60, 120, 170), rgb(200, 40, 40), rgb(100, 100, 100),
                              rgb(35, 95, 205)};
    unsigned state = 12345;
    auto next = [&] { return (state = state * 1103515245u + 12345u) >> 16; };
    struct Case {
        int width, height, percent, seedX, seedY;
        Colour fill;
    };
    const Case cases[] = {{40, 30, 0, 5, 5, clLime},   {40, 30, 5, 20, 10, clRed},
                          {40, 30, 25, 0, 0, clBlue},  {40, 30, 100, 39, 29, rgb(200, 200, 10)},
                          {500, 400, 30, 250, 200, clRed}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.percent);
        Bitmap b(c.width, c.height, pf24bit);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x)
                b.setPixel(x, y, palette[next() % (c.width > 100 ? 2 : 5)]);
        const Bitmap before(b);
        const std::vector<bool> region = modelRegion(before, c.seedX, c.seedY, c.percent);
        fillRegion(b, c.seedX, c.seedY, c.percent, c.fill);
        int changed = 0;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const Colour was = before.pixel(x, y), now = b.pixel(x, y);
                if (!region[std::size_t(y * c.width + x)]) {
                    ASSERT_EQ(now, was) << "outside the region at (" << x << ", " << y << ")";
                    continue;
                }
                ++changed;
                const Colour model = modelRecolour(was, c.fill);
                ASSERT_LE(std::abs(redOf(now) - redOf(model)) + std::abs(greenOf(now) - greenOf(model))
                              + std::abs(blueOf(now) - blueOf(model)),
                          1)
                    << "at (" << x << ", " << y << "): " << colourText(now) << ", model " << colourText(model);
            }
        if (c.width > 100) {
            EXPECT_GT(changed, 50000); // the large case crosses most of the picture
        }
    }
}

TEST(FloodFill, RecoloursEveryPixelOfAUniformPictureSeedIncluded)
{
    // Far more pixels than the queue holds before it drops processed points.
    Bitmap b = filled(700, 500, clBlue);
    fillRegion(b, 350, 0, 0, clRed);
    EXPECT_TRUE(sameBitmap(filled(700, 500, clRed), b));
}
