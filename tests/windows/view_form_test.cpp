// The zoom window: full-screen layout with its margin, its own wheel zoom
// and double click, and closing on a right click with its copy released.
#include "windows/view_form.h"

#include "view/image_adapter.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QScreen>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace kel {
namespace {

void turnWheel(QWidget& target, int delta)
{
    const QPointF at(target.width() / 2.0, target.height() / 2.0);
    QWheelEvent event(at, target.mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&target, &event);
}

void rightClick(QWidget& target, QPoint at)
{
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, target.mapToGlobal(at));
    QApplication::sendEvent(&target, &event);
}

class ZoomWindow : public testing::Test {
protected:
    void SetUp() override
    {
        form.Image1->Picture().setGraphic(std::make_unique<Bitmap>(300, 200, pf24bit));
        form.show();
        QApplication::processEvents();
    }
    TViewForm form;
};

TEST_F(ZoomWindow, CoversTheScreenWithTheImageTenPixelsInside)
{
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(form.geometry(), screen);
    EXPECT_EQ(form.Image1->geometry(), QRect(10, 10, screen.width() - 20, screen.height() - 20));
    EXPECT_TRUE(form.windowFlags() & Qt::FramelessWindowHint);
    EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(form.Image1->Center());
    EXPECT_TRUE(form.Image1->Proportional());
}

TEST_F(ZoomWindow, ResizingLaysTheWindowOutAgain)
{
    form.resize(400, 300);
    QApplication::processEvents();
    const QRect screen = form.screen()->geometry();
    EXPECT_EQ(form.geometry(), screen);
    EXPECT_EQ(form.Image1->geometry(), QRect(10, 10, screen.width() - 20, screen.height() - 20));
}

TEST_F(ZoomWindow, WheelZoomsByTenWithFloorTen)
{
    form.Image1->setZoomX(30);
    turnWheel(form, -120); // towards the user
    EXPECT_EQ(form.Image1->ZoomX(), 40);
    turnWheel(form, 120);
    turnWheel(form, 120);
    EXPECT_EQ(form.Image1->ZoomX(), 20);
    turnWheel(form, 120);
    turnWheel(form, 120);
    EXPECT_EQ(form.Image1->ZoomX(), 10);
    // A wheel over the picture reaches the window too.
    turnWheel(*form.Image1, -120);
    EXPECT_EQ(form.Image1->ZoomX(), 20);
}

TEST_F(ZoomWindow, FineWheelStepsAddUpToWholeNotches)
{
    form.Image1->setZoomX(100);
    turnWheel(form, -60);
    EXPECT_EQ(form.Image1->ZoomX(), 100);
    turnWheel(form, -60);
    EXPECT_EQ(form.Image1->ZoomX(), 110);
    turnWheel(form, -240);
    EXPECT_EQ(form.Image1->ZoomX(), 130);
}

TEST_F(ZoomWindow, DoubleClickReturnsToNormalSize)
{
    form.Image1->setZoomX(250);
    form.Image1->OnDblClick();
    EXPECT_EQ(form.Image1->ZoomX(), 100);
    EXPECT_EQ(form.Image1->ZoomY(), 100);
}

TEST_F(ZoomWindow, RightClickOnThePictureClosesAndReleasesTheCopy)
{
    rightClick(*form.Image1, QPoint(50, 50));
    QApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
}

TEST_F(ZoomWindow, RightClickInTheMarginClosesWithoutAMenu)
{
    rightClick(form, QPoint(3, 3));
    QApplication::processEvents();
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
}

TEST(ZoomWindowModal, ExecEndsOnARightClick)
{
    TViewForm form;
    form.Image1->Picture().setGraphic(std::make_unique<Bitmap>(30, 20, pf24bit));
    bool wasShown = false;
    QTimer::singleShot(0, &form, [&] {
        wasShown = form.isVisible();
        rightClick(*form.Image1, QPoint(1, 1));
    });
    form.exec();
    EXPECT_TRUE(wasShown);
    EXPECT_FALSE(form.isVisible());
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
}

} // namespace
} // namespace kel
