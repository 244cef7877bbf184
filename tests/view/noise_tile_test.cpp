// Noise layers from the shared generator, and the tile effect with its
// fixed-point resampler.
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "graphics/random.h"
#include "support/bitmap_compare.h"
#include "view/effects/noise.h"
#include "view/effects/tile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace kel {
namespace {

using test::sameBitmap;

Colour g(int v) { return rgb(v, v, v); }

// ---- noise ----

TEST(Noise, MonoNoiseOfOnePressStaysBelowThirteenWithEqualChannels)
{
    programRandom().setSeed(4711);
    const Bitmap layer = monoNoise(64, 32, 25);
    int largest = 0, zeros = 0;
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const Colour c = readPixel(layer, x, y);
            ASSERT_EQ(redOf(c), greenOf(c));
            ASSERT_EQ(redOf(c), blueOf(c));
            largest = std::max(largest, redOf(c));
            zeros += redOf(c) == 0;
        }
    EXPECT_EQ(largest, 12);
    EXPECT_GT(zeros, 64 * 32 / 3); // about half the draws fall below 12
}

TEST(Noise, ColourNoiseDrawsRedThenGreenThenBlue)
{
    programRandom().setSeed(99);
    RandomGenerator replay;
    replay.setSeed(99);
    const Bitmap layer = colourNoise(3, 2, 600);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 3; ++x) {
            const int red = std::clamp(replay.random(600) - 300, 0, 255);
            const int green = std::clamp(replay.random(600) - 300, 0, 255);
            const int blue = std::clamp(replay.random(600) - 300, 0, 255);
            EXPECT_EQ(readPixel(layer, x, y), rgb(red, green, blue)) << x << ", " << y;
        }
    EXPECT_EQ(programRandom().seed(), replay.seed());
}

// Layers filled in lanes and on both cores against a replay of the draws one
// after the other, on sizes that leave partial blocks and split across threads.
TEST(Noise, EveryWayOfFillingEqualsTheDrawsInTurnAndLeavesTheSameSeed)
{
    struct Case {
        int width, height, amplitude;
    };
    const Case cases[] = {{1, 1, 25}, {7, 3, 600}, {257, 5, 25}, {33, 2, 2147483647}, {1031, 1030, 97}};
    std::vector<NoiseLanes> ways = {NoiseLanes::Plain};
    if (bestNoiseLanes() == NoiseLanes::Vector) ways.push_back(NoiseLanes::Vector);
    for (const Case& c : cases)
        for (const bool colour : {true, false})
            for (const NoiseLanes lanes : ways) {
                SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " amplitude " << c.amplitude
                                                << (colour ? " colour" : " mono") << " lanes " << int(lanes));
                const std::uint32_t seed = 0x9E3779B9u * std::uint32_t(c.width + c.height);
                programRandom().setSeed(seed);
                const Bitmap layer = colour ? colourNoise(c.width, c.height, c.amplitude, lanes)
                                            : monoNoise(c.width, c.height, c.amplitude, lanes);
                RandomGenerator replay;
                replay.setSeed(seed);
                auto draw = [&] { return std::clamp(replay.random(c.amplitude) - c.amplitude / 2, 0, 255); };
                int mismatches = 0;
                for (int y = 0; y < c.height; ++y)
                    for (int x = 0; x < c.width; ++x) {
                        const int red = draw(), green = colour ? draw() : red, blue = colour ? draw() : red;
                        mismatches += readPixel(layer, x, y) != rgb(red, green, blue);
                    }
                EXPECT_EQ(mismatches, 0);
                EXPECT_EQ(programRandom().seed(), replay.seed());
            }
}

TEST(Noise, LargeAmplitudesAreStoredAs255)
{
    const Bitmap layer = colourNoise(50, 50, 600);
    int saturated = 0;
    for (int y = 0; y < 50; ++y)
        for (int x = 0; x < 50; ++x) saturated += redOf(readPixel(layer, x, y)) == 255;
    EXPECT_GT(saturated, 50); // Random(600) - 300 is above 255 for 44 values in 600
}

