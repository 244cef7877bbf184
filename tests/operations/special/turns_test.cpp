#include "operations/special/turns.h"

#include "operations/special/moving_models.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kel {
namespace {

using test::patterned;
using test::sameBitmap;

TEST(Turn, LandscapeBecomesPortraitTurnedOnce)
{
    const Bitmap picture = patterned(640, 480);
    Bitmap turned(picture);
    int notified = 0;
    turned.setChangeHandler([&] { ++notified; });
    turn(turned);
    ASSERT_EQ(turned.width(), 480);
    ASSERT_EQ(turned.height(), 640);
    EXPECT_EQ(notified, 1);
    EXPECT_EQ(turned.pixel(0, 639), picture.pixel(0, 0));
    EXPECT_EQ(turned.pixel(0, 0), picture.pixel(639, 0));
    EXPECT_EQ(turned.pixel(479, 0), picture.pixel(639, 479));

    turnRight(turned);
    ASSERT_EQ(turned.width(), 640);
    EXPECT_EQ(notified, 2);
    ASSERT_EQ(turned.bytesPerLine(), picture.bytesPerLine());
    for (int y = 0; y < 480; ++y)
        ASSERT_EQ(0, std::memcmp(turned.scanLine(y), picture.scanLine(y), std::size_t(picture.bytesPerLine()))) << "row " << y;
}

// Where each pixel lands, pixel by pixel, for both directions; tiles and
// odd sizes included. Square pictures are replaced too, so their owner hears of it.
TEST(Turn, EveryPixelLandsOnItsQuarterTurnPlace)
{
    const int sizes[][2] = {{1, 1}, {1, 5}, {5, 1}, {6, 6}, {7, 3}, {65, 130}, {129, 64}};
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        const Bitmap picture = patterned(w, h, 3);
        Bitmap left(picture), right(picture);
        int notified = 0;
        left.setChangeHandler([&] { ++notified; });
        right.setChangeHandler([&] { ++notified; });
        turn(left);
        turnRight(right);
        EXPECT_EQ(notified, 2) << w << " x " << h;
        ASSERT_EQ(left.width(), h);
        ASSERT_EQ(left.height(), w);
        ASSERT_EQ(right.width(), h);
        ASSERT_EQ(right.height(), w);
        int wrong = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                wrong += left.pixel(y, w - 1 - x) != picture.pixel(x, y);
                wrong += right.pixel(h - 1 - y, x) != picture.pixel(x, y);
            }
        EXPECT_EQ(wrong, 0) << w << " x " << h;
    }
}

TEST(Turn, OtherFormatsGiveATwentyFourBitTurn)
{
    for (PixelFormat format : {pf16bit, pf32bit, pf8bit}) {
        Bitmap picture = patterned(5, 3);
        picture.setPixelFormat(format);
        Bitmap turned(picture);
        turn(turned);
        EXPECT_EQ(turned.pixelFormat(), pf24bit);
        ASSERT_EQ(turned.width(), 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(turned.pixel(y, 4 - x), picture.pixel(x, y));
    }
}

TEST(Turn, EmptyPictureStaysAsItIs)
{
    Bitmap empty;
    int notified = 0;
    empty.setChangeHandler([&] { ++notified; });
    turn(empty);
    turnRight(empty);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(empty.width(), 0);
}

} // namespace
} // namespace kel
