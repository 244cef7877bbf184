// The spatial effects on tiny pictures, pixels worked out by hand.
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"
#include "view/effects/spatial_effects.h"
#include "graphics/palettes.h"
#include "view/effects/nearest_halftone.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>
#include <vector>

namespace kel {
namespace {

using test::bitmapFrom;
using test::sameBitmap;

Colour g(int v) { return rgb(v, v, v); }

// A picture of grey levels, row by row.
Bitmap greys(int width, int height, std::initializer_list<int> levels)
{
    Bitmap bitmap(width, height);
    auto it = levels.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, g(*it++));
    return bitmap;
}

Bitmap uniform(int width, int height, Colour colour)
{
    Bitmap bitmap(width, height);
    fillRows(bitmap, 0, height, colour);
    return bitmap;
}

// ---- emboss ----

TEST(Emboss, PairsWithThePixelOneDownThreeRightAndTheLastRowWithTheRowAbove)
{
    Bitmap picture = greys(4, 2, {10, 20, 30, 40, //
                                  50, 60, 70, 80});
    emboss(picture);
    // Row 0: x = 0 pairs with (3, 1); the last three columns pair straight down.
    // Row 1 pairs with the embossed row 0 (92, 107, 107, 107).
    EXPECT_TRUE(sameBitmap(greys(4, 2, {92, 107, 107, 107, //
                                        99, 104, 109, 114}),
                           picture));
}

TEST(Emboss, UniformPictureGoesMidGreyWithALighterLastRow)
{
    Bitmap picture = uniform(6, 3, g(100));
    emboss(picture);
    EXPECT_TRUE(sameBitmap(greys(6, 3, {127, 127, 127, 127, 127, 127, //
                                        127, 127, 127, 127, 127, 127, //
                                        114, 114, 114, 114, 114, 114}),
                           picture));
}

TEST(Emboss, ChannelsAreTreatedApart)
{
    Bitmap picture = bitmapFrom(1, 2, {rgb(255, 0, 10), rgb(0, 255, 30)});
    emboss(picture);
    // (255 - 0 + 255) >> 1, (255 - 255 + 0) >> 1, (255 - 30 + 10) >> 1; then the last row.
    EXPECT_TRUE(sameBitmap(bitmapFrom(1, 2, {rgb(255, 0, 117), rgb(0, 255, 84)}), picture));
}

TEST(Emboss, NarrowAndSingleRowPicturesStayInside)
{
    Bitmap narrow = greys(2, 2, {10, 20, //
                                 50, 60});
    emboss(narrow);
    EXPECT_TRUE(sameBitmap(greys(2, 2, {107, 107, //
                                        99, 104}),
                           narrow));
    // A single row pairs with itself: the last three columns average to 127,
    // the others use the unchanged pixel three to the right.
    Bitmap row = greys(5, 1, {0, 10, 20, 30, 40});
    emboss(row);
    EXPECT_TRUE(sameBitmap(greys(5, 1, {112, 112, 127, 127, 127}), row));
}

// ---- mosaic ----

Colour at(int x, int y) { return rgb(x * 40, y * 60, 100 + x + y); }

Bitmap numbered(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, at(x, y));
    return bitmap;
}

TEST(Mosaic, BlocksTakeTheirTopLeftColourAndAreCutAtTheEdges)
{
    Bitmap picture = numbered(5, 3);
    mosaic(picture, 2);
    EXPECT_TRUE(sameBitmap(bitmapFrom(5, 3, {at(0, 0), at(0, 0), at(2, 0), at(2, 0), at(4, 0), //
                                             at(0, 0), at(0, 0), at(2, 0), at(2, 0), at(4, 0), //
                                             at(0, 2), at(0, 2), at(2, 2), at(2, 2), at(4, 2)}),
                           picture));
}

TEST(Mosaic, OneLeavesThePictureAndTheLargerSideMakesOneBlock)
{
    Bitmap picture = numbered(5, 3);
    mosaic(picture, 1);
    EXPECT_TRUE(sameBitmap(numbered(5, 3), picture));
    mosaic(picture, 5);
    EXPECT_TRUE(sameBitmap(uniform(5, 3, at(0, 0)), picture));
}

// ---- split blur ----

