// The Echelle menu, the wheel, the context menu's zoom items, the display
// modes and the zoom window, through the real main window.
#include "app/program_form.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "support/scripted_dialogs.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/icon_list_box.h"
#include "widgets/picture_button.h"
#include "windows/view_form.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::sameBitmap;

Bitmap solid(int width, int height, Colour colour)
{
    Bitmap bitmap(width, height, pf24bit);
    fillRows(bitmap, 0, height, colour);
    return bitmap;
}

// The smallest rectangle holding every pixel of the colour.
QRect areaOf(const QImage& image, QRgb colour)
{
    QRect area;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixel(x, y) == colour) area |= QRect(x, y, 1, 1);
    return area;
}

class ZoomTest : public testing::Test {
protected:
    void showPicture(const Bitmap& picture) { form.Image1->PictureOriginal().assign(&picture); }

    void activate()
    {
        form.show();
        QApplication::setActiveWindow(&form);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
    }

    // One wheel notch over the view: positive turns away from the user.
    void turnWheel(int delta)
    {
        const QPointF at(300, 300);
        QWheelEvent event(at, form.Image1->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(form.Image1, &event);
    }

    void run(const char* item) { form.menuItem(QString::fromLatin1(item))->trigger(); }

    test::FakeServices fakes;

    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form{fakes.services()};
};

TEST_F(ZoomTest, ShiftF3DrawsA300By200PictureAt100By66Centred)
{
    showPicture(solid(300, 200, clRed));
    activate();
    QTest::keyClick(&form, Qt::Key_F3, Qt::ShiftModifier);
    EXPECT_EQ(form.Image1->ZoomX(), 33);
    EXPECT_EQ(form.Image1->DisplayRect(), (Rect{258, 275, 358, 341}));
    const QImage drawn = form.Image1->grab().toImage();
    EXPECT_EQ(areaOf(drawn, qRgb(255, 0, 0)), QRect(258, 275, 100, 66));
}

TEST_F(ZoomTest, EchelleItemsSetTheirFactors)
{
    const std::pair<const char*, int> items[] = {
        {"Zoom101", 10},   {"Zoom251", 25},   {"Zoom331", 33},   {"Zoom501", 50},   {"Zoom661", 66},
        {"Zoom751", 75},   {"Zoom2001", 200}, {"Zoom3001", 300}, {"Zoom4001", 400}, {"Zoom5001", 500},
        {"Zoom7501", 750}, {"Zoom9001", 900}, {"aillenormale1001", 100}};
    for (const auto& [item, zoom] : items) {
        run(item);
        EXPECT_EQ(form.Image1->ZoomX(), zoom) << item;
        EXPECT_EQ(form.Image1->ZoomY(), zoom) << item;
        EXPECT_FALSE(form.menuItem(QString::fromLatin1(item))->isCheckable()) << item;
    }
}

TEST_F(ZoomTest, ZoomCommandsWorkOnAnEmptyViewAndLeaveTheStatusLine)
{
    run("Zoom7501");
    run("Etir1");
    EXPECT_EQ(form.Image1->ZoomX(), 750);
    EXPECT_TRUE(form.Image1->Stretch());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(ZoomTest, WheelAwayFromTheUserFloorsAtFive)
{
    form.Image1->setZoomX(33);
    std::vector<int> seen;
    for (int i = 0; i < 6; ++i) {
        turnWheel(120);
        seen.push_back(form.Image1->ZoomX());
    }
    EXPECT_EQ(seen, (std::vector<int>{28, 23, 18, 13, 5, 5}));
}

TEST_F(ZoomTest, ThirtyNotchesTowardsTheUserFrom100Give400AndKeepGrowing)
{
    for (int i = 0; i < 30; ++i) turnWheel(-120);
    EXPECT_EQ(form.Image1->ZoomX(), 400);
    for (int i = 0; i < 70; ++i) turnWheel(-120);
    EXPECT_EQ(form.Image1->ZoomX(), 1100);
}

TEST_F(ZoomTest, FineGrainedWheelStepsZoomOncePerWholeNotch)
{
    turnWheel(-60);
    EXPECT_EQ(form.Image1->ZoomX(), 100);
    turnWheel(-60);
    EXPECT_EQ(form.Image1->ZoomX(), 110);
    turnWheel(-240); // a fast turn of two notches in one event
    EXPECT_EQ(form.Image1->ZoomX(), 130);
}

TEST_F(ZoomTest, WheelMovesTheFocusToTheStatusBar)
{
    activate();
    form.Image1->setFocus();
    turnWheel(-120);
    EXPECT_EQ(QApplication::focusWidget(), reinterpret_cast<QWidget*>(form.EStatusBar1));
}

TEST_F(ZoomTest, WheelOverTheViewTakesTheFocusFromTheEffectsListSoDownLeavesItsSelection)
{
    activate();
    form.ListBox1->setCurrentRow(3);
    form.ListBox1->setFocus();
    ASSERT_TRUE(form.ListBox1->hasFocus());
    turnWheel(-120);
    EXPECT_EQ(form.Image1->ZoomX(), 110);
    EXPECT_EQ(QApplication::focusWidget(), reinterpret_cast<QWidget*>(form.EStatusBar1));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    EXPECT_EQ(form.ListBox1->currentRow(), 3);
}

TEST_F(ZoomTest, ContextMenuZoomItems)
{
    form.Image1->setZoomX(33);
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        run("Zoomngatif1");
        seen.push_back(form.Image1->ZoomX());
    }
    EXPECT_EQ(seen, (std::vector<int>{23, 13, 10, 10}));
    form.Image1->setZoomX(15);
    run("Zoomngatif1");
    EXPECT_EQ(form.Image1->ZoomX(), 10);
    run("Zoompositif1");
    run("Zoompositif1");
    EXPECT_EQ(form.Image1->ZoomX(), 30);
    run("aillenormale1002");
    EXPECT_EQ(form.Image1->ZoomX(), 100);
}

TEST_F(ZoomTest, DoubleClickOnTheViewReturnsTo100)
{
    form.Image1->setZoomX(250);
    form.Image1->OnDblClick();
    EXPECT_EQ(form.Image1->ZoomX(), 100);
}

TEST_F(ZoomTest, ProportionalTwiceLeavesItAsItWasAt100)
{
    form.Image1->setStretch(true);
    form.Image1->setZoomX(300);
    run("Proportionnel1");
    EXPECT_FALSE(form.Image1->Proportional());
    EXPECT_FALSE(form.Image1->Stretch());
    EXPECT_EQ(form.Image1->ZoomX(), 100);
    form.Image1->setZoomX(300);
    run("Proportionnel1");
    EXPECT_TRUE(form.Image1->Proportional());
    EXPECT_FALSE(form.Image1->Stretch());
    EXPECT_EQ(form.Image1->ZoomX(), 100);
}

TEST_F(ZoomTest, StretchThenProportional)
{
    form.Image1->setZoomX(75);
    run("Etir1");
    EXPECT_TRUE(form.Image1->Stretch());
    EXPECT_FALSE(form.Image1->Proportional());
    EXPECT_EQ(form.Image1->ZoomX(), 75);
    run("Proportionnel1");
    EXPECT_TRUE(form.Image1->Proportional());
    EXPECT_FALSE(form.Image1->Stretch());
    EXPECT_EQ(form.Image1->ZoomX(), 100);
    run("Etir1");
    run("Etir1");
    EXPECT_FALSE(form.Image1->Stretch());
    EXPECT_TRUE(form.Image1->Proportional());
}

TEST_F(ZoomTest, CentredAndTransparentToggleOnlyThemselves)
{
    run("Centr1");
    EXPECT_FALSE(form.Image1->Center());
    run("ransparent1");
    EXPECT_TRUE(form.Image1->Transparent());
    EXPECT_TRUE(form.Image1->Proportional());
    EXPECT_FALSE(form.Image1->Stretch());
    run("Centr1");
    run("ransparent1");
    EXPECT_TRUE(form.Image1->Center());
    EXPECT_FALSE(form.Image1->Transparent());
    for (const char* item : {"Centr1", "Proportionnel1", "Etir1", "ransparent1"})
        EXPECT_FALSE(form.menuItem(QString::fromLatin1(item))->isCheckable()) << item;
}

// ----------------------------------------------------------- zoom window

TEST_F(ZoomTest, ZoomWindowOnAnEmptyViewDoesNothing)
{
    bool shown = false;
    QTimer guard;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            shown = true;
            modal->close();
        }
    });
    guard.start(0);
    form.toolbarButton(QStringLiteral("Image14"))->OnClick();
    QApplication::processEvents();
    EXPECT_FALSE(shown);
}

