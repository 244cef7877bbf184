#include "graphics/bitmap.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

using namespace kel;
using kel::test::bitmapFrom;
using kel::test::sameBitmap;

namespace {

const PixelFormat allFormats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};

// Colours every format can hold exactly.
Bitmap blackAndWhite()
{
    return bitmapFrom(3, 2, {clBlack, clWhite, clBlack, clWhite, clWhite, clBlack});
}

} // namespace

TEST(Bitmap, RowsArePaddedToFourBytes)
{
    EXPECT_EQ(bytesPerLine(1, pf24bit), 4);
    EXPECT_EQ(bytesPerLine(3, pf24bit), 12);
    EXPECT_EQ(bytesPerLine(5, pf24bit), 16);
    EXPECT_EQ(bytesPerLine(33, pf1bit), 8);
    EXPECT_EQ(bytesPerLine(9, pf4bit), 8);
    EXPECT_EQ(bytesPerLine(5, pf8bit), 8);
    EXPECT_EQ(bytesPerLine(3, pf16bit), 8);
    EXPECT_EQ(bytesPerLine(3, pf32bit), 12);
    Bitmap b(5, 2, pf24bit);
    EXPECT_EQ(b.scanLine(1) - b.scanLine(0), 16);
}

TEST(Bitmap, Pf24RowsHoldBlueGreenRed)
{
    Bitmap b(2, 1, pf24bit);
    b.setPixel(1, 0, rgb(10, 20, 30));
    const std::uint8_t* row = b.scanLine(0);
    EXPECT_EQ(row[3], 30);
    EXPECT_EQ(row[4], 20);
    EXPECT_EQ(row[5], 10);
}

TEST(Bitmap, NewAndEnlargedPixelsAreWhiteInEveryFormat)
{
    for (PixelFormat f : allFormats) {
        Bitmap b(3, 2, f);
        b.setPixel(0, 0, clBlack);
        b.setSize(5, 4);
        EXPECT_EQ(b.pixel(0, 0), clBlack) << bitsPerPixel(f);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x)
                if (x || y) {
                    EXPECT_EQ(b.pixel(x, y), clWhite) << bitsPerPixel(f) << " at " << x << "," << y;
                }
    }
}

TEST(Bitmap, ShrinkingKeepsTheTopLeftPixels)
{
    Bitmap b = bitmapFrom(3, 2, {rgb(1, 2, 3), rgb(4, 5, 6), rgb(7, 8, 9), rgb(10, 11, 12), rgb(13, 14, 15), rgb(16, 17, 18)});
    b.setSize(2, 1);
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {rgb(1, 2, 3), rgb(4, 5, 6)}), b));
}

TEST(Bitmap, EveryFormatConvertsThroughTwentyFourBitsBothWays)
{
    const Bitmap source = blackAndWhite();
    for (PixelFormat f : allFormats) {
        Bitmap b(source);
        b.setPixelFormat(f);
        EXPECT_EQ(b.pixelFormat(), f);
        b.setPixelFormat(pf24bit);
        EXPECT_TRUE(sameBitmap(source, b)) << "through " << bitsPerPixel(f) << " bits";
    }
}