TEST(SplitBlur, UniformPictureIsUnchanged)
{
    Bitmap picture = uniform(9, 7, rgb(12, 130, 240));
    splitBlur(picture, 2);
    EXPECT_TRUE(sameBitmap(uniform(9, 7, rgb(12, 130, 240)), picture));
}

TEST(SplitBlur, LowerTapsNearTheBottomComeFromRowsOneToD)
{
    // One column: left and right taps are the column itself.
    Bitmap picture = greys(1, 4, {10, 50, 90, 130});
    splitBlur(picture, 1);
    // Row 3 has no row below: its lower tap is row H - 3 = 1, already blurred.
    EXPECT_TRUE(sameBitmap(greys(1, 4, {30, 60, 95, 77}), picture));

    Bitmap twice = greys(1, 4, {10, 50, 90, 130});
    splitBlur(twice, 2);
    // Row 1 uses itself above; row 2 uses itself below (H - 2 = 2); row 3 uses row 1.
    EXPECT_TRUE(sameBitmap(greys(1, 4, {50, 90, 70, 90}), twice));
}

TEST(SplitBlur, RightTapsNearTheRightEdgeComeFromColumnsOneToD)
{
    Bitmap picture = greys(4, 1, {10, 50, 90, 130});
    splitBlur(picture, 1);
    EXPECT_TRUE(sameBitmap(greys(4, 1, {30, 60, 95, 77}), picture));
}

TEST(SplitBlur, MiddleOfALargerPictureUsesTheFourDiagonalTaps)
{
    Bitmap picture(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) writePixel(picture, x, y, g(x * 30 + y * 7));
    splitBlur(picture, 2);
    // Row 0 blurs in place against row 2: (1, 0) becomes (30 + 44 + 90 + 104) / 4 = 67
    // (left tap itself), (5, 0) becomes (106 + 104 + 76 + 74) / 4 = 90 (right tap
    // column W - 5 = 2, both row-0 taps already blurred).
    // (3, 2) then takes rows 0 (new) and 4 (old), columns 1 and 5.
    EXPECT_EQ(readPixel(picture, 1, 0), g(67));
    EXPECT_EQ(readPixel(picture, 5, 0), g(90));
    EXPECT_EQ(readPixel(picture, 3, 2), g((67 + 58 + 90 + 178) / 4));
}

TEST(SplitBlur, DistancesBeyondThePictureStayInside)
{
    // Column 0's right tap would be column W; it takes the last column instead.
    Bitmap picture = greys(2, 1, {10, 90});
    splitBlur(picture, 5);
    EXPECT_TRUE(sameBitmap(greys(2, 1, {50, 90}), picture));
    Bitmap square = uniform(3, 3, g(40));
    splitBlur(square, 255);
    EXPECT_TRUE(sameBitmap(uniform(3, 3, g(40)), square));
}

TEST(GaussianBlur, RunsTheSplitBlurAtDistanceThreeOneMoreTimeThanAsked)
{
    Bitmap picture = numbered(9, 8);
    Bitmap expected = numbered(9, 8);
    for (int pass = 0; pass < 2; ++pass) splitBlur(expected, 3);
    gaussianBlur(picture, 1);
    EXPECT_TRUE(sameBitmap(expected, picture));
    Bitmap tiny = numbered(2, 3); // smaller than the distance: nothing outside is touched
    gaussianBlur(tiny, 3);
}

// ---- anti-alias ----

TEST(AntiAlias, SmoothsTheInteriorFromAlreadySmoothedNeighbours)
{
    Bitmap picture = greys(4, 3, {0, 10, 20, 30, //
                                  40, 0, 200, 70, //
                                  80, 90, 100, 110});
    antiAlias(picture, 1);
    // (1, 1) = (10 + 90 + 40 + 200) / 4 = 85; (2, 1) = (20 + 100 + 85 + 70) / 4 = 68.
    EXPECT_TRUE(sameBitmap(greys(4, 3, {0, 10, 20, 30, //
                                        40, 85, 68, 70, //
                                        80, 90, 100, 110}),
                           picture));
    antiAlias(picture, 1);
    EXPECT_EQ(readPixel(picture, 1, 1), g(52));
    EXPECT_EQ(readPixel(picture, 2, 1), g(60));
}

