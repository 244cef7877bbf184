#include "graphics/errors.h"
#include "support/bitmap_compare.h"
#include "support/paint_counter.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"

#include <QApplication>
#include <QEnterEvent>
#include <QImage>
#include <QPointer>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::PaintCounter;

void settle() { QApplication::processEvents(); }

class ViewSetters : public testing::Test {
protected:
    ViewSetters()
    {
        window.resize(700, 700);
        view = new TImageAdapter(&window);
        view->setGeometry(0, 0, 617, 617);
        view->Picture().assign(&picture);
        window.show();
        settle();
        counter = std::make_unique<PaintCounter>(view);
    }

    // Paints caused by `change` alone.
    template <class Change>
    int paintsAfter(Change&& change)
    {
        settle();
        counter->count = 0;
        change();
        settle();
        return counter->count;
    }

    QWidget window;
    Bitmap picture{300, 200};
    TImageAdapter* view = nullptr;
    std::unique_ptr<PaintCounter> counter;
};

TEST_F(ViewSetters, SameValueDoesNotRepaint)
{
    EXPECT_EQ(paintsAfter([&] { view->setZoomX(100); }), 0);
    EXPECT_EQ(paintsAfter([&] { view->setZoomY(100); }), 0);
    EXPECT_EQ(paintsAfter([&] { view->setZoomEven(true); }), 0);
    EXPECT_EQ(paintsAfter([&] { view->setCenter(true); }), 0);
    EXPECT_EQ(paintsAfter([&] { view->setProportional(true); }), 0);
    EXPECT_EQ(paintsAfter([&] { view->setStretch(false); }), 0);
    EXPECT_EQ(paintsAfter([&] { view->setTransparent(false); }), 0);
}

TEST_F(ViewSetters, DifferentValueRepaints)
{
    EXPECT_GT(paintsAfter([&] { view->setZoomX(150); }), 0);
    EXPECT_GT(paintsAfter([&] { view->setZoomY(90); }), 0);
    EXPECT_GT(paintsAfter([&] { view->setZoomEven(false); }), 0);
    EXPECT_GT(paintsAfter([&] { view->setCenter(false); }), 0);
    EXPECT_GT(paintsAfter([&] { view->setProportional(false); }), 0);
    EXPECT_GT(paintsAfter([&] { view->setStretch(true); }), 0);
    EXPECT_GT(paintsAfter([&] { view->setTransparent(true); }), 0);
}

TEST_F(ViewSetters, ZoomEvenKeepsBothAxesTogether)
{
    view->setZoomX(250);
    EXPECT_EQ(view->ZoomY(), 250);
    view->setZoomY(40);
    EXPECT_EQ(view->ZoomX(), 40);

    view->setZoomEven(false);
    view->setZoomX(300);
    EXPECT_EQ(view->ZoomY(), 40);
    view->setZoomEven(true);
    EXPECT_EQ(view->ZoomY(), 300);
}

TEST_F(ViewSetters, ZoomFactorsAreStoredWithoutLimits)
{
    view->setZoomX(0);
    EXPECT_EQ(view->ZoomX(), 0);
    view->setZoomX(-40);
    EXPECT_EQ(view->ZoomY(), -40);
    EXPECT_NO_THROW(view->repaint());
}

TEST_F(ViewSetters, TransparentSettingReachesTheBitmap)
{
    view->setTransparent(true);
    EXPECT_TRUE(view->Picture().graphic()->transparent());
    view->setTransparent(false);
    EXPECT_FALSE(view->Picture().graphic()->transparent());
}

TEST(ViewDefaults, AdapterAndColorizerStartAsDescribed)
{
    TImageAdapter adapter;
    EXPECT_EQ(adapter.size(), QSize(105, 105));
    EXPECT_TRUE(adapter.Center());
    EXPECT_TRUE(adapter.Proportional());
    EXPECT_FALSE(adapter.Stretch());
    EXPECT_EQ(adapter.ZoomX(), 100);
    EXPECT_EQ(adapter.ZoomY(), 100);
    EXPECT_TRUE(adapter.ZoomEven());
    EXPECT_EQ(adapter.focusPolicy(), Qt::NoFocus);

    TImageColorizer colorizer;
    EXPECT_EQ(colorizer.size(), QSize(105, 105));
    EXPECT_FALSE(colorizer.Center());
    EXPECT_FALSE(colorizer.Proportional());
    EXPECT_EQ(colorizer.DisplayRect(), (Rect{0, 0, 0, 0}));
}

// Grabs what the view paints, over a black parent.
QImage painted(QWidget& view)
{
    QWidget* parent = view.parentWidget();
    return parent->grab(view.geometry()).toImage().convertToFormat(QImage::Format_RGB32);
}

