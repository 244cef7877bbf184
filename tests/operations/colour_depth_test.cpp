// Colour depths and black and white: thresholds, colour counts, the 16-bit round trip.
#include "operations/colour_depth.h"

#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace kel {
namespace {

using test::colourText;

std::set<Colour> coloursOf(const Bitmap& bitmap)
{
    std::set<Colour> colours;
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x) colours.insert(readPixel(bitmap, x, y));
    return colours;
}

// Red along x, green along y: 65536 colours.
Bitmap ramp()
{
    Bitmap bitmap(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) writePixel(bitmap, x, y, rgb(x, y, 128));
    return bitmap;
}

TEST(BlackAndWhite, ThresholdsTheSumOfTheThreeChannelsAt381)
{
    struct Case {
        Colour in;
        Colour out;
    };
    const Case cases[] = {
        {rgb(127, 127, 127), clBlack}, // 381
        {rgb(127, 127, 128), clWhite}, // 382
        {rgb(0, 126, 255), clBlack},   // 381, channels apart
        {rgb(255, 127, 0), clWhite},   // 382
        {rgb(255, 0, 0), clBlack},     {rgb(0, 0, 0), clBlack}, {rgb(255, 255, 255), clWhite},
    };
    Bitmap picture(std::size(cases), 1, pf32bit);
    for (std::size_t i = 0; i < std::size(cases); ++i) writePixel(picture, int(i), 0, cases[i].in);
    blackAndWhite(picture);
    ASSERT_EQ(picture.pixelFormat(), pf24bit);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(readPixel(picture, int(i), 0), cases[i].out) << "from " << colourText(cases[i].in);
}

TEST(BlackAndWhite, EveryPixelOfAWidePictureFollowsTheThreshold)
{
    Bitmap picture(37, 21); // every sum of the channels, sixteen pixels a step and a tail
    for (int n = 0; n < 37 * 21; ++n) {
        const int sum = n % 766;
        const int green = std::min(sum, 255), blue = std::min(sum - green, 255);
        writePixel(picture, n % 37, n / 37, rgb(sum - green - blue, green, blue));
    }
    Bitmap expected(picture);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x) {
            const Colour c = readPixel(picture, x, y);
            writePixel(expected, x, y, redOf(c) + greenOf(c) + blueOf(c) > 381 ? clWhite : clBlack);
        }
    blackAndWhite(picture);
    EXPECT_TRUE(test::sameBitmap(expected, picture));
}

TEST(BlackAndWhite, LeavesPaddingAlone)
{
    Bitmap picture(1, 2); // 3 pixel bytes and 1 padding byte a row
    picture.rowUnchecked(0)[3] = 0x5A;
    picture.rowUnchecked(1)[3] = 0xA5;
    blackAndWhite(picture);
    EXPECT_EQ(picture.rowUnchecked(0)[3], 0x5A);
    EXPECT_EQ(picture.rowUnchecked(1)[3], 0xA5);
}

TEST(ColourDepth, RampKeepsAsManyColoursAsTheDepthHolds)
{
    struct Case {
        ColourDepth depth;
        const Palette* palette; // every colour must come from it, when given
        std::size_t most, least;
    };
    const Case cases[] = {
        {ColourDepth::Bits32, nullptr, 65536, 65536},
        {ColourDepth::Bits24, nullptr, 65536, 65536},
        {ColourDepth::Bits16, nullptr, 2048, 2048}, // 32 reds x 64 greens, one blue
        {ColourDepth::Bits8, &halftonePalette(), 256, 2},
        {ColourDepth::Bits4, &vga16Palette(), 16, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(bitsPerPixel(depthFormat(c.depth)));
        Bitmap picture = ramp();
        reduceColours(picture, c.depth);
        ASSERT_EQ(picture.pixelFormat(), pf24bit);
        const std::set<Colour> colours = coloursOf(picture);
        EXPECT_LE(colours.size(), c.most);
        EXPECT_GE(colours.size(), c.least);
        if (!c.palette) continue;
        for (Colour colour : colours)
            EXPECT_NE(std::find(c.palette->begin(), c.palette->end(), colour), c.palette->end()) << colourText(colour);
    }
}

TEST(ColourDepth, SixteenBitsKeepsEndsStaysCloseAndIsStable)
{
    Bitmap picture = ramp();
    Bitmap at16 = copyAtDepth(picture, ColourDepth::Bits16);
    EXPECT_EQ(at16.pixelFormat(), pf16bit);
    reduceColours(picture, ColourDepth::Bits16);
    EXPECT_TRUE(test::sameBitmap(picture, at16)); // the same colours, read back from 5-6-5
    EXPECT_EQ(readPixel(picture, 0, 0), rgb(0, 0, 132));
    EXPECT_EQ(readPixel(picture, 255, 255), rgb(255, 255, 132));
    for (int v = 0; v < 256; ++v) {
        EXPECT_LE(std::abs(redOf(readPixel(picture, v, 0)) - v), 4) << v;
        EXPECT_LE(std::abs(greenOf(readPixel(picture, 0, v)) - v), 2) << v;
    }
    Bitmap again(picture);
    reduceColours(again, ColourDepth::Bits16);
    EXPECT_TRUE(test::sameBitmap(picture, again));
}

TEST(ColourDepth, EmptyPicturesPassEveryConversion)
{
    for (ColourDepth depth : {ColourDepth::Bits32, ColourDepth::Bits24, ColourDepth::Bits16, ColourDepth::Bits8,
                              ColourDepth::Bits4}) {
        Bitmap empty;
        reduceColours(empty, depth);
        EXPECT_TRUE(empty.empty());
        EXPECT_TRUE(copyAtDepth(empty, depth).empty());
    }
    Bitmap empty;
    blackAndWhite(empty);
    EXPECT_TRUE(empty.empty());
}

} // namespace
} // namespace kel