TEST(AntiAlias, BorderIsNeverChanged)
{
    Bitmap picture = numbered(6, 5);
    antiAlias(picture, 7);
    const Bitmap original = numbered(6, 5);
    for (int x = 0; x < 6; ++x) {
        EXPECT_EQ(readPixel(picture, x, 0), readPixel(original, x, 0));
        EXPECT_EQ(readPixel(picture, x, 4), readPixel(original, x, 4));
    }
    for (int y = 0; y < 5; ++y) {
        EXPECT_EQ(readPixel(picture, 0, y), readPixel(original, 0, y));
        EXPECT_EQ(readPixel(picture, 5, y), readPixel(original, 5, y));
    }
}

TEST(AntiAlias, PicturesWithoutInteriorAreUnchanged)
{
    Bitmap thin = numbered(2, 6), flat = numbered(6, 2);
    antiAlias(thin, 3);
    antiAlias(flat, 3);
    EXPECT_TRUE(sameBitmap(numbered(2, 6), thin));
    EXPECT_TRUE(sameBitmap(numbered(6, 2), flat));
}

// ---- trace ----

constexpr Colour A = clWhite;
constexpr Colour B = clRed;
constexpr Colour K = clBlack;

Bitmap traceSample()
{
    return bitmapFrom(4, 3, {A, A, B, B, //
                             A, A, A, B, //
                             A, A, A, A});
}

TEST(Trace, OnePassMarksOnTheForwardScanOnly)
{
    Bitmap picture = traceSample();
    trace(picture, 1);
    // The forward scan reaches columns 0..1: only (1, 0) meets B on its right.
    EXPECT_TRUE(sameBitmap(bitmapFrom(4, 3, {A, K, B, B, //
                                             A, A, A, B, //
                                             A, A, A, A}),
                           picture));
}

TEST(Trace, LaterPassesAddTheBackwardScan)
{
    Bitmap picture = traceSample();
    trace(picture, 2);
    // Backward: (3, 2) meets B above and is not of the marked colour; (3, 1)
    // is of the marked colour and blackens its left neighbour (2, 1), which
    // then blackens itself against B above.
    const Bitmap expected = bitmapFrom(4, 3, {A, K, B, B, //
                                              A, A, K, B, //
                                              A, A, A, K});
    EXPECT_TRUE(sameBitmap(expected, picture));
    Bitmap many = traceSample();
    trace(many, 10);
    EXPECT_TRUE(sameBitmap(expected, many));
}

TEST(Trace, TwoColumnsScanColumnZeroForwardAndOneBackward)
{
    Bitmap picture = bitmapFrom(2, 2, {A, B, //
                                       A, A});
    trace(picture, 1);
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 2, {K, B, A, A}), picture));
    trace(picture, 2); // the compared copy is taken afresh: (0, 0) is black now
    EXPECT_EQ(readPixel(picture, 1, 1), K);
}

TEST(Trace, UniformPictureHasNoMarks)
{
    Bitmap picture = uniform(5, 4, rgb(20, 200, 90));
    trace(picture, 3);
    EXPECT_TRUE(sameBitmap(uniform(5, 4, rgb(20, 200, 90)), picture));
}

TEST(SpatialEffects, RefuseBitmapsThatAreNotTrueColour)
{
    Bitmap indexed(4, 4, pf8bit);
    EXPECT_THROW(emboss(indexed), RangeError);
    EXPECT_THROW(antiAlias(indexed, 1), RangeError);
    EXPECT_THROW(trace(indexed, 1), RangeError);
}

// ---- nearest halftone entry ----

// The whole palette scanned for each colour: the lowest index among the nearest.
int scannedNearest(const Palette& palette, int red, int green, int blue)
{
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const int dr = red - redOf(palette[i]), dg = green - greenOf(palette[i]), db = blue - blueOf(palette[i]);
        if (dr * dr + dg * dg + db * db < bestDistance) {
            bestDistance = dr * dr + dg * dg + db * db;
            best = int(i);
        }
    }
    return best;
}

