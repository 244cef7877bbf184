#include "view/stretch_render.h"

#include "graphics/bitmap.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

QRgb at(const QImage& image, int x, int y) { return image.pixel(x, y); }

TEST(StretchRender, RepeatsPixelsWithoutSmoothing)
{
    const Bitmap picture = test::bitmapFrom(2, 1, {clRed, clBlue});
    const QImage out = renderStretched(picture, Rect{0, 0, 4, 1}, QRect(0, 0, 4, 1));
    ASSERT_FALSE(out.isNull());
    EXPECT_EQ(at(out, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(at(out, 1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(at(out, 2, 0), qRgb(0, 0, 255));
    EXPECT_EQ(at(out, 3, 0), qRgb(0, 0, 255));
}

TEST(StretchRender, DropsPixelsWhenShrinking)
{
    const Bitmap picture = test::bitmapFrom(4, 1, {clRed, clLime, clBlue, clBlack});
    const QImage out = renderStretched(picture, Rect{0, 0, 2, 1}, QRect(0, 0, 2, 1));
    EXPECT_EQ(at(out, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(at(out, 1, 0), qRgb(0, 0, 255));
}

TEST(StretchRender, OnlyTheClippedPartIsProducedAndTheRestIsTransparent)
{
    const Bitmap picture = test::bitmapFrom(2, 2, {clRed, clLime, clBlue, clBlack});
    // Scaled to 2000 x 2000 from -1000: the clip sees the four quadrants meet.
    const QImage out = renderStretched(picture, Rect{-1000, -1000, 1000, 1000}, QRect(-1, -1, 2, 2));
    EXPECT_EQ(out.size(), QSize(2, 2));
    EXPECT_EQ(at(out, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(at(out, 1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(at(out, 0, 1), qRgb(0, 0, 255));
    EXPECT_EQ(at(out, 1, 1), qRgb(0, 0, 0));

    const QImage beside = renderStretched(picture, Rect{5, 5, 7, 7}, QRect(4, 4, 2, 2));
    EXPECT_EQ(qAlpha(at(beside, 0, 0)), 0);
    EXPECT_EQ(at(beside, 1, 1), qRgb(255, 0, 0));
}

TEST(StretchRender, InvertedEmptyOrOutsideDestinationsDrawNothing)
{
    const Bitmap picture = test::bitmapFrom(2, 1, {clRed, clBlue});
    EXPECT_TRUE(renderStretched(picture, Rect{500, 404, 117, 212}, QRect(0, 0, 617, 617)).isNull());
    EXPECT_TRUE(renderStretched(picture, Rect{10, 10, 10, 20}, QRect(0, 0, 617, 617)).isNull());
    EXPECT_TRUE(renderStretched(picture, Rect{700, 0, 800, 10}, QRect(0, 0, 617, 617)).isNull());
    EXPECT_TRUE(renderStretched(Bitmap(), Rect{0, 0, 10, 10}, QRect(0, 0, 10, 10)).isNull());
}

TEST(StretchRender, TransparentBitmapLeavesItsKeyColourOut)
{
    Bitmap picture = test::bitmapFrom(2, 1, {clRed, clWhite});
    picture.setTransparentColour(clWhite);
    picture.setTransparent(true);
    const QImage out = renderStretched(picture, Rect{0, 0, 2, 1}, QRect(0, 0, 2, 1));
    EXPECT_EQ(at(out, 0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(qAlpha(at(out, 1, 0)), 0);
}

TEST(StretchRender, IndexedBitmapsShowTheirColours)
{
    Bitmap picture = test::bitmapFrom(2, 1, {clBlack, clWhite});
    picture.setPixelFormat(pf1bit);
    const QImage out = renderStretched(picture, Rect{0, 0, 2, 1}, QRect(0, 0, 2, 1));
    EXPECT_EQ(at(out, 0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(at(out, 1, 0), qRgb(255, 255, 255));
}

} // namespace
} // namespace kel
