#include "operations/special/displacements.h"

#include "operations/special/moving_models.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <cmath>

namespace kel {
namespace {

using test::Grid;
using test::patterned;
using test::sameBitmap;
using test::uniform;

Bitmap marbleModel(const Bitmap& picture)
{
    Grid g(picture);
    for (int y = 0; y < g.height; ++y) {
        const double ry = 3.0 * std::cos(double(y % 14) / 3.0);
        for (int x = 0; x < g.width; ++x) {
            const double rx = -3.0 * std::sin(double(x % 14) / 3.0);
            const int tx = int(std::nearbyint(std::fabs(x + rx - ry)));
            const int ty = int(std::nearbyint(std::fabs(y + ry - rx)));
            if (g.inside(tx, ty)) g.at(tx, ty) = g.at(x, y);
        }
    }
    return g.toBitmap();
}

Bitmap plasmaModel(const Bitmap& picture)
{
    Grid g(picture);
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            const int b = blueOf(g.at(x, y));
            const int sx = x + int(std::nearbyint(-5.0 * std::sin(b / 10.0)));
            const int sy = y + int(std::nearbyint(5.0 * std::cos(b / 10.0)));
            if (g.inside(sx, sy)) g.at(x, y) = g.at(sx, sy);
        }
    return g.toBitmap();
}

// The swirl step by step in single precision, on a grid.
Bitmap twistModel(const Bitmap& picture)
{
    Grid g(picture);
    const int W = g.width, H = g.height;
    const float pi = float(M_PI);
    const float cx = (W - 1) / 2.0f, cy = (H - 1) / 2.0f;
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const float dx = x - cx, dy = y - cy;
            const float r = std::sqrt(dx * dx + dy * dy);
            float fx = 0, fy = 0;
            if (r != 0) {
                float theta = dx == 0 ? (dy > 0 ? pi / 2 : -pi / 2) : std::atan(dy / dx) + (dx < 0 ? pi : 0.0f);
                const float phi = theta - r / 255.0f + pi / 2;
                fx = r * std::cos(phi);
                fy = r * std::sin(phi);
            }
            fx += cx;
            fy += cy;
            int ix = int(std::trunc(fx)), iy = int(std::trunc(fy));
            const float wx[2] = {fx >= 0 ? 1 - (fx - ix) : -(fx - ix), fx >= 0 ? fx - ix : 1 + (fx - ix)};
            const float wy[2] = {fy >= 0 ? 1 - (fy - iy) : -(fy - iy), fy >= 0 ? fy - iy : 1 + (fy - iy)};
            if (ix < 0) ix = W - 1 - (-ix) % W;
            if (ix > W - 1) ix %= W;
            if (iy < 0) iy = H - 1 - (-iy) % H;
            if (iy > H - 1) iy %= H;
            float sums[3] = {0, 0, 0};
            for (int j = 0; j < 2; ++j)
                for (int i = 0; i < 2; ++i) {
                    const int row = iy + j < H ? iy + j : H - iy - j;
                    const int column = ix + i < W ? ix + i : W - ix - i;
                    const Colour tap = g.at(column, row);
                    const float w = wx[i] * wy[j];
                    sums[0] += float(redOf(tap)) * w;
                    sums[1] += float(greenOf(tap)) * w;
                    sums[2] += float(blueOf(tap)) * w;
                }
            g.at(x, y) = rgb(int(std::nearbyint(sums[0])), int(std::nearbyint(sums[1])), int(std::nearbyint(sums[2])));
        }
    return g.toBitmap();
}

struct Size {
    int width, height;
};

class DisplacementSizes : public testing::TestWithParam<Size> {};

TEST_P(DisplacementSizes, MatchTheirModels)
{
    const auto [width, height] = GetParam();
    const Bitmap picture = patterned(width, height, 11);

    Bitmap marbled(picture);
    marble(marbled);
    EXPECT_TRUE(sameBitmap(marbleModel(picture), marbled)) << "marble";

    Bitmap plasmaed(picture);
    plasma(plasmaed);
    EXPECT_TRUE(sameBitmap(plasmaModel(picture), plasmaed)) << "plasma";

    Bitmap twisted(picture);
    twist(twisted);
    EXPECT_TRUE(sameBitmap(twistModel(picture), twisted)) << "twist";
}

TEST_P(DisplacementSizes, UniformPicturesStayUniform)
{
    const auto [width, height] = GetParam();
    for (Colour colour : {rgb(0, 0, 0), rgb(255, 255, 255), rgb(17, 200, 99), rgb(255, 0, 128)}) {
        const Bitmap picture = uniform(width, height, colour);
        Bitmap plasmaed(picture), twisted(picture);
        plasma(plasmaed);
        twist(twisted);
        EXPECT_TRUE(sameBitmap(picture, plasmaed)) << "plasma";
        EXPECT_TRUE(sameBitmap(picture, twisted)) << "twist";
    }
}

INSTANTIATE_TEST_SUITE_P(Pictures, DisplacementSizes,
                         testing::Values(Size{1, 1}, Size{2, 1}, Size{1, 7}, Size{6, 6}, Size{7, 5}, Size{33, 20},
                                         Size{64, 64}, Size{101, 57}));

TEST(Plasma, BlueZeroCopiesFromFiveRowsBelow)
{
    Bitmap picture = patterned(9, 12);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 9; ++x) picture.setPixel(x, y, picture.pixel(x, y) & 0x00FFFF);
    Bitmap plasmaed(picture);
    plasma(plasmaed);
    for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 9; ++x)
            EXPECT_EQ(plasmaed.pixel(x, y), picture.pixel(x, y + 5 < 12 ? y + 5 : y)) << x << ", " << y;
}

// Marble first tells the owner, before any pixel has moved, so the shown
// picture is recomputed from the untouched original.
TEST(Marble, NotifiesBeforeMoving)
{
    const Bitmap picture = patterned(20, 20);
    Bitmap marbled(picture);
    int notified = 0;
    bool untouched = false;
    marbled.setChangeHandler([&] {
        if (++notified == 1) untouched = sameBitmap(picture, marbled);
    });
    marble(marbled);
    EXPECT_EQ(notified, 1);
    EXPECT_TRUE(untouched);
    EXPECT_FALSE(sameBitmap(picture, marbled));
}

} // namespace
} // namespace kel
