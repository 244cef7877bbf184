#include "view/display_rect.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

// The main view: 617 x 617, centred and proportional.
Rect mainView(int w, int h, int zoom)
{
    return displayRect(DisplayLayout{w, h, 617, 617, false, true, true, zoom, zoom});
}

TEST(DisplayRect, MainViewPlacesPicturesAsWorkedOut)
{
    EXPECT_EQ(mainView(300, 200, 100), (Rect{158, 208, 458, 408}));
    EXPECT_EQ(mainView(300, 200, 200), (Rect{8, 108, 608, 508}));
    EXPECT_EQ(mainView(300, 200, 33), (Rect{258, 275, 358, 341}));
    EXPECT_EQ(mainView(2000, 1000, 100), (Rect{0, 154, 617, 462}));
    EXPECT_EQ(mainView(2000, 1000, 110), (Rect{-100, 104, 717, 512}));
    EXPECT_EQ(mainView(1000, 2000, 100), (Rect{154, 0, 462, 617}));
    EXPECT_EQ(mainView(618, 100, 100), (Rect{0, 259, 617, 358}));
    EXPECT_EQ(mainView(4000, 3000, 100), (Rect{0, 77, 617, 539}));
}

TEST(DisplayRect, SmallPictureIsNeverEnlarged)
{
    EXPECT_EQ(mainView(10, 20, 100), (Rect{303, 298, 313, 318}));
}

TEST(DisplayRect, ZoomBelowTheFitMayInvertTheRectangle)
{
    EXPECT_EQ(mainView(2000, 1000, 50), (Rect{500, 404, 117, 212}));
}

TEST(DisplayRect, StretchFillsTheClientAreaAndGrowsWithThePictureSize)
{
    DisplayLayout layout{300, 200, 617, 617, true, true, true, 100, 100};
    EXPECT_EQ(displayRect(layout), (Rect{0, 0, 617, 617}));
    layout.zoomX = layout.zoomY = 200;
    EXPECT_EQ(displayRect(layout), (Rect{-150, -100, 767, 717}));
}

TEST(DisplayRect, NotCentredStartsAtTheCornerWithThePictureSize)
{
    EXPECT_EQ(displayRect(DisplayLayout{300, 200, 617, 617, false, false, false, 200, 200}), (Rect{0, 0, 600, 400}));
    EXPECT_EQ(displayRect(DisplayLayout{2000, 1000, 617, 617, false, true, false, 100, 100}),
              (Rect{0, 0, 2000, 1000}));
}

TEST(DisplayRect, ZoomAxesAreIndependent)
{
    EXPECT_EQ(displayRect(DisplayLayout{300, 200, 617, 617, false, false, false, 200, 50}), (Rect{0, 0, 600, 100}));
}

TEST(DisplayRect, NoPictureGivesAnEmptyRectangle)
{
    EXPECT_EQ(mainView(0, 0, 100), (Rect{308, 308, 308, 308}));
    EXPECT_EQ(mainView(0, 0, 500), (Rect{308, 308, 308, 308}));
}

TEST(ZoomGrowth, TruncatesTheExtendedPrecisionProduct)
{
    EXPECT_EQ(zoomGrowth(900, 13), 116 - 900);
    EXPECT_EQ(zoomGrowth(300, 33), 99 - 300);
    EXPECT_EQ(zoomGrowth(200, 33), 66 - 200);
    EXPECT_EQ(zoomGrowth(2000, 110), 200);
    EXPECT_EQ(zoomGrowth(100, 0), -100);
    EXPECT_EQ(zoomGrowth(100, -50), -150);
}

TEST(DisplayRect, ExtremeZoomsKeepTheRectangleFinite)
{
    const Rect huge = mainView(30000, 30000, 2147483647);
    EXPECT_LT(huge.left, 0);
    EXPECT_GT(huge.right, 617);
    const Rect negative = mainView(30000, 30000, -2147483647);
    EXPECT_GT(negative.left, negative.right);
}

} // namespace
} // namespace kel
