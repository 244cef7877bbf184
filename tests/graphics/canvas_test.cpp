#include "graphics/canvas.h"
#include "graphics/picture.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

using namespace kel;
using kel::test::bitmapFrom;
using kel::test::sameBitmap;

namespace {
const Colour A = rgb(10, 0, 0), B = rgb(20, 0, 0), C = rgb(30, 0, 0), D = rgb(40, 0, 0);
const Colour E = rgb(50, 0, 0), F = rgb(60, 0, 0);
} // namespace

TEST(CanvasStretchDraw, EnlargesByRepeatingPixels)
{
    const Bitmap source = bitmapFrom(2, 1, {A, B});
    Bitmap target(4, 2);
    Canvas(target).stretchDraw(Rect{0, 0, 4, 2}, source);
    EXPECT_TRUE(sameBitmap(bitmapFrom(4, 2, {A, A, B, B, A, A, B, B}), target));
}

TEST(CanvasStretchDraw, ShrinksByDroppingPixels)
{
    const Bitmap source = bitmapFrom(4, 1, {A, B, C, D});
    Bitmap target(2, 1);
    Canvas(target).stretchDraw(Rect{0, 0, 2, 1}, source);
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {A, C}), target));
}

TEST(CanvasStretchDraw, NegativeExtentsMirror)
{
    const Bitmap source = bitmapFrom(3, 2, {A, B, C, D, E, F});
    Bitmap horizontal(3, 2);
    Canvas(horizontal).stretchDraw(2, 0, -3, 2, source);
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 2, {C, B, A, F, E, D}), horizontal));

    Bitmap vertical(3, 2);
    Canvas(vertical).stretchDraw(0, 1, 3, -2, source);
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 2, {D, E, F, A, B, C}), vertical));
}

TEST(CanvasStretchDraw, ClipsAndIgnoresEmptyExtents)
{
    const Bitmap source = bitmapFrom(2, 2, {A, B, C, D});
    Bitmap target(2, 2);
    Canvas canvas(target);
    canvas.stretchDraw(Rect{-2, -2, 2, 2}, source); // 4 x 4, only the bottom-right quarter lands
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 2, {D, D, D, D}), target));
    Bitmap untouched(2, 2);
    Canvas(untouched).stretchDraw(Rect{1, 1, 1, 1}, source);
    EXPECT_TRUE(sameBitmap(Bitmap(2, 2), untouched));
}

TEST(Canvas, FillRectIsClippedToTheBitmap)
{
    Bitmap target(3, 2);
    Canvas canvas(target);
    canvas.brush.colour = clRed;
    canvas.fillRect(Rect{1, -5, 10, 1});
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 2, {clWhite, clRed, clRed, clWhite, clWhite, clWhite}), target));
}

TEST(Canvas, PixelsOutsideAreIgnored)
{
    Bitmap target(2, 2);
    Canvas canvas(target);
    canvas.setPixel(5, 5, clRed);
    EXPECT_EQ(canvas.pixel(-1, 0), Canvas::clInvalid);
    canvas.setPixel(1, 1, clRed);
    EXPECT_EQ(canvas.pixel(1, 1), clRed);
}

TEST(Canvas, TextWithAClearBrushOnlyTouchesGlyphPixels)
{
    Bitmap target(80, 30);
    Canvas canvas(target);
    canvas.brush.style = BrushStyle::Clear;
    canvas.font.colour = clRed;
    canvas.font.size = 14;
    canvas.textOut(2, 2, QStringLiteral("Kel"));
    int red = 0, other = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 80; ++x) {
            const Colour c = target.pixel(x, y);
            if (c == clRed) ++red;
            else if (c != clWhite) ++other;
        }
    EXPECT_GT(red, 20);
    EXPECT_EQ(other, 0); // no smoothing, no background
}

TEST(Canvas, TextWithASolidBrushFillsItsCell)
{
    Bitmap target(80, 30);
    Canvas canvas(target);
    canvas.brush.colour = clBlue;
    canvas.textOut(0, 0, QStringLiteral("ii"));
    EXPECT_EQ(target.pixel(0, 0), clBlue);
    EXPECT_EQ(target.pixel(79, 29), clWhite);
}

TEST(Canvas, DrawsOnIndexedBitmapsThroughTheirPalette)
{
    Bitmap target(4, 4, pf4bit);
    Canvas canvas(target);
    canvas.brush.colour = rgb(250, 5, 5);
    canvas.ellipse(Rect{0, 0, 4, 4});
    EXPECT_EQ(target.pixelFormat(), pf4bit);
    EXPECT_EQ(target.pixel(1, 1), clRed);
}

TEST(Canvas, DrawTransparentLeavesTheKeyColourOut)
{
    const Bitmap source = bitmapFrom(2, 1, {clRed, clLime});
    Bitmap target(3, 1);
    Canvas(target).drawTransparent(1, 0, source, clLime);
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 1, {clWhite, clRed, clWhite}), target));
}

TEST(ChangeNotification, CanvasDrawingNotifiesTheOwnerButRowWritesDoNot)
{
    Picture picture;
    int changes = 0;
    picture.setChangeHandler([&] { ++changes; });
    picture.setGraphic(std::make_unique<Bitmap>(4, 4));
    EXPECT_EQ(changes, 1);

    Bitmap& bitmap = picture.bitmap();
    bitmap.scanLine(0)[0] = 0;
    EXPECT_EQ(changes, 1);

    Canvas canvas(bitmap);
    canvas.fillRect(Rect{0, 0, 1, 1});
    canvas.setPixel(1, 1, clRed);
    canvas.stretchDraw(Rect{0, 0, 2, 2}, Bitmap(1, 1));
    canvas.textOut(0, 0, QStringLiteral("a"));
    EXPECT_EQ(changes, 5);

    bitmap.setSize(5, 5);
    bitmap.setPixelFormat(pf8bit);
    EXPECT_EQ(changes, 7);
}