// A million random colours, and every colour whose channels all lie near a
// level of the cube or of the grey ramp, where the ties and the cell edges are.
TEST(HalftoneNearest, AnswersThePaletteScanIncludingItsTies)
{
    const Palette& palette = halftonePalette();
    const HalftoneNearest& nearest = HalftoneNearest::instance();
    std::vector<int> nearLevels;
    for (int v = 0; v < 256; ++v)
        if (v % 51 <= 1 || (v % 51 >= 24 && v % 51 <= 27) || v % 51 == 50 || v * 21 % 255 < 30) nearLevels.push_back(v);
    std::vector<Colour> colours;
    for (const int r : nearLevels)
        for (const int g : nearLevels)
            for (const int b : nearLevels) colours.push_back(rgb(r, g, b));
    std::mt19937 draws(2024);
    for (int i = 0; i < 1 << 20; ++i) colours.push_back(Colour(draws() & 0xFFFFFF));
    // One long row, stored blue, green, red, mapped one by one and with vectors.
    std::vector<std::uint8_t> row;
    for (const Colour c : colours) row.insert(row.end(), {std::uint8_t(blueOf(c)), std::uint8_t(greenOf(c)), std::uint8_t(redOf(c))});
    for (const bool vectors : {false, true}) {
        std::vector<std::uint8_t> indices(colours.size());
        nearest.indexRow(row.data(), int(colours.size()), indices.data(), vectors);
        int mismatches = 0;
        for (std::size_t i = 0; i < colours.size(); ++i)
            mismatches += indices[i] != scannedNearest(palette, redOf(colours[i]), greenOf(colours[i]), blueOf(colours[i]));
        EXPECT_EQ(mismatches, 0) << "of " << colours.size() << (vectors ? " with vectors" : " one by one");
    }
}

// The trace pair by pair in scan order, on indices from the palette scan.
Bitmap tracedInScanOrder(Bitmap picture, int passes)
{
    const int w = picture.width(), h = picture.height();
    std::vector<int> index(std::size_t(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Colour c = readPixel(picture, x, y);
            index[std::size_t(y * w + x)] = scannedNearest(halftonePalette(), redOf(c), greenOf(c), blueOf(c));
        }
    bool marked = false;
    int mark = 0;
    auto pair = [&](int x, int y, int nx, int ny) {
        const int c = index[std::size_t(y * w + x)], n = index[std::size_t(ny * w + nx)];
        if (n == c) return;
        if (!marked) {
            marked = true;
            mark = n;
        } else if (c == mark) {
            x = nx, y = ny;
        }
        writePixel(picture, x, y, clBlack);
    };
    for (int pass = 1; pass <= passes; ++pass) {
        for (int y = 0; y + 1 < h; ++y)
            for (int x = 0; x <= std::max(w - 3, 0); ++x) {
                if (x + 1 < w) pair(x, y, x + 1, y);
                pair(x, y, x, y + 1);
            }
        for (int y = h - 1; pass >= 2 && y >= 1; --y)
            for (int x = w - 1; x >= std::min(2, w - 1); --x) {
                if (x >= 1) pair(x, y, x - 1, y);
                pair(x, y, x, y - 1);
            }
    }
    return picture;
}

// Random pictures of a few colours (wide regions) or of any colours, and a
// picture whose only boundary lies where the backward scan alone looks.
TEST(Trace, MarksEveryPictureAsTheScansInTurnDo)
{
    std::mt19937 draws(7);
    std::vector<Bitmap> pictures;
    const std::pair<int, int> sizes[] = {{1, 1}, {1, 9}, {9, 1}, {2, 7}, {3, 5}, {4, 4}, {37, 23}};
    for (const auto& [w, h] : sizes)
        for (const int colours : {2, 5, 1 << 24}) {
            Bitmap picture(w, h);
            const Colour few[5] = {Colour(draws() & 0xFFFFFF), Colour(draws() & 0xFFFFFF), clWhite, clRed, clBlack};
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x)
                    writePixel(picture, x, y, colours == 1 << 24 ? Colour(draws() & 0xFFFFFF) : few[draws() % colours]);
            pictures.push_back(picture);
        }
    Bitmap lastColumn = uniform(6, 4, clWhite);
    writePixel(lastColumn, 5, 3, clRed);
    pictures.push_back(lastColumn);
    for (const Bitmap& picture : pictures)
        for (const int passes : {1, 2, 3}) {
            Bitmap traced = picture;
            trace(traced, passes);
            EXPECT_TRUE(sameBitmap(tracedInScanOrder(picture, passes), traced))
                << picture.width() << " x " << picture.height() << ", " << passes << " passes";
        }
}

} // namespace
} // namespace kel
