// The incline page's turn.
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "operations/incline.h"
#include "support/bitmap_compare.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <random>

using namespace kel;
using kel::test::sameBitmap;

namespace {

Bitmap numbered(int width, int height)
{
    Bitmap b(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.setPixel(x, y, rgb(x * 13 + y, y * 17 + 3, (x * y * 7) & 0xFF));
    return b;
}

// Channels linear in x and y, so any interpolation of neighbours gives the
// ramp's own value at the interpolated point.
Colour rampAt(double x, double y)
{
    auto v = [](double value) { return int(std::lround(std::clamp(value, 0.0, 255.0))); };
    return rgb(v(2 * x + 3 * y + 10), v(200 - 3 * x - 2 * y), v(5 * x + 1));
}

Bitmap ramp(int width, int height)
{
    Bitmap b(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) b.setPixel(x, y, rampAt(x, y));
    return b;
}

// The clockwise quarter turn of a square picture, the top row becoming the right column.
Bitmap quarterTurn(const Bitmap& source)
{
    const int n = source.width();
    Bitmap out(n, n, pf24bit);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) out.setPixel(n - 1 - y, x, source.pixel(x, y));
    return out;
}

} // namespace

TEST(Incline, AngleZeroIsAnExactCopy)
{
    for (auto [w, h] : {std::pair{1, 1}, {2, 3}, {7, 5}, {64, 48}, {33, 90}}) {
        const Bitmap source = numbered(w, h);
        EXPECT_TRUE(sameBitmap(source, inclinedBitmap(source, 0, clWhite))) << w << " x " << h;
    }
}

TEST(Incline, NinetyOnAnEvenSquareIsTheClockwiseQuarterTurn)
{
    for (int side : {2, 4, 10, 16, 64}) {
        const Bitmap source = numbered(side, side);
        EXPECT_TRUE(sameBitmap(quarterTurn(source), inclinedBitmap(source, 90, rgb(1, 2, 3)))) << side;
    }
}

TEST(Incline, RampsTurnedByAnyAngleReadTheRampAtTheTurnedPoint)
{
    // The model turns each destination pixel centre counter-clockwise about
    // the turning point (W div 2, H div 2), a pixel corner, to find where it
    // comes from; outside the picture the background stays.
    const Colour background = rgb(255, 0, 255);
    struct Case {
        int width, height;
        double angle;
    };
    for (const Case c : {Case{5, 5, 90}, Case{5, 5, 30}, Case{40, 30, 30}, Case{40, 30, 45}, Case{31, 17, 73.5},
                         Case{6, 9, 12}}) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " at " << c.angle);
        const Bitmap result = inclinedBitmap(ramp(c.width, c.height), c.angle, background);
        const double a = c.angle * std::numbers::pi / 180;
        const double px = c.width / 2, py = c.height / 2;
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const double ux = x + 0.5 - px, uy = y + 0.5 - py;
                const double sx = px + ux * std::cos(a) + uy * std::sin(a) - 0.5;
                const double sy = py - ux * std::sin(a) + uy * std::cos(a) - 0.5;
                const double nx = std::round(sx), ny = std::round(sy);
                // Points near a pixel boundary may go either way; so may the last
                // row and column, where the far neighbour is the pixel itself.
                if (std::abs(std::abs(sx - std::trunc(sx)) - 0.5) < 1e-9
                    || std::abs(std::abs(sy - std::trunc(sy)) - 0.5) < 1e-9)
                    continue;
                const Colour got = result.pixel(x, y);
                if (nx < 0 || ny < 0 || nx >= c.width || ny >= c.height) {
                    ASSERT_EQ(got, background) << "(" << x << ", " << y << ")";
                    continue;
                }
                if (nx == c.width - 1 || ny == c.height - 1) continue;
                const Colour model = rampAt(sx, sy);
                ASSERT_LE(std::abs(redOf(got) - redOf(model)), 1) << "(" << x << ", " << y << ")";
                ASSERT_LE(std::abs(greenOf(got) - greenOf(model)), 1) << "(" << x << ", " << y << ")";
                ASSERT_LE(std::abs(blueOf(got) - blueOf(model)), 1) << "(" << x << ", " << y << ")";
            }
    }
}

TEST(Incline, FiveByFiveRampAtNinetyAgainstTheQuarterTurnModel)
{
    // On an odd side the turn about (2, 2) moves the picture one column left of
    // the plain quarter turn: column x shows source row 3 - x, column 4 the background.
    const Bitmap source = ramp(5, 5);
    const Colour background = rgb(9, 8, 7);
    Bitmap expected(5, 5, pf24bit);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) expected.setPixel(x, y, x == 4 ? background : source.pixel(y, 3 - x));
    EXPECT_TRUE(sameBitmap(expected, inclinedBitmap(source, 90, background)));
}

TEST(Incline, FortyFiveDegreesShowsTheBackgroundInTheCorners)
{
    const Colour background = rgb(255, 255, 255);
    Bitmap source(200, 100, pf24bit);
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x) source.setPixel(x, y, rgb(20, 40, 60));
    const Bitmap result = inclinedBitmap(source, 45, background);
    for (auto [x, y] : {std::pair{0, 0}, {199, 0}, {0, 99}, {199, 99}, {1, 0}, {199, 1}})
        EXPECT_EQ(result.pixel(x, y), background) << x << ", " << y;
    for (auto [x, y] : {std::pair{100, 50}, {100, 0}, {100, 99}, {60, 50}, {140, 50}})
        EXPECT_EQ(result.pixel(x, y), rgb(20, 40, 60)) << x << ", " << y;
}

