#include "graphics/random.h"
#include "operations/special/displacements.h"
#include "operations/special/float_trig.h"
#include "operations/special/moving_models.h"
#include "operations/special/ripples.h"
#include "operations/special/spray.h"
#include "operations/special/turns.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <tuple>

namespace kel {
namespace {

using test::Grid;
using test::patterned;
using test::sameBitmap;

// Column by column, bottom up: pixel (x, y) lands shift(x) rows lower.
Bitmap rippleModel(const Bitmap& picture, int amplitude, const std::function<int(int depth, int x)>& shift)
{
    Grid g(picture);
    const int depth = std::min(g.height / 2, amplitude);
    for (int x = 0; x < g.width; ++x)
        for (int y = g.height - depth - 1; y >= 0; --y) g.at(x, y + shift(depth, x)) = g.at(x, y);
    return g.toBitmap();
}

TEST(Ripples, ColumnsSlideByTheirWave)
{
    for (auto [w, h] : {std::pair{9, 6}, {1, 1}, {7, 1}, {5, 2}, {6, 3}, {3, 9}, {41, 23}}) {
        SCOPED_TRACE(testing::Message() << w << " x " << h);
        const Bitmap picture = patterned(w, h, 5);
        Bitmap tooth(picture), triangle(picture), random(picture);
        rippleTooth(tooth);
        rippleTriangle(triangle);
        rippleRandom(random);
        EXPECT_TRUE(sameBitmap(rippleModel(picture, 4, [](int d, int x) { return x % (d + 1); }), tooth));
        EXPECT_TRUE(sameBitmap(rippleModel(picture, 10, [](int d, int x) { return d ? std::min(x % (2 * d), 2 * d - x % (2 * d)) : 0; }),
                               triangle));
        if (h == 1) {
            EXPECT_TRUE(sameBitmap(picture, random)) << "nothing moves on one row";
        }
    }
}

TEST(Turn, LandscapeBecomesPortraitAndTurnsBack)
{
    const Bitmap picture = patterned(640, 480);
    Bitmap turned(picture);
    int notified = 0;
    turned.setChangeHandler([&] { ++notified; });
    turn(turned);
    ASSERT_EQ(turned.width(), 480);
    ASSERT_EQ(turned.height(), 640);
    EXPECT_EQ(notified, 1);
    for (auto [x, y] : {std::pair{0, 0}, {639, 0}, {639, 479}, {17, 300}})
        EXPECT_EQ(turned.pixel(y, 639 - x), picture.pixel(x, y)) << x << ", " << y;
    turnRight(turned);
    EXPECT_EQ(notified, 2);
    ASSERT_EQ(turned.width(), 640);
    for (int y = 0; y < 480; ++y)
        ASSERT_EQ(0, std::memcmp(turned.scanLine(y), picture.scanLine(y), std::size_t(picture.bytesPerLine()))) << y;
}

TEST(Displacements, MarbleAndPlasmaMatchTheirModels)
{
    for (auto [w, h] : {std::pair{1, 1}, {7, 5}, {33, 20}, {101, 57}}) {
        const Bitmap picture = patterned(w, h, 11);
        Grid marbled(picture), plasmaed(picture);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const double rx = -3.0 * std::sin((x % 14) / 3.0), ry = 3.0 * std::cos((y % 14) / 3.0);
                const int tx = int(std::nearbyint(std::fabs(x + rx - ry))), ty = int(std::nearbyint(std::fabs(y + ry - rx)));
                if (marbled.inside(tx, ty)) marbled.at(tx, ty) = marbled.at(x, y);
                const int b = blueOf(plasmaed.at(x, y));
                const int sx = x + int(std::nearbyint(-5.0 * std::sin(b / 10.0)));
                const int sy = y + int(std::nearbyint(5.0 * std::cos(b / 10.0)));
                if (plasmaed.inside(sx, sy)) plasmaed.at(x, y) = plasmaed.at(sx, sy);
            }
        Bitmap marbleResult(picture), plasmaResult(picture);
        int notified = 0;
        marbleResult.setChangeHandler([&] { notified += sameBitmap(picture, marbleResult) ? 1 : 100; });
        marble(marbleResult);
        plasma(plasmaResult);
        EXPECT_EQ(notified, 1) << "marble notifies once, before moving anything";
        EXPECT_TRUE(sameBitmap(marbled.toBitmap(), marbleResult));
        EXPECT_TRUE(sameBitmap(plasmaed.toBitmap(), plasmaResult));
    }
}

TEST(Displacements, PlasmaOnBlueZeroCopiesFromFiveRowsBelow)
{
    Bitmap picture = patterned(9, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 9; ++x) picture.setPixel(x, y, picture.pixel(x, y) & 0x00FFFF);
    Bitmap result(picture);
    plasma(result);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 9; ++x) EXPECT_EQ(result.pixel(x, y), picture.pixel(x, y < 7 ? y + 5 : y)) << x << ", " << y;
}

