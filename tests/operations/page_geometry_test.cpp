// Resize, crop and frame of the operation pages.
#include "graphics/canvas.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "operations/crop.h"
#include "operations/frame.h"
#include "operations/resize.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <vector>

using namespace kel;
using kel::test::sameBitmap;

namespace {

// Every pixel different, so a misplaced row or column shows.
Bitmap numbered(int width, int height)
{
    Bitmap b(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.setPixel(x, y, rgb(x * 7 + 1, y * 11 + 2, (x * 3 + y * 5) & 0xFF));
    return b;
}

} // namespace

TEST(ResizeSizes, ProposalsAndCommitsFollowTheEditsOfTheRightSide)
{
    struct Case {
        int width, height, percent;
        PictureSize proposed;
        int editWidth, editHeight;
        PictureSize committed;
    };
    const Case cases[] = {
        {640, 480, 100, {640, 480}, 640, 480, {640, 480}},
        {301, 201, 50, {150, 100}, 150, 100, {150, 100}},   // 201 x 150 div 301 = 100
        {200, 400, 25, {50, 100}, 999, 100, {50, 100}},     // portrait: the width edit is ignored
        {200, 200, 100, {200, 200}, 300, 100, {300, 100}},  // square: both edits count
        {1000, 700, 600, {6000, 4200}, 6000, 4200, {6000, 4200}},
        {301, 201, 0, {0, 0}, 0, 0, {0, 0}},
        {1, 3, 33, {0, 0}, 10, 0, {0, 0}},
        // Products beyond 32 bits: 29999 x 200000 and 30000 x 600 x ... stay exact.
        {30000, 29999, 600, {180000, 179994}, 200000, 10, {200000, 199993}},
        {29999, 30000, 600, {179994, 180000}, 10, 200000, {199993, 200000}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.percent);
        EXPECT_EQ(proposedSize(c.width, c.height, c.percent), c.proposed);
        EXPECT_EQ(committedSize(c.width, c.height, c.editWidth, c.editHeight), c.committed);
    }
}

TEST(ResizeStretch, TakesTheNearestSourcePixelForEveryTargetPixel)
{
    // Fixed small cases, then random sizes wide enough for the block copies,
    // from 24-bit and 32-bit sources, compared byte for byte.
    std::vector<std::pair<PictureSize, PictureSize>> cases;
    for (const PictureSize size : {PictureSize{7, 5}, {3, 2}, {14, 10}, {1, 1}, {20, 3}, {2, 9}})
        cases.push_back({PictureSize{7, 5}, size});
    std::mt19937 random(4242);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    for (int round = 0; round < 40; ++round)
        cases.push_back({PictureSize{between(1, 300), between(1, 40)}, PictureSize{between(1, 400), between(1, 50)}});
    for (std::size_t n = 0; n < cases.size(); ++n) {
        const auto [from, to] = cases[n];
        const PixelFormat format = n % 2 ? pf32bit : pf24bit;
        SCOPED_TRACE(testing::Message() << from.width << " x " << from.height << " (" << bitsPerPixel(format)
                                        << " bits) to " << to.width << " x " << to.height);
        Bitmap source(from.width, from.height, format);
        for (int y = 0; y < from.height; ++y)
            for (int x = 0; x < from.width; ++x) source.setPixel(x, y, Colour(random() & 0xFFFFFF));
        // Target pixel i of n takes source pixel floor(i x N / n).
        Bitmap expected(to.width, to.height, pfDevice);
        for (int y = 0; y < to.height; ++y)
            for (int x = 0; x < to.width; ++x)
                expected.setPixel(x, y, source.pixel(x * from.width / to.width, y * from.height / to.height));
        const Bitmap result = stretchedBitmap(source, to.width, to.height);
        ASSERT_EQ(result.pixelFormat(), pfDevice);
        for (int y = 0; y < to.height; ++y)
            ASSERT_EQ(0, std::memcmp(expected.rowUnchecked(y), result.rowUnchecked(y), std::size_t(to.width) * 4))
                << "row " << y;
    }
}

TEST(ResizeStretch, AgreesWithTheCanvasStretchForEveryFormat)
{
    struct Case {
        PixelFormat format;
        bool transparent;
    };
    for (const Case c : {Case{pf24bit, false}, Case{pf32bit, false}, Case{pf24bit, true}, Case{pf8bit, false},
                         Case{pf16bit, false}}) {
        Bitmap source(11, 7, c.format);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 11; ++x) source.setPixel(x, y, (x + y) % 4 == 0 ? clRed : rgb(x * 20, y * 30, 90));
        source.setTransparent(c.transparent);
        source.setTransparentColour(clRed);
        for (const PictureSize size : {PictureSize{11, 7}, PictureSize{4, 3}, PictureSize{25, 16}, PictureSize{1, 30}}) {
            Bitmap expected(size.width, size.height, pfDevice);
            Canvas(expected).stretchDraw(Rect{0, 0, size.width, size.height}, source);
            EXPECT_TRUE(sameBitmap(expected, stretchedBitmap(source, size.width, size.height)))
                << "format " << bitsPerPixel(c.format) << (c.transparent ? " transparent " : " ") << size.width
                << " x " << size.height;
        }
    }
}

