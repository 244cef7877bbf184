// The segmented gauge as the system window sets it up: filled length, the
// blocks drawn, and its colours against a model written from the rules.
#include "widgets/q_progress_bar.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace kel {
namespace {

// ---- model: hue, lightness and saturation on 0..240, the glass curve, the colour along the bar

struct ModelHls {
    int h, l, s;
};

ModelHls modelToHls(int r, int g, int b)
{
    const int hi = std::max({r, g, b}), lo = std::min({r, g, b});
    const int l = ((hi + lo) * 240 + 255) / 510;
    if (hi == lo) return {160, l, 0};
    const int d = hi - lo;
    const int s = l <= 120 ? (d * 240 + (hi + lo) / 2) / (hi + lo) : (d * 240 + (510 - hi - lo) / 2) / (510 - hi - lo);
    const int dr = ((hi - r) * 40 + d / 2) / d, dg = ((hi - g) * 40 + d / 2) / d, db = ((hi - b) * 40 + d / 2) / d;
    int h = r == hi ? db - dg : g == hi ? 80 + dr - db : 160 + dg - dr;
    if (h < 0) h += 240;
    if (h > 240) h -= 240;
    return {h, l, s};
}

QRgb modelFromHls(ModelHls c)
{
    if (c.s == 0) return qRgb(c.l * 255 / 240, c.l * 255 / 240, c.l * 255 / 240);
    const int q = c.l <= 120 ? (c.l * (240 + c.s) + 120) / 240 : c.l + c.s - (c.l * c.s + 120) / 240;
    const int p = 2 * c.l - q;
    auto channel = [&](int h) {
        h = h < 0 ? h + 240 : h > 240 ? h - 240 : h;
        const int v = h < 40 ? p + ((q - p) * h + 20) / 40 : h < 120 ? q : h < 160 ? p + ((q - p) * (160 - h) + 20) / 40 : p;
        return (v * 255 + 120) / 240;
    };
    return qRgb(channel(c.h + 80), channel(c.h), channel(c.h - 80));
}

double glass(double x)
{
    return -4342.9 * std::pow(x, 5) + 10543 * std::pow(x, 4) - 8216 * std::pow(x, 3) + 2018.1 * x * x + 11.096 * x + 164.6;
}

// Pixel (x, row) of a 63 x 297 glass gauge running from red to `final`.
QRgb modelPixel(int x, int row, int finalRed, int finalGreen)
{
    const int length = 293, shades = 60;
    auto along = [&](int s, int f) {
        if (row == 0) return s;
        const double t = double(row) / length;
        return s < f ? s + int((f - s) * t) : s - int((s - f) * t);
    };
    ModelHls c = modelToHls(along(255, finalRed), along(0, finalGreen), 0);
    c.l = int(std::lrint(glass(double(x) / shades)));
    return modelFromHls(c);
}

// ---- the gauges of the system window

void setUpAsSystemWindow(TQProgressBar& bar, Colour finalColour)
{
    bar.setGeometry(0, 0, 63, 297);
    bar.setOrientation(gauge::Orientation::Vertical);
    bar.setBarKind(gauge::BarKind::Cylinder);
    bar.setBarLook(gauge::BarLook::Glass);
    bar.setShapeColor(clBtnFace);
    bar.setBackgroundColor(clWhite);
    bar.setBarColor(clRed);
    bar.setStartColor(clRed);
    bar.setFinalColor(finalColour);
    bar.setBlockSize(15);
    bar.setSpaceSize(4);
    bar.setShowFullBlock(true);
}

// Rows with any pixel other than the background white inside the frame.
std::set<int> drawnRows(const QImage& image)
{
    std::set<int> rows;
    for (int y = 3; y < image.height() - 3; ++y)
        for (int x = 2; x < image.width() - 2; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255)) rows.insert(y);
    return rows;
}

std::set<int> blockRows(std::initializer_list<int> tops)
{
    std::set<int> rows;
    for (int top : tops)
        for (int row = top; row < std::min(top + 15, 291); ++row) rows.insert(std::max(row, 4));
    return rows;
}

