#include "graphics/picture.h"
#include "support/bitmap_compare.h"

#include <QImage>

#include <gtest/gtest.h>

using namespace kel;
using kel::test::bitmapFrom;
using kel::test::sameBitmap;

namespace {

// A graphic that is not a bitmap, as a codec or an icon would give.
class HalfTransparent final : public Graphic {
public:
    int width() const override { return 2; }
    int height() const override { return 1; }
    QImage toImage() const override
    {
        QImage image(2, 1, QImage::Format_ARGB32);
        image.setPixel(0, 0, qRgba(255, 0, 0, 0));
        image.setPixel(1, 0, qRgba(0, 0, 0, 128));
        return image;
    }
    std::unique_ptr<Graphic> clone() const override { return std::make_unique<HalfTransparent>(); }
};

} // namespace

TEST(Picture, EmptyHolderMeasuresZero)
{
    Picture p;
    EXPECT_FALSE(p.hasGraphic());
    EXPECT_EQ(p.width(), 0);
    EXPECT_EQ(p.height(), 0);
}

TEST(Picture, AssignCopiesTheGraphicAndNotifies)
{
    Picture a, b;
    int changes = 0;
    b.setChangeHandler([&] { ++changes; });
    a.setGraphic(std::make_unique<Bitmap>(bitmapFrom(1, 1, {clRed})));
    b = a;
    EXPECT_EQ(changes, 1);
    a.bitmap().setPixel(0, 0, clBlue);
    EXPECT_EQ(b.bitmap().pixel(0, 0), clRed);
    b.clear();
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(b.hasGraphic());
}

TEST(Picture, BitmapAccessorReplacesAnotherGraphicByAnEmptyBitmap)
{
    Picture p;
    int changes = 0;
    p.setGraphic(std::make_unique<HalfTransparent>());
    p.setChangeHandler([&] { ++changes; });
    Bitmap& b = p.bitmap();
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(b.empty());
    EXPECT_EQ(&p.bitmap(), &b); // a bitmap is returned as it is
    EXPECT_EQ(changes, 1);
}

TEST(Picture, NotificationFollowsTheHeldBitmapOnly)
{
    Picture p;
    int changes = 0;
    p.setChangeHandler([&] { ++changes; });
    p.setGraphic(std::make_unique<Bitmap>(2, 2));
    Bitmap* first = p.bitmapIfAny();
    Bitmap kept(*first);
    p.setGraphic(std::make_unique<Bitmap>(3, 3));
    changes = 0;
    kept.changed(); // a copy never reports to the holder
    EXPECT_EQ(changes, 0);
    p.bitmap().changed();
    EXPECT_EQ(changes, 1);
}

TEST(Graphic, PartlyTransparentPixelsAreDrawnOverWhatIsBeneath)
{
    Bitmap target(2, 1);
    HalfTransparent().drawOnto(target, 0, 0);
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {clWhite, rgb(127, 127, 127)}), target));

    Bitmap assigned;
    assigned.assign(HalfTransparent());
    EXPECT_EQ(assigned.pixelFormat(), pf24bit);
    EXPECT_TRUE(sameBitmap(target, assigned));
}