TEST(Noise, ZeroAmplitudeAddsNothing)
{
    Bitmap black(4, 3);
    fillRows(black, 0, 3, clBlack);
    EXPECT_TRUE(sameBitmap(black, monoNoise(4, 3, 0)));
}

// ---- tile ----

TEST(TileLayout, TwoTilesOn640By480AreHalfTheSize)
{
    const TileLayout layout = tileLayout(2, 640, 480);
    EXPECT_EQ(layout.tileWidth, 320);
    EXPECT_EQ(layout.tileHeight, 240);
    EXPECT_EQ(layout.count, 2);
}

TEST(TileLayout, TooManyTilesFallToTenPixelsAndReplaceTheCount)
{
    const TileLayout layout = tileLayout(100, 640, 480);
    EXPECT_EQ(layout.tileWidth, 10);
    EXPECT_EQ(layout.tileHeight, 10);
    EXPECT_EQ(layout.count, 64);
    const TileLayout oneSide = tileLayout(60, 640, 480); // 10 wide, 10 high too: 480 div 60 = 8
    EXPECT_EQ(oneSide.count, 64);
    const TileLayout tall = tileLayout(40, 300, 480); // 10 x 12: the count stays
    EXPECT_EQ(tall.tileWidth, 10);
    EXPECT_EQ(tall.tileHeight, 12);
    EXPECT_EQ(tall.count, 40);
}

TEST(Resample, FractionalStepsTruncateInFixedPoint)
{
    const Bitmap source = test::bitmapFrom(2, 1, {g(0), g(255)});
    Bitmap target(3, 1);
    resampleBilinear(source, target);
    // Step (1 * 32768) div 3 = 10922: 255 * 10922 >> 15 = 84, 255 * 21844 >> 15 = 169.
    EXPECT_TRUE(sameBitmap(test::bitmapFrom(3, 1, {g(0), g(84), g(169)}), target));
}

TEST(Resample, WeightsOfTheFourNeighboursAddUp)
{
    const Bitmap source = test::bitmapFrom(2, 2, {rgb(0, 200, 0), rgb(255, 0, 0), //
                                                  rgb(255, 0, 100), rgb(0, 0, 0)});
    Bitmap target(2, 2);
    resampleBilinear(source, target);
    // Steps of 16384: (1, 0) halves across, (0, 1) halves down, (1, 1) takes a quarter of each.
    EXPECT_TRUE(sameBitmap(test::bitmapFrom(2, 2, {rgb(0, 200, 0), rgb(127, 100, 0), //
                                                   rgb(127, 100, 50), rgb(127, 50, 25)}),
                           target));
}

TEST(Resample, EmptySourceIsRefused)
{
    Bitmap empty, target(3, 3);
    EXPECT_THROW(resampleBilinear(empty, target), RangeError);
}

TEST(Tile, TwoTilesCoverA640By480PictureWithHalfSizeCopies)
{
    Bitmap picture(640, 480);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) writePixel(picture, x, y, rgb(x % 256, y % 256, (x + y) % 256));
    Bitmap piece(320, 240);
    resampleBilinear(picture, piece);
    tile(picture, 320, 240);
    const std::pair<int, int> points[] = {{0, 0}, {319, 239}, {320, 0}, {639, 0}, {0, 240}, {639, 479}, {123, 456}};
    for (const auto& [x, y] : points)
        EXPECT_EQ(readPixel(picture, x, y), readPixel(piece, x % 320, y % 240)) << x << ", " << y;
}

TEST(Tile, TilesCrossingTheEdgesAreCutOff)
{
    Bitmap picture = test::bitmapFrom(3, 1, {g(0), g(90), g(180)});
    tile(picture, 2, 1);
    // The 2 x 1 tile steps by (2 * 32768) div 2, a whole pixel: it is (0, 90),
    // drawn at column 0 and again at column 2, where only its first pixel fits.
    EXPECT_TRUE(sameBitmap(test::bitmapFrom(3, 1, {g(0), g(90), g(0)}), picture));
}

} // namespace
} // namespace kel