TEST(ViewPainting, ZoomedPictureIsScaledWithoutSmoothingAndClipped)
{
    QWidget window;
    window.setStyleSheet("background: black");
    window.resize(20, 20);
    TImageAdapter view(&window);
    view.setGeometry(0, 0, 8, 8);
    view.setCenter(false);
    view.Picture().assign(&static_cast<const Bitmap&>(test::bitmapFrom(2, 2, {clRed, clLime, clBlue, clWhite})));
    view.setZoomX(300); // 6 x 6 from the corner
    const QImage image = painted(view);
    EXPECT_EQ(image.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(3, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(5, 5), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(6, 6), qRgb(0, 0, 0));

    view.setZoomX(1000); // 20 x 20: the control shows the top-left red quarter only
    const QImage big = painted(view);
    EXPECT_EQ(big.pixel(7, 7), qRgb(255, 0, 0));
}

TEST(ViewPainting, InvertedRectangleDrawsNothing)
{
    QWidget window;
    window.setStyleSheet("background: black");
    window.resize(617, 617);
    TImageColorizer view(&window);
    view.setGeometry(0, 0, 617, 617);
    view.setCenter(true);
    view.setProportional(true);
    view.PictureOriginal().setGraphic(std::make_unique<Bitmap>(2000, 1000));
    view.setZoomX(50);
    EXPECT_EQ(view.DisplayRect(), (Rect{500, 404, 117, 212}));
    const QImage image = painted(view);
    EXPECT_EQ(image.pixel(300, 300), qRgb(0, 0, 0));
}

TEST(ImageAdapterCanvas, EmptyPictureReceivesABitmapOfTheControlSize)
{
    TImageAdapter view;
    view.resize(425, 425);
    Canvas canvas = view.GetCanvas();
    ASSERT_NE(view.Picture().bitmapIfAny(), nullptr);
    EXPECT_EQ(view.Picture().width(), 425);
    EXPECT_EQ(view.Picture().height(), 425);
    EXPECT_EQ(&canvas.bitmap(), view.Picture().bitmapIfAny());
}

class NotABitmap final : public Graphic {
public:
    int width() const override { return 4; }
    int height() const override { return 4; }
    QImage toImage() const override
    {
        QImage image(4, 4, QImage::Format_ARGB32);
        image.fill(Qt::green);
        return image;
    }
    std::unique_ptr<Graphic> clone() const override { return std::make_unique<NotABitmap>(); }
    bool isIcon() const override { return true; }
};

TEST(ImageAdapterCanvas, OtherGraphicsRefuseWithTheFrenchText)
{
    TImageAdapter view;
    view.Picture().setGraphic(std::make_unique<NotABitmap>());
    const Graphic* before = view.Picture().graphic();
    try {
        view.GetCanvas();
        FAIL() << "GetCanvas accepted an icon";
    } catch (const InvalidOperation& error) {
        EXPECT_EQ(error.text(), QString::fromUtf8("Ne peut modifier une image que si elle contient un bitmap"));
    }
    EXPECT_EQ(view.Picture().graphic(), before);
}

TEST(ViewAutoSize, TakesThePictureSizeAtItsPlace)
{
    QWidget window;
    TImageAdapter view(&window);
    view.setGeometry(836, 272, 157, 157);
    view.setAutoSize(true);
    view.Picture().setGraphic(std::make_unique<Bitmap>(40, 30));
    EXPECT_EQ(view.geometry(), QRect(836, 272, 40, 30));
    view.Picture().clear();
    EXPECT_EQ(view.geometry(), QRect(836, 272, 40, 30));
}

TEST(ViewPointer, EnterAndLeaveReachTheEvents)
{
    TImageAdapter view;
    int entered = 0, left = 0;
    view.OnMouseEnter = [&] { ++entered; };
    view.OnMouseExit = [&] { ++left; };
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(&view, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view, &leave);
    EXPECT_EQ(entered, 1);
    EXPECT_EQ(left, 1);
}

TEST(ColorizerOriginal, IsKeptAt24BitsAndCopiedIntoTheShownPicture)
{
    TImageColorizer view;
    Bitmap indexed = test::bitmapFrom(2, 1, {clBlack, clWhite});
    indexed.setPixelFormat(pf1bit);
    view.PictureOriginal().assign(&indexed);
    ASSERT_NE(view.PictureOriginal().bitmapIfAny(), nullptr);
    EXPECT_EQ(view.PictureOriginal().bitmapIfAny()->pixelFormat(), pf24bit);
    ASSERT_NE(view.Picture().bitmapIfAny(), nullptr);
    EXPECT_TRUE(test::sameBitmap(test::bitmapFrom(2, 1, {clBlack, clWhite}), *view.Picture().bitmapIfAny()));
}

TEST(ColorizerOriginal, OtherGraphicsBecomeBitmapsOverWhite)
{
    TImageColorizer view;
    view.PictureOriginal().setGraphic(std::make_unique<NotABitmap>());
    ASSERT_NE(view.PictureOriginal().bitmapIfAny(), nullptr);
    EXPECT_EQ(view.Picture().bitmapIfAny()->pixel(3, 3), clLime);
}

TEST(ColorizerOriginal, EmptyingTheOriginalEmptiesTheShownPicture)
{
    TImageColorizer view;
    view.PictureOriginal().setGraphic(std::make_unique<Bitmap>(3, 3));
    ASSERT_TRUE(view.Picture().hasGraphic());
    view.PictureOriginal().clear();
    EXPECT_FALSE(view.Picture().hasGraphic());
}

} // namespace
} // namespace kel