TEST_F(ZoomTest, ZoomWindowShowsTheViewsEffectsAtItsZoomAndClosesOnARightClick)
{
    const Bitmap picture = test::bitmapFrom(2, 1, {clRed, rgb(10, 200, 30)});
    showPicture(picture);
    run("Ngatif1");
    run("Zoom331");
    form.Image1->setZoomX(250);
    const Bitmap inverted = *form.Image1->Picture().bitmapIfAny();
    ASSERT_FALSE(sameBitmap(picture, inverted));

    TViewForm& view = form.ViewForm();
    bool wasVisible = false;
    int zoomInWindow = 0;
    testing::AssertionResult sameAsShown = testing::AssertionFailure();
    QTimer::singleShot(0, &view, [&] {
        wasVisible = view.isVisible();
        zoomInWindow = view.Image1->ZoomX();
        if (const Bitmap* copy = view.Image1->Picture().bitmapIfAny()) sameAsShown = sameBitmap(inverted, *copy);
        // Zooming in the window leaves the main view's zoom alone.
        view.FormMouseWheelDown();
        QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(5, 5), view.Image1->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(view.Image1, &click);
    });
    form.toolbarButton(QStringLiteral("Image14"))->OnClick();

    EXPECT_TRUE(wasVisible);
    EXPECT_EQ(zoomInWindow, 250);
    EXPECT_TRUE(sameAsShown);
    EXPECT_FALSE(view.isVisible());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_FALSE(view.Image1->Picture().hasGraphic());
    EXPECT_EQ(form.Image1->ZoomX(), 250);
    EXPECT_TRUE(sameBitmap(inverted, *form.Image1->Picture().bitmapIfAny()));
    EXPECT_TRUE(sameBitmap(picture, *form.Image1->PictureOriginal().bitmapIfAny()));
}

} // namespace
} // namespace kel