TEST(Gauge, FillsAndDrawsOnlyCompleteBlocks)
{
    struct Case {
        int position;
        int filled;
        std::set<int> rows;
    };
    const Case cases[] = {
        {20, 59, blockRows({276, 257, 238})},
        {1, 5, {}},
        {0, 0, {}},
        {100, 293, blockRows({276, 257, 238, 219, 200, 181, 162, 143, 124, 105, 86, 67, 48, 29, 10, -9})},
        {250, 293, blockRows({276, 257, 238, 219, 200, 181, 162, 143, 124, 105, 86, 67, 48, 29, 10, -9})},
        {-5, 0, {}},
    };
    TQProgressBar bar;
    setUpAsSystemWindow(bar, clLime);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.position);
        bar.setPosition(c.position);
        EXPECT_EQ(bar.filledLength(), c.filled);
        EXPECT_EQ(drawnRows(bar.grab().toImage()), c.rows);
    }

    bar.setMaximum(0);
    EXPECT_EQ(bar.filledLength(), 0);
    bar.setMaximum(-3);
    EXPECT_EQ(bar.maximum(), 0);

    bar.setBlockSize(400); // longer than the bar: ignored
    EXPECT_EQ(bar.blockSize(), 15);
    bar.setBlockSize(-10);
    EXPECT_EQ(bar.blockSize(), 10);
}

TEST(Gauge, ColoursFollowTheGlassCurveAcrossAndTheColoursAlong)
{
    struct Case {
        Colour final;
        int finalRed, finalGreen;
    };
    for (const Case& c : {Case{clRed, 255, 0}, Case{clLime, 0, 255}}) {
        TQProgressBar bar;
        setUpAsSystemWindow(bar, c.final);
        bar.setPosition(100);
        const QImage image = bar.grab().toImage();
        for (const int row : {4, 5, 10, 100, 150, 276, 290})
            for (const int x : {3, 10, 18, 31, 45, 59}) {
                SCOPED_TRACE(testing::Message() << "row " << row << " column " << x << " final " << c.final);
                EXPECT_EQ(image.pixel(x, row), modelPixel(x, row, c.finalRed, c.finalGreen));
            }
        // The columns at the sides of the bar stay background.
        EXPECT_EQ(image.pixel(2, 100), qRgb(255, 255, 255));
        EXPECT_EQ(image.pixel(60, 100), qRgb(255, 255, 255));
    }
}

TEST(Gauge, HlsRoundTripsAgainstTheModel)
{
    for (int r = 0; r < 256; r += 15)
        for (int g = 0; g < 256; g += 17)
            for (int b = 0; b < 256; b += 51) {
                const gauge::Hls hls = gauge::toHls(rgb(r, g, b));
                const ModelHls model = modelToHls(r, g, b);
                ASSERT_EQ(hls.hue, model.h) << r << ' ' << g << ' ' << b;
                ASSERT_EQ(hls.lightness, model.l);
                ASSERT_EQ(hls.saturation, model.s);
                const Colour back = gauge::fromHls(hls);
                ASSERT_EQ(qRgb(redOf(back), greenOf(back), blueOf(back)), modelFromHls(model));
            }
}

TEST(Gauge, HorizontalBlocksCountFromTheLeft)
{
    TQProgressBar bar;
    bar.resize(100, 20); // border 2, length 96
    bar.setBackgroundColor(clWhite);
    bar.setBlockSize(10);
    bar.setSpaceSize(5);
    bar.setShowFullBlock(true);
    bar.setPosition(50); // 48 filled: blocks 3..12, 18..27 and 33..42 complete, 48..57 not
    const QImage image = bar.grab().toImage();
    std::set<int> columns, expected;
    for (int x = 1; x < 99; ++x)
        if (image.pixel(x, 10) != qRgb(255, 255, 255)) columns.insert(x);
    for (int first : {3, 18, 33})
        for (int x = first; x < first + 10; ++x) expected.insert(x);
    EXPECT_EQ(columns, expected);
}

} // namespace
} // namespace kel
