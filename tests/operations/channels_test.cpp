// Channel scaling and sepia toning, against the written arithmetic.
#include "operations/channels.h"

#include "graphics/pixel_rows.h"
#include "image_bytes.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace kel {
namespace {

using test::bitmapFrom;
using test::colourText;
using test::sameBitmap;

TEST(ScaleChannels, EachChannelTakesItsOwnFactorAndTruncates)
{
    struct Case {
        Colour source, factors, expected;
    };
    const Case cases[] = {
        {rgb(200, 255, 254), rgb(210, 128, 1), rgb(164, 128, 0)}, // 42000 div 255 = 164
        {rgb(255, 255, 255), rgb(1, 0, 255), rgb(1, 0, 255)},
        {rgb(10, 20, 30), rgb(255, 255, 255), rgb(10, 20, 30)},
        {rgb(255, 255, 255), rgb(20, 20, 20), rgb(20, 20, 20)}, // " Noir" on white
        {rgb(100, 100, 100), rgb(0, 0, 0), rgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        const Bitmap source = bitmapFrom(2, 1, {c.source, c.source});
        Bitmap shown(5, 7, pf32bit); // another size and format: replaced
        ScaleChannels(source, shown, c.factors);
        ASSERT_EQ(shown.pixelFormat(), pf24bit);
        EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {c.expected, c.expected}), shown))
            << colourText(c.source) << " by " << colourText(c.factors);
        EXPECT_EQ(readPixel(source, 0, 0), c.source);
    }
}

TEST(ScaleChannels, WorksInPlaceAndFromOtherFormats)
{
    Bitmap picture = bitmapFrom(1, 1, {rgb(200, 200, 200)});
    picture.setPixelFormat(pf32bit);
    ScaleChannels(picture, picture, rgb(210, 255, 0));
    EXPECT_EQ(picture.pixelFormat(), pf24bit);
    EXPECT_EQ(readPixel(picture, 0, 0), rgb(164, 200, 0));
}

TEST(ScaleChannels, EmptySourceLeavesTheDestination)
{
    const Bitmap shown = test::distinctPicture(4, 3);
    Bitmap destination(shown);
    ScaleChannels(Bitmap(), destination, rgb(1, 2, 3));
    EXPECT_TRUE(test::sameBytes(shown, destination));
}

TEST(SepiaTone, GreyPlusDepthInGreenAndTwiceInRed)
{
    struct Case {
        Colour in, out;
    };
    const Case cases[] = {
        {clWhite, rgb(255, 255, 255)},
        {clBlack, rgb(80, 40, 0)},
        {rgb(128, 128, 128), rgb(208, 168, 128)},
        {rgb(10, 20, 31), rgb(100, 60, 20)},    // 61 div 3 = 20
        {rgb(200, 190, 170), rgb(255, 226, 186)}, // red clamps, green does not
    };
    Bitmap picture(std::size(cases), 2, pf32bit);
    for (std::size_t i = 0; i < std::size(cases); ++i) writePixel(picture, int(i), 1, cases[i].in);
    SepiaTone(picture, kSepiaDepth);
    ASSERT_EQ(picture.pixelFormat(), pf24bit);
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(readPixel(picture, int(i), 1), cases[i].out) << "from " << colourText(cases[i].in);
}

// Wide enough for the sixteen-pixel steps, with every sum of the channels.
Bitmap everySum()
{
    Bitmap picture(41, 19);
    for (int n = 0; n < 41 * 19; ++n) {
        const int sum = n % 766;
        const int red = std::min(sum, 255), green = std::min(sum - red, 255), blue = sum - red - green;
        writePixel(picture, n % 41, n / 41, n & 1 ? rgb(red, green, blue) : rgb(blue, red, green));
    }
    return picture;
}

TEST(SepiaTone, EveryPixelOfAWidePictureFollowsTheFormula)
{
    const Bitmap source = everySum();
    for (int depth : {40, 0, 200}) {
        Bitmap expected(source), toned(source);
        for (int y = 0; y < source.height(); ++y)
            for (int x = 0; x < source.width(); ++x) {
                const Colour c = readPixel(source, x, y);
                const int grey = (redOf(c) + greenOf(c) + blueOf(c)) / 3;
                writePixel(expected, x, y, rgb(std::min(grey + 2 * depth, 255), std::min(grey + depth, 255), grey));
            }
        SepiaTone(toned, std::uint8_t(depth));
        EXPECT_TRUE(sameBitmap(expected, toned)) << "depth " << depth;
    }
}

TEST(ScaleChannels, EveryPixelOfAWidePictureFollowsTheFormula)
{
    const Bitmap source = everySum();
    const Colour factors = rgb(210, 1, 254);
    Bitmap expected(source), shown;
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const Colour c = readPixel(source, x, y);
            writePixel(expected, x, y, rgb(redOf(c) * 210 / 255, greenOf(c) * 1 / 255, blueOf(c) * 254 / 255));
        }
    ScaleChannels(source, shown, factors);
    EXPECT_TRUE(sameBitmap(expected, shown));
}

TEST(SepiaTone, EmptyPicture)
{
    Bitmap empty;
    SepiaTone(empty, kSepiaDepth);
    EXPECT_TRUE(empty.empty());
}

} // namespace
} // namespace kel