TEST(Displacements, UniformPicturesStayUniform)
{
    for (auto [w, h] : {std::pair{1, 1}, {2, 1}, {1, 7}, {6, 6}, {64, 64}, {101, 57}})
        for (Colour colour : {rgb(0, 0, 0), rgb(255, 255, 255), rgb(17, 200, 99)}) {
            Bitmap picture(w, h, pf24bit);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) picture.setPixel(x, y, colour);
            Bitmap plasmaed(picture), twisted(picture);
            plasma(plasmaed);
            twist(twisted);
            EXPECT_TRUE(sameBitmap(picture, plasmaed)) << w << " x " << h;
            EXPECT_TRUE(sameBitmap(picture, twisted)) << w << " x " << h;
        }
}

// The swirl written out step by step in single precision, taps on a grid.
Bitmap twistModel(const Bitmap& picture)
{
    Grid g(picture);
    const int W = g.width, H = g.height;
    const float pi = float(M_PI), cx = (W - 1) / 2.0f, cy = (H - 1) / 2.0f;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const float dx = x - cx, dy = y - cy, r = std::sqrt(dx * dx + dy * dy);
            float f[2] = {cx, cy};
            if (r != 0) {
                const float theta = dx == 0 ? (dy > 0 ? pi / 2 : -pi / 2) : float_trig::atan(dy / dx) + (dx < 0 ? pi : 0.0f);
                const float phi = theta - r / 255.0f + pi / 2;
                f[0] = r * float_trig::cos(phi) + cx;
                f[1] = r * float_trig::sin(phi) + cy;
            }
            int i[2], size[2] = {W, H};
            float w[2][2];
            for (int k = 0; k < 2; ++k) {
                i[k] = int(std::trunc(f[k]));
                const float part = f[k] - i[k];
                w[k][0] = f[k] >= 0 ? 1 - part : -part;
                w[k][1] = f[k] >= 0 ? part : 1 + part;
                if (i[k] < 0) i[k] = size[k] - 1 - (-i[k]) % size[k];
                if (i[k] >= size[k]) i[k] %= size[k];
            }
            float sums[3] = {0, 0, 0};
            for (int j = 0; j < 2; ++j)
                for (int k = 0; k < 2; ++k) {
                    const Colour tap = g.at(i[0] + k < W ? i[0] + k : W - i[0] - k, i[1] + j < H ? i[1] + j : H - i[1] - j);
                    for (int c = 0; c < 3; ++c) sums[c] += float((tap >> (8 * c)) & 0xFF) * (w[0][k] * w[1][j]);
                }
            g.at(x, y) = rgb(int(std::nearbyint(sums[0])), int(std::nearbyint(sums[1])), int(std::nearbyint(sums[2])));
        }
    return g.toBitmap();
}

TEST(Displacements, TwistMatchesItsModel)
{
    for (auto [w, h] : {std::pair{1, 1}, {2, 1}, {6, 5}, {40, 23}, {64, 90}}) {
        const Bitmap picture = patterned(w, h, 13);
        Bitmap twisted(picture);
        twist(twisted);
        EXPECT_TRUE(sameBitmap(twistModel(picture), twisted)) << w << " x " << h;
    }
}

TEST(Spray, ThreeDrawsPerPixelColumnsFirst)
{
    // The last two are large enough for two threads, with a short last band in the second.
    for (auto [seed, w, h] : {std::tuple{0u, 6, 6}, {2026u, 6, 6}, {0xDEADBEEFu, 6, 6}, {7u, 53, 41}, {9u, 17, 3},
                              {11u, 1104, 960}, {12u, 1027, 1024}}) {
        const Bitmap picture = patterned(w, h, seed);
        Grid g(picture);
        test::ModelRandom random{seed};
        for (int x = 0; x < w; ++x)
            for (int y = 0; y < h; ++y) {
                const int b = random.next(6), c = random.next(2 * b), d = random.next(2 * b);
                if (g.inside(x + b - c, y + b - d)) g.at(x, y) = g.at(x + b - c, y + b - d);
            }
        Bitmap sprayed(picture);
        programRandom().setSeed(seed);
        spray(sprayed);
        EXPECT_TRUE(sameBitmap(g.toBitmap(), sprayed)) << seed;
        EXPECT_EQ(programRandom().seed(), random.seed) << seed;
    }
}

TEST(Triangles, FirstRowSamplesMultiplesOf23AndOnePastMultiplesOf22)
{
    const Bitmap picture = patterned(100, 2);
    Bitmap result(picture);
    triangles(result);
    int held = 0;
    for (int x = 0; x < 100; ++x) {
        for (int sample : {0, 1, 23, 45, 46, 67, 69, 89, 92}) held = x == sample ? sample : held;
        EXPECT_EQ(result.pixel(x, 0), picture.pixel(held, 0)) << x;
        EXPECT_EQ(result.pixel(x, 1), picture.pixel(x, 1)) << x << ": row 1 samples every pixel";
    }
}

} // namespace
} // namespace kel