TEST(Incline, DestinationOfAnotherSizeIsWrittenOnlyWhereTheSourceLands)
{
    const Bitmap source = numbered(10, 6);
    // A larger destination: the source centred on it.
    Bitmap large(20, 12, pf24bit);
    TurnBitmap(source, large, 10, 0, 6);
    Bitmap expected(20, 12, pf24bit);
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 10; ++x) expected.setPixel(x + 5, y + 3, source.pixel(x, y));
    EXPECT_TRUE(sameBitmap(expected, large));
    // Smaller destinations and any angle stay inside both bitmaps.
    for (double angle : {0.0, 17.0, 90.0, 200.0, -45.0, std::nan("")}) {
        Bitmap small(3, 2, pf24bit);
        TurnBitmap(source, small, 1, angle, 1);
        TurnBitmap(Bitmap(1, 1, pf24bit), small, 0, angle, 0);
    }
    Bitmap device(10, 6, pfDevice);
    EXPECT_THROW(TurnBitmap(source, device, 5, 10, 3), RangeError);
}

namespace {

// The turn written out plainly, pixel by pixel, with the library's rint.
Bitmap plainTurn(const Bitmap& source, Bitmap destination, int cx, double angle, int cy)
{
    const long double theta = -static_cast<long double>(angle) * std::numbers::pi_v<long double> / 180;
    const double c = double(std::cos(theta)), s = double(std::sin(theta));
    const int sw = source.width(), sh = source.height();
    const int ox = (destination.width() - sw) / 2, oy = (destination.height() - sh) / 2;
    for (int y = 0; y < destination.height(); ++y)
        for (int x = 0; x < destination.width(); ++x) {
            const double dx = 2 * (double(x) - cx) + 1, dy = 2 * (double(y) - cy) + 1;
            const double sx = (dx * c - dy * s - 1) / 2 + cx - ox, sy = (dx * s + dy * c - 1) / 2 + cy - oy;
            const double ix = std::rint(sx), iy = std::rint(sy);
            if (!(ix >= 0 && ix < sw && iy >= 0 && iy < sh)) continue;
            const double fx = sx - ix, fy = sy - iy;
            const int x0 = int(ix), y0 = int(iy), x1 = std::min(x0 + 1, sw - 1), y1 = std::min(y0 + 1, sh - 1);
            const Colour p00 = source.pixel(x0, y0), p10 = source.pixel(x1, y0);
            const Colour p01 = source.pixel(x0, y1), p11 = source.pixel(x1, y1);
            int channel[3];
            for (int k = 0; k < 3; ++k) {
                const auto at = [k](Colour p) { return double((p >> (8 * k)) & 0xFF); };
                const double top = at(p00) + fx * (at(p10) - at(p00));
                const double bottom = at(p01) + fx * (at(p11) - at(p01));
                channel[k] = std::clamp(int(std::rint(top + fy * (bottom - top))), 0, 255);
            }
            destination.setPixel(x, y, rgb(channel[0], channel[1], channel[2]));
        }
    return destination;
}

} // namespace

TEST(Incline, RandomTurnsMatchThePlainFormulaByteForByteWithEveryInstructionSet)
{
    std::mt19937 random(20261209);
    const auto between = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
    const auto noise = [&](int width, int height) {
        // Noise, so that every extrapolated weight shows in the bytes.
        Bitmap b(width, height, pf24bit);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) b.setPixel(x, y, Colour(random() & 0xFFFFFF));
        return b;
    };
    // The last round is large enough to be split between threads.
    for (int round = 0; round <= 60; ++round) {
        const Bitmap source = round == 60 ? noise(1201, 901) : noise(between(1, 150), between(1, 150));
        const bool sameSize = round % 3 != 0 || round == 60;
        Bitmap destination(sameSize ? source.width() : between(1, 200), sameSize ? source.height() : between(1, 200),
                           pf24bit);
        fillRows(destination, 0, destination.height(), rgb(7, 77, 177));
        const int cx = round % 4 ? destination.width() / 2 : between(-20, 220);
        const int cy = round % 4 ? destination.height() / 2 : between(-20, 220);
        const double angle = round % 5 ? between(0, 90) : between(-360000, 360000) / 1000.0;
        SCOPED_TRACE(testing::Message() << source.width() << " x " << source.height() << " onto " << destination.width()
                                        << " x " << destination.height() << " at " << angle);
        const Bitmap expected = plainTurn(source, destination, cx, angle, cy);
        for (TurnSimd level : {TurnSimd::None, TurnSimd::Avx2, TurnSimd::Avx512}) {
            if (level > bestTurnSimd()) continue;
            Bitmap turned(destination);
            TurnBitmap(source, turned, cx, angle, cy, level);
            ASSERT_TRUE(sameBitmap(expected, turned)) << "instruction set " << int(level);
        }
    }
}
