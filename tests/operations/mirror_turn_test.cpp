// Mirrors and quarter turns in every pixel format, against a pixel-by-pixel model.
#include "operations/mirror_turn.h"

#include "graphics/pixel_rows.h"
#include "image_bytes.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::distinctPicture;
using test::sameBitmap;
using test::sameBytes;

constexpr PixelFormat kFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

// Where pixel (x, y) of a width x height picture lands, read straight from the definitions.
struct Move {
    int x, y;
};
Move flipped(FlipMode mode, int x, int y, int width, int height)
{
    return mode == FlipMode::Horizontal ? Move{width - 1 - x, y} : Move{x, height - 1 - y};
}
Move turned(QuarterTurn turn, int x, int y, int width, int height)
{
    return turn == QuarterTurn::Clockwise ? Move{height - 1 - y, x} : Move{y, width - 1 - x};
}

template <typename Place>
Bitmap model(const Bitmap& source, int width, int height, Place place)
{
    Bitmap expected(width, height);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) {
            const Move to = place(x, y);
            writePixel(expected, to.x, to.y, readPixel(source, x, y));
        }
    return expected;
}

TEST(MirrorTurn, EveryFormatMovesPixelsWhereTheModelSays)
{
    for (PixelFormat format : kFormats) {
        SCOPED_TRACE(bitsPerPixel(format));
        const Bitmap source = distinctPicture(7, 5, format); // odd width, not square
        const int w = source.width(), h = source.height();
        for (FlipMode mode : {FlipMode::Horizontal, FlipMode::Vertical}) {
            Bitmap picture(source);
            flipBitmap(picture, mode);
            EXPECT_EQ(picture.pixelFormat(), format);
            EXPECT_TRUE(sameBitmap(model(source, w, h, [&](int x, int y) { return flipped(mode, x, y, w, h); }),
                                   picture));
        }
        for (QuarterTurn turn : {QuarterTurn::Clockwise, QuarterTurn::Anticlockwise}) {
            const Bitmap result = rotateBitmap(source, turn);
            EXPECT_EQ(result.pixelFormat(), format);
            EXPECT_EQ(result.palette(), source.palette());
            EXPECT_TRUE(sameBitmap(model(source, h, w, [&](int x, int y) { return turned(turn, x, y, w, h); }),
                                   result));
        }
    }
}

TEST(MirrorTurn, RepeatsGiveTheBytesBack)
{
    for (PixelFormat format : kFormats) {
        SCOPED_TRACE(bitsPerPixel(format));
        const Bitmap source = distinctPicture(13, 6, format);
        Bitmap picture(source);
        for (int i = 0; i < 4; ++i) picture = rotateBitmap(picture, QuarterTurn::Clockwise);
        EXPECT_TRUE(sameBytes(source, picture)) << "four clockwise turns";
        for (int i = 0; i < 4; ++i) picture = rotateBitmap(picture, QuarterTurn::Anticlockwise);
        EXPECT_TRUE(sameBytes(source, picture)) << "four anticlockwise turns";
        picture = rotateBitmap(rotateBitmap(picture, QuarterTurn::Clockwise), QuarterTurn::Anticlockwise);
        EXPECT_TRUE(sameBytes(source, picture)) << "there and back";
        for (FlipMode mode : {FlipMode::Horizontal, FlipMode::Vertical}) {
            flipBitmap(picture, mode);
            flipBitmap(picture, mode);
            EXPECT_TRUE(sameBytes(source, picture)) << "mirrored twice";
        }
    }
}

TEST(MirrorTurn, LargePicturesCrossTileEdgesAndVectorSteps)
{
    // Sizes that are not multiples of the tile size, nor of 32 pixels.
    for (auto [w, h] : {std::pair{300, 200}, {257, 131}})
        for (PixelFormat format : {pf24bit, pf32bit, pf8bit}) {
            SCOPED_TRACE(testing::Message() << w << " x " << h << " at " << bitsPerPixel(format));
            const Bitmap source = distinctPicture(w, h, format);
            const Bitmap right = rotateBitmap(source, QuarterTurn::Clockwise);
            ASSERT_EQ(right.width(), h);
            ASSERT_EQ(right.height(), w);
            EXPECT_EQ(readPixel(right, h - 1, 0), readPixel(source, 0, 0));
            for (QuarterTurn turn : {QuarterTurn::Clockwise, QuarterTurn::Anticlockwise})
                EXPECT_TRUE(sameBitmap(model(source, h, w, [&](int x, int y) { return turned(turn, x, y, w, h); }),
                                       rotateBitmap(source, turn)));
            for (FlipMode mode : {FlipMode::Horizontal, FlipMode::Vertical}) {
                Bitmap picture(source);
                flipBitmap(picture, mode);
                EXPECT_TRUE(
                    sameBitmap(model(source, w, h, [&](int x, int y) { return flipped(mode, x, y, w, h); }), picture));
            }
        }
}

TEST(MirrorTurn, NarrowAndEmptyPictures)
{
    const Bitmap column = distinctPicture(1, 4);
    Bitmap picture(column);
    flipBitmap(picture, FlipMode::Horizontal);
    EXPECT_TRUE(sameBytes(column, picture));

    Bitmap empty;
    flipBitmap(empty, FlipMode::Horizontal);
    flipBitmap(empty, FlipMode::Vertical);
    EXPECT_TRUE(empty.empty());
    const Bitmap tall = rotateBitmap(Bitmap(0, 5), QuarterTurn::Clockwise);
    EXPECT_EQ(tall.width(), 5);
    EXPECT_EQ(tall.height(), 0);
}

TEST(MirrorTurn, TurnKeepsTheTransparentColour)
{
    Bitmap source = distinctPicture(3, 2);
    source.setTransparent(true);
    const Colour key = source.transparentColour(); // the bottom-left pixel's
    const Bitmap result = rotateBitmap(source, QuarterTurn::Clockwise);
    EXPECT_TRUE(result.transparent());
    EXPECT_EQ(result.transparentColour(), key);
}

} // namespace
} // namespace kel