TEST(Bitmap, ConversionTakesTheNearestColourOfTheNewFormat)
{
    const Bitmap source = bitmapFrom(4, 1, {rgb(200, 10, 10), rgb(100, 100, 100), rgb(30, 30, 200), rgb(250, 250, 240)});

    Bitmap four(source);
    four.setPixelFormat(pf4bit);
    EXPECT_EQ(four.pixel(0, 0), rgb(255, 0, 0));
    EXPECT_EQ(four.pixel(1, 0), rgb(128, 128, 128));
    EXPECT_EQ(four.pixel(2, 0), rgb(0, 0, 255));
    EXPECT_EQ(four.pixel(3, 0), clWhite);

    Bitmap one(source);
    one.setPixelFormat(pf1bit);
    EXPECT_EQ(one.pixel(0, 0), clBlack);
    EXPECT_EQ(one.pixel(3, 0), clWhite);

    Bitmap eight(source);
    eight.setPixelFormat(pf8bit);
    EXPECT_EQ(eight.palette(), halftonePalette());
    EXPECT_EQ(eight.pixel(0, 0), rgb(204, 0, 0));

    Bitmap sixteen(source);
    sixteen.setPixelFormat(pf16bit);
    // 5-6-5 fields widen by repeating top bits: 200 -> 24 -> 198, 10 -> 1 -> 8, 10 -> 2 -> 8.
    EXPECT_EQ(sixteen.pixel(0, 0), rgb(198, 8, 8));
    EXPECT_EQ(sixteen.pixel(1, 0), rgb(99, 101, 99));

    Bitmap fifteen(source);
    fifteen.setPixelFormat(pf15bit);
    EXPECT_EQ(fifteen.pixel(1, 0), rgb(99, 99, 99));
}

TEST(Bitmap, HighColourRoundTripIsStable)
{
    for (int v = 0; v < 65536; ++v) {
        EXPECT_EQ(encode565(decode565(std::uint16_t(v))), v);
        if (v < 32768) {
            EXPECT_EQ(encode555(decode555(std::uint16_t(v))), v);
        }
    }
}

TEST(Bitmap, SettingTheSameFormatChangesNothingAndDoesNotNotify)
{
    Bitmap b = blackAndWhite();
    int notified = 0;
    b.setChangeHandler([&] { ++notified; });
    const std::uint8_t* before = b.scanLine(0);
    b.setPixelFormat(pf24bit);
    EXPECT_EQ(notified, 0);
    EXPECT_EQ(b.scanLine(0), before);
    b.setPixelFormat(pf8bit);
    EXPECT_EQ(notified, 1);
}

TEST(Bitmap, RowAndPixelAccessOutsideRaisesRangeError)
{
    Bitmap b(4, 3);
    EXPECT_THROW(b.scanLine(-1), RangeError);
    EXPECT_THROW(b.scanLine(3), RangeError);
    EXPECT_THROW(b.pixel(4, 0), RangeError);
    EXPECT_THROW(b.setPixel(0, -1, clBlack), RangeError);
    Bitmap empty;
    EXPECT_THROW(empty.scanLine(0), RangeError);
}

TEST(Bitmap, RefusesDimensionsBeyondTheLimit)
{
    EXPECT_THROW(Bitmap(30001, 1), OutOfResources);
    EXPECT_THROW(Bitmap(-1, 5), OutOfResources);
    EXPECT_THROW(Bitmap(30000, 30000, pf32bit), OutOfResources); // 3.6 GB
    Bitmap b(10, 10);
    EXPECT_THROW(b.setSize(40000, 10), OutOfResources);
    EXPECT_EQ(b.width(), 10); // unchanged after the refusal
    EXPECT_NO_THROW(Bitmap(0, 0));
}

TEST(Bitmap, AssigningCopiesThePixels)
{
    Bitmap a = blackAndWhite();
    Bitmap b;
    b = a;
    a.setPixel(0, 0, clRed);
    EXPECT_EQ(b.pixel(0, 0), clBlack);
    EXPECT_EQ(b.width(), 3);
}

TEST(Bitmap, TransparentColourDefaultsToTheBottomLeftPixel)
{
    Bitmap b = bitmapFrom(2, 2, {clRed, clLime, clBlue, clWhite});
    EXPECT_EQ(b.transparentColour(), clBlue);
    b.setTransparentColour(clLime);
    EXPECT_EQ(b.transparentColour(), clLime);
}

TEST(Bitmap, DrawingATransparentBitmapSkipsItsKeyColour)
{
    Bitmap source = bitmapFrom(2, 1, {clRed, clBlue});
    source.setTransparentColour(clBlue);
    source.setTransparent(true);
    Bitmap target = bitmapFrom(2, 1, {clBlack, clBlack});
    source.drawOnto(target, 0, 0);
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {clRed, clBlack}), target));
}
