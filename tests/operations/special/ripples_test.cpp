#include "operations/special/ripples.h"

#include "graphics/random.h"
#include "operations/special/moving_models.h"
#include "support/bitmap_compare.h"

#include <QDateTime>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

namespace kel {
namespace {

using test::Grid;
using test::patterned;
using test::sameBitmap;

// Column by column: the column slides down by shift(x, k), k counting the
// handled rows from the bottom one up; the lowest handled row goes first.
Bitmap rippleModel(const Bitmap& picture, int amplitude, const std::function<int(int x, int k)>& shift)
{
    Grid grid(picture);
    const int depth = std::min(grid.height / 2, amplitude);
    for (int x = 0; x < grid.width; ++x)
        for (int k = 0, y = grid.height - depth - 1; y >= 0; ++k, --y) grid.at(x, y + shift(x, k)) = grid.at(x, y);
    return grid.toBitmap();
}

int toothShift(int depth, int x) { return x % (depth + 1); }

int triangleShift(int depth, int x)
{
    if (depth == 0) return 0;
    const int phase = x % (2 * depth);
    return phase <= depth ? phase : 2 * depth - phase;
}

TEST(RippleTooth, SixRowsShiftColumnsByZeroToThree)
{
    const Bitmap before = patterned(9, 6);
    Bitmap after(before);
    rippleTooth(after);
    // Column 3 moves by 3: rows 0..2 go to 3..5, rows 0..2 keep their pixels.
    for (int y = 0; y < 3; ++y) {
        EXPECT_EQ(after.pixel(3, y + 3), before.pixel(3, y));
        EXPECT_EQ(after.pixel(3, y), before.pixel(3, y));
    }
    // Column 1 moves by 1: every row from 1 to 3 holds the one above; row 0 stays.
    for (int y = 1; y <= 3; ++y) EXPECT_EQ(after.pixel(1, y), before.pixel(1, y - 1));
    EXPECT_EQ(after.pixel(1, 0), before.pixel(1, 0));
    // Columns 0, 4 and 8 do not move.
    for (int x : {0, 4, 8})
        for (int y = 0; y < 6; ++y) EXPECT_EQ(after.pixel(x, y), before.pixel(x, y)) << x << ", " << y;
}

struct RippleSize {
    int width, height;
};

class RippleSizes : public testing::TestWithParam<RippleSize> {};

TEST_P(RippleSizes, ToothAndTriangleFollowTheirWaves)
{
    const auto [width, height] = GetParam();
    const Bitmap picture = patterned(width, height, 5);

    Bitmap tooth(picture);
    rippleTooth(tooth);
    const int toothDepth = std::min(height / 2, kRippleToothAmplitude);
    EXPECT_TRUE(sameBitmap(rippleModel(picture, kRippleToothAmplitude, [&](int x, int) { return toothShift(toothDepth, x); }), tooth));

    Bitmap triangle(picture);
    rippleTriangle(triangle);
    const int triangleDepth = std::min(height / 2, kRippleTriangleAmplitude);
    EXPECT_TRUE(sameBitmap(rippleModel(picture, kRippleTriangleAmplitude, [&](int x, int) { return triangleShift(triangleDepth, x); }),
                           triangle));
}

// Ripple random seeds from the clock: the seed it used is recovered by
// stepping the generator back over the draws it must have made, checked
// against the clock, and replayed through the model.
TEST_P(RippleSizes, RandomDrawsOncePerPixelFromAClockSeed)
{
    const auto [width, height] = GetParam();
    const Bitmap picture = patterned(width, height, 7);
    Bitmap rippled(picture);
    programRandom().setSeed(12345);
    const int before = QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();
    rippleRandom(rippled);
    const int after = QDateTime::currentDateTimeUtc().time().msecsSinceStartOfDay();

    const int depth = std::min(height / 2, kRippleRandomAmplitude);
    const long draws = long(height - depth) * width;
    const std::uint32_t seed = test::seedBefore(programRandom().seed(), draws);
    if (after >= before) { // not across midnight
        EXPECT_GE(seed, std::uint32_t(before));
        EXPECT_LE(seed, std::uint32_t(after));
    }

    test::ModelRandom random{seed};
    std::vector<std::vector<int>> shifts(std::size_t(height - depth), std::vector<int>(std::size_t(width) + 1, 0));
    for (auto& row : shifts)
        for (int x = 1; x <= width; ++x) row[std::size_t(x)] = random.next(depth);
    EXPECT_TRUE(sameBitmap(rippleModel(picture, kRippleRandomAmplitude, [&](int x, int k) { return shifts[std::size_t(k)][std::size_t(x)]; }),
                           rippled));
}

INSTANTIATE_TEST_SUITE_P(Pictures, RippleSizes,
                         testing::Values(RippleSize{1, 1}, RippleSize{7, 1}, RippleSize{5, 2}, RippleSize{6, 3},
                                         RippleSize{9, 6}, RippleSize{3, 9}, RippleSize{41, 23}, RippleSize{30, 40}));

TEST(RippleRandom, OneRowStaysAndDrawsOncePerPixel)
{
    const Bitmap picture = patterned(11, 1);
    Bitmap rippled(picture);
    rippleRandom(rippled);
    EXPECT_TRUE(sameBitmap(picture, rippled));
}

TEST(Ripples, FormatOfOtherPictures)
{
    Bitmap sixteen = patterned(8, 8);
    sixteen.setPixelFormat(pf16bit);
    const Bitmap original(sixteen);

    Bitmap triangle(original);
    rippleTriangle(triangle);
    EXPECT_EQ(triangle.pixelFormat(), pf16bit);
    Bitmap triangleOn24 = Grid(original).toBitmap();
    rippleTriangle(triangleOn24);
    EXPECT_TRUE(sameBitmap(triangleOn24, triangle));

    for (auto routine : {&rippleTooth, &rippleRandom}) {
        Bitmap converted(original);
        routine(converted);
        EXPECT_EQ(converted.pixelFormat(), pf24bit);
    }
}

} // namespace
} // namespace kel
