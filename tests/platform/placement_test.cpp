#include "platform/dialogs.h"
#include "platform/printing.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace kel;

namespace {

double toMillimetres(int devicePixels, int dotsPerInch) { return devicePixels * 25.4 / dotsPerInch; }

} // namespace

// The page's picture box is 169.33 x 250.83 mm at 20.37 mm from the paper's
// left and top edges; the picture's printed size follows from 96 pixels per inch.
TEST(PicturePlacement, SizeAndCentringInMillimetresAtAnyPrinterResolution)
{
    struct Case {
        int width, height;
        double widthMm, heightMm; // printed size
    };
    const Case cases[] = {
        {320, 200, 84.67, 52.92},    // fits: its own size, centred both ways
        {640, 948, 169.33, 250.83},  // exactly the box
        {1, 1, 0.26, 0.26},
        {1280, 1024, 169.33, 135.47}, // wider: box width, centred vertically
        {600, 2000, 75.25, 250.83},  // taller: box height, centred horizontally
        {641, 100, 169.33, 26.42},   // one pixel too wide is shrunk
        {1280, 1896, 169.33, 250.83}, // the box's own aspect
    };
    const double boxLeft = 20.37, boxTop = 20.37, boxWidth = 169.33, boxHeight = 250.83;
    for (int dpi : {96, 300, 600, 1200}) {
        const double tolerance = 2 * 25.4 / dpi + 0.006; // two device pixels and the rounding of the figures
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << dpi << " dpi");
            const QRect placed = picturePlacement(c.width, c.height, dpi);
            EXPECT_NEAR(toMillimetres(placed.width(), dpi), c.widthMm, tolerance);
            EXPECT_NEAR(toMillimetres(placed.height(), dpi), c.heightMm, tolerance);
            // Equal margins left and right, top and bottom, within the box.
            const double left = toMillimetres(placed.x(), dpi) - boxLeft;
            const double top = toMillimetres(placed.y(), dpi) - boxTop;
            EXPECT_NEAR(left, (boxWidth - c.widthMm) / 2, tolerance);
            EXPECT_NEAR(top, (boxHeight - c.heightMm) / 2, tolerance);
            EXPECT_GE(left, -tolerance);
            EXPECT_GE(top, -tolerance);
        }
    }
}

TEST(PicturePlacement, ExactDevicePixelsOnAScreenResolutionPrinter)
{
    // At 96 dpi one picture pixel is one device pixel: halves are truncated.
    EXPECT_EQ(picturePlacement(320, 200, 96), QRect(77 + 160, 77 + 374, 320, 200));
    EXPECT_EQ(picturePlacement(321, 201, 96), QRect(77 + 159, 77 + 373, 321, 201));
    EXPECT_EQ(picturePlacement(1280, 1024, 96), QRect(77, 77 + 218, 640, 512));
    EXPECT_EQ(picturePlacement(600, 2000, 96), QRect(77 + 178, 77, 284, 948));
    // An empty picture is never divided by.
    EXPECT_TRUE(picturePlacement(0, 100, 96).isEmpty());
    EXPECT_TRUE(picturePlacement(100, 0, 96).isEmpty());
}

TEST(FolderDialogPlacement, CentredOnTheOwnerAndKeptInsideTheWorkArea)
{
    const QRect workArea(0, 0, 1920, 1040); // a panel below
    const QSize dialog(400, 300);
    struct Case {
        const char* what;
        QRect owner;
        QPoint expected;
    };
    const Case cases[] = {
        {"centred", QRect(100, 100, 800, 600), QPoint(100 + 400 - 200, 100 + 300 - 150)},
        {"odd sizes truncate", QRect(101, 101, 801, 601), QPoint(101 + 400 - 200, 101 + 300 - 150)},
        {"past the left edge", QRect(-700, 100, 800, 600), QPoint(0, 250)},
        {"past the top edge", QRect(100, -500, 800, 600), QPoint(300, 0)},
        {"past the right edge", QRect(1700, 100, 800, 600), QPoint(1920 - 400, 250)},
        {"over the panel", QRect(100, 800, 800, 600), QPoint(300, 1040 - 300)},
        {"touching the right edge stays", QRect(1320, 0, 800, 600), QPoint(1520, 150)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(centredFolderDialogPosition(c.owner, dialog, workArea), c.expected);
    }
    // Wider than the work area: at the left edge rather than off screen.
    EXPECT_EQ(centredFolderDialogPosition(QRect(0, 0, 800, 600), QSize(2000, 300), workArea), QPoint(0, 150));
}
