#include "widgets/gradient.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

TEST(GradientBands, ToolbarFromWhiteToButtonFace)
{
    // 1008 pixels less two one-pixel bevels on each side.
    const auto bands = gradientBands(clWhite, rgb(240, 240, 240), 1004);
    ASSERT_EQ(bands.size(), 15u);
    for (std::size_t h = 0; h < bands.size(); ++h) {
        EXPECT_EQ(bands[h].start, int(h) * 67);
        EXPECT_EQ(bands[h].colour, rgb(255 - int(h), 255 - int(h), 255 - int(h))) << "band " << h;
    }
    EXPECT_EQ(bands[13].length, 67);
    EXPECT_EQ(bands.back().length, 66);
    EXPECT_EQ(bands.back().colour, rgb(241, 241, 241));
}

TEST(GradientBands, CoverTheLengthWithoutGapsOrOverlap)
{
    for (int length : {1, 2, 7, 100, 212, 213, 425, 1004}) {
        const auto bands = gradientBands(rgb(240, 240, 240), clBlack, length);
        int next = 0;
        for (const GradientBand& band : bands) {
            EXPECT_EQ(band.start, next);
            EXPECT_GE(band.length, 1);
            next += band.length;
        }
        EXPECT_EQ(next, length) << "length " << length;
    }
}

TEST(GradientBands, ShortGradientStepsOnePixelAtATime)
{
    // A difference larger than the length: one-pixel bands.
    const auto bands = gradientBands(clBlack, rgb(255, 0, 0), 10);
    ASSERT_EQ(bands.size(), 10u);
    EXPECT_EQ(bands[0].colour, clBlack);
    EXPECT_EQ(bands[9].colour, rgb(229, 0, 0)); // (25500 / 10) * 9 / 100
}

TEST(GradientBands, SwatchHalvesRunToBlackAndBack)
{
    const auto down = gradientBands(rgb(240, 240, 240), clBlack, 212);
    const auto up = gradientBands(clBlack, rgb(240, 240, 240), 213);
    ASSERT_FALSE(down.empty());
    ASSERT_FALSE(up.empty());
    EXPECT_EQ(down.front().colour, rgb(240, 240, 240));
    EXPECT_EQ(up.front().colour, clBlack);
    EXPECT_EQ(down.size(), 212u);
    EXPECT_EQ(up.size(), 213u);
    // The steps truncate: 240 - 113 * 211 / 100 and 112 * 212 / 100.
    EXPECT_EQ(down.back().colour, rgb(2, 2, 2));
    EXPECT_EQ(up.back().colour, rgb(237, 237, 237));
}

TEST(GradientBands, SameColoursOrNoLengthPaintNothing)
{
    EXPECT_TRUE(gradientBands(clWhite, clWhite, 500).empty());
    // The same colour with different upper bits.
    EXPECT_TRUE(gradientBands(rgb(1, 2, 3), rgb(1, 2, 3) | 0x01000000u, 500).empty());
    EXPECT_TRUE(gradientBands(clWhite, clBlack, 0).empty());
    EXPECT_TRUE(gradientBands(clWhite, clBlack, -5).empty());
}

} // namespace
} // namespace kel