TEST(ResizeStretch, EmptySizesGiveEmptyPicturesAndBadSizesThrowFirst)
{
    const Bitmap source = numbered(301, 201);
    for (const PictureSize size : {PictureSize{0, 0}, PictureSize{0, 100}, PictureSize{150, 0}}) {
        const Bitmap result = stretchedBitmap(source, size.width, size.height);
        EXPECT_EQ(result.width(), size.width);
        EXPECT_EQ(result.height(), size.height);
    }
    for (const PictureSize size : {PictureSize{-1, 10}, PictureSize{10, -5}, PictureSize{200000, 199993},
                                   PictureSize{30001, 1}, PictureSize{29000, 29000}})
        EXPECT_THROW(stretchedBitmap(source, size.width, size.height), OutOfResources)
            << size.width << " x " << size.height;
}

TEST(Crop, SelectionIsClampedToThePictureAndPutUpright)
{
    struct Case {
        int x0, y0, x1, y1;
        Rect expected;
    };
    const Case cases[] = {
        {10, 20, 110, 70, {10, 20, 110, 70}},
        {110, 70, 10, 20, {10, 20, 110, 70}},
        {110, 20, 10, 70, {10, 20, 110, 70}},
        {5, 5, 5, 5, {5, 5, 5, 5}},                      // a click: empty
        {-40, 500, 1000, -3, {0, 0, 299, 199}},          // overshooting every edge
        {299, 199, 300, 200, {299, 199, 299, 199}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(selectionRect(c.x0, c.y0, c.x1, c.y1, 300, 200), c.expected)
            << "(" << c.x0 << ", " << c.y0 << ") to (" << c.x1 << ", " << c.y1 << ")";
}

TEST(Crop, CopiesTheRectanglePixelForPixelAndReadsNothingOutside)
{
    const Bitmap source = numbered(30, 20);
    struct Case {
        Rect rect;
        Rect inside; // the part of the picture actually copied
    };
    const Case cases[] = {
        {{10, 2, 21, 7}, {10, 2, 21, 7}},
        {{21, 7, 10, 2}, {10, 2, 21, 7}},
        {{0, 0, 30, 20}, {0, 0, 30, 20}},
        {{-5, -5, 4, 3}, {0, 0, 4, 3}},
        {{25, 15, 90, 80}, {25, 15, 30, 20}},
        {{40, 40, 50, 50}, {30, 20, 30, 20}},
        {{6, 6, 6, 6}, {6, 6, 6, 6}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.rect.left << "," << c.rect.top << "," << c.rect.right << ","
                                        << c.rect.bottom);
        const Bitmap result = croppedBitmap(source, c.rect);
        Bitmap expected(c.inside.width(), c.inside.height(), pf24bit);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x)
                expected.setPixel(x, y, source.pixel(x + c.inside.left, y + c.inside.top));
        EXPECT_TRUE(sameBitmap(expected, result));
    }
}

TEST(Frame, EachPressWrapsAPureRingAroundThePicture)
{
    struct Case {
        int width, presses;
    };
    const Colour colour = rgb(255, 0, 0);
    for (const Case c : {Case{4, 1}, Case{4, 2}, Case{0, 3}, Case{1, 5}, Case{20, 1}}) {
        SCOPED_TRACE(testing::Message() << "width " << c.width << " x" << c.presses);
        const Bitmap source = numbered(100, 80);
        Bitmap picture(source);
        for (int i = 0; i < c.presses; ++i) AddFrame(picture, c.width, colour);
        const int border = c.width * c.presses;
        Bitmap expected(100 + 2 * border, 80 + 2 * border, pf24bit);
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) {
                const bool inPicture = x >= border && y >= border && x < border + 100 && y < border + 80;
                expected.setPixel(x, y, inPicture ? source.pixel(x - border, y - border) : colour);
            }
        EXPECT_TRUE(sameBitmap(expected, picture));
    }
}

TEST(Frame, FourTwiceOn100By80Gives116By96AndBadWidthsChangeNothing)
{
    Bitmap picture = numbered(100, 80);
    AddFrame(picture, 4, rgb(1, 2, 3));
    AddFrame(picture, 4, rgb(1, 2, 3));
    EXPECT_EQ(picture.width(), 116);
    EXPECT_EQ(picture.height(), 96);

    const Bitmap before = numbered(10, 10);
    Bitmap b(before);
    EXPECT_THROW(AddFrame(b, -1, clRed), RangeError);
    EXPECT_THROW(AddFrame(b, 20000, clRed), OutOfResources);
    EXPECT_TRUE(sameBitmap(before, b));
}
