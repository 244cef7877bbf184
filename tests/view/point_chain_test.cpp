// The tone chain against hand-worked values and against a plain per-pixel
// rendering of the chain written independently here.
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"
#include "view/effects/point_chain.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace kel {
namespace {

// ---- the chain as written, one pixel at a time ----

std::int64_t clampTo255(std::int64_t v) { return std::min<std::int64_t>(255, std::max<std::int64_t>(0, v)); }
std::int64_t roundHalfEven(double x) { return std::int64_t(std::nearbyint(x)); }

Colour referencePixel(const ToneSettings& s, Colour source, Colour noise)
{
    std::int64_t ch[3] = {redOf(source), greenOf(source), blueOf(source)};
    const std::int64_t n[3] = {redOf(noise), greenOf(noise), blueOf(noise)};
    if (s.posterize != 0) {
        for (auto& v : ch) v = roundHalfEven(double(v) / s.posterize) * s.posterize;
    } else if (s.solorize != 0) {
        const std::int64_t a = (ch[0] + ch[1] + ch[2]) / 3;
        if (a > 255 - s.solorize)
            for (auto& v : ch) v = 255 - v;
    }
    for (int c = 0; c < 3; ++c) {
        const std::int64_t v = ch[c];
        std::int64_t t = 0, l = 0, d = 0;
        if (s.contrast != 0) {
            t = (std::abs(127 - v) * s.contrast) / 255;
            if (v <= 127) t = -t;
        }
        if (s.lightness != 0) l = ((255 - v) * s.lightness) / 255;
        if (s.darkness != 0) d = (-(v * s.darkness)) / 255;
        ch[c] = clampTo255(v + n[c] + t + l + d + s.brightness);
    }
    for (int pass = 0; pass < s.splitlight; ++pass)
        for (auto& v : ch) v = roundHalfEven(std::sin(double(v) / 255 * std::numbers::pi / 2) * 255);
    if (s.grayScale) {
        const std::int64_t g = roundHalfEven(ch[0] * 0.3 + ch[1] * 0.59 + ch[2] * 0.11);
        for (auto& v : ch) v = g;
    } else if (s.saturation != 0) {
        const std::int64_t a = (ch[0] + ch[1] + ch[2]) / 3;
        for (auto& v : ch) v = clampTo255(((v - a) * (s.saturation + 255)) / 255 + a);
    }
    if (s.invert)
        for (auto& v : ch) v = 255 - v;
    return rgb(int(ch[0]), int(ch[1]), int(ch[2]));
}

// ---- helpers ----

Colour chained(const ToneSettings& s, Colour source, Colour noise = clBlack)
{
    Bitmap in(1, 1), noiseLayer(1, 1), out(1, 1);
    writePixel(in, 0, 0, source);
    writePixel(noiseLayer, 0, 0, noise);
    applyToneChain(s, in, &noiseLayer, out);
    const Colour withLayer = readPixel(out, 0, 0);
    if (noise == clBlack) { // the no-layer path must agree with a layer of zeros
        applyToneChain(s, in, nullptr, out);
        EXPECT_EQ(test::colourText(withLayer), test::colourText(readPixel(out, 0, 0)));
    }
    return withLayer;
}

int channel(const ToneSettings& s, int v) { return redOf(chained(s, rgb(v, v, v))); }

Colour grey(int v) { return rgb(v, v, v); }

// ---- the edge cases of the chain ----

TEST(ToneChain, NothingSetLeavesEveryPixel)
{
    const ToneSettings none;
    for (Colour c : {rgb(0, 0, 0), rgb(255, 255, 255), rgb(1, 128, 254), rgb(77, 3, 200)})
        EXPECT_EQ(chained(none, c), c);
}

TEST(ToneChain, PosterizeRoundsHalvesToEvenAndClampsLater)
{
    ToneSettings s;
    s.posterize = 10;
    EXPECT_EQ(channel(s, 5), 0);
    EXPECT_EQ(channel(s, 15), 20);
    EXPECT_EQ(channel(s, 25), 20);
    EXPECT_EQ(channel(s, 250), 250);
    EXPECT_EQ(channel(s, 255), 255); // 260 before the clamp
    s.darkness = 100;                // 260 is what the darkness term sees: 260 - 101 = 159
    EXPECT_EQ(channel(s, 255), 159);
}

TEST(ToneChain, SolarizeInvertsOnlyAboveTheThreshold)
{
    ToneSettings s;
    s.solorize = 2;
    EXPECT_EQ(chained(s, clWhite), clBlack);
    EXPECT_EQ(chained(s, rgb(254, 254, 253)), rgb(254, 254, 253)); // average 253 is not above 253
    EXPECT_EQ(chained(s, rgb(255, 255, 253)), rgb(0, 0, 2));
}

TEST(ToneChain, ContrastPushesAwayFromAndPullsTowards127)
{
    ToneSettings s;
    s.contrast = 255;
    EXPECT_EQ(channel(s, 0), 0);
    EXPECT_EQ(channel(s, 127), 127);
    EXPECT_EQ(channel(s, 128), 129);
    EXPECT_EQ(channel(s, 255), 255);
    s.contrast = -255;
    EXPECT_EQ(channel(s, 0), 127);
    EXPECT_EQ(channel(s, 255), 127);
}

TEST(ToneChain, BrightnessAtItsLimits)
{
    ToneSettings s;
    s.brightness = -255;
    EXPECT_EQ(chained(s, rgb(255, 200, 10)), clBlack);
    s.brightness = 255;
    EXPECT_EQ(chained(s, rgb(0, 200, 10)), clWhite);
}

TEST(ToneChain, LightnessAndDarknessAtFullStrength)
{
    ToneSettings light;
    light.lightness = 255;
    EXPECT_EQ(chained(light, rgb(0, 100, 255)), clWhite);
    ToneSettings dark;
    dark.darkness = 255;
    EXPECT_EQ(chained(dark, rgb(0, 100, 255)), clBlack);
}

TEST(ToneChain, DivisionsTruncateTowardZero)
{
    ToneSettings s;
    s.lightness = -100; // (155 * -100) div 255 = -60, not -61
    EXPECT_EQ(channel(s, 100), 40);
    ToneSettings d;
    d.darkness = 100; // -(100 * 100) div 255 = -39
    EXPECT_EQ(channel(d, 100), 61);
}

TEST(ToneChain, TermsComeFromTheValueStepOneLeft)
{
    ToneSettings s;
    s.contrast = 255;   // 200: +73
    s.lightness = 100;  // 200: +21
    s.darkness = 50;    // 200: -39
    s.brightness = -60; // 200 + 73 + 21 - 39 - 60 = 195
    EXPECT_EQ(channel(s, 200), 195);
}

TEST(ToneChain, NoiseIsAddedBeforeTheClamp)
{
    ToneSettings s;
    s.brightness = -100;
    EXPECT_EQ(chained(s, grey(50), rgb(60, 120, 0)), rgb(10, 70, 0));
    EXPECT_EQ(chained(ToneSettings{}, grey(200), rgb(100, 0, 55)), rgb(255, 200, 255));
}

TEST(ToneChain, SplitLightKeepsTheEndsAndLiftsTheMiddle)
{
    ToneSettings s;
    s.splitlight = 1;
    EXPECT_EQ(channel(s, 0), 0);
    EXPECT_EQ(channel(s, 255), 255);
    EXPECT_EQ(channel(s, 128), 181);
    s.splitlight = 2;
    EXPECT_EQ(channel(s, 128), 229); // 181 lifted again
}

TEST(ToneChain, GreyWeightsRedGreenBlue)
{
    ToneSettings s;
    s.grayScale = true;
    EXPECT_EQ(chained(s, clLime), grey(150));
    EXPECT_EQ(chained(s, clBlue), grey(28));
    EXPECT_EQ(chained(s, clRed), grey(76)); // 76.5 rounds to even
    EXPECT_EQ(chained(s, clWhite), grey(255));
}

TEST(ToneChain, SaturationScalesTheDistanceFromTheAverage)
{
    ToneSettings s;
    s.saturation = -255;
    EXPECT_EQ(chained(s, rgb(10, 20, 31)), grey(20)); // 61 div 3
    s.saturation = 255;
    EXPECT_EQ(chained(s, rgb(100, 120, 170)), rgb(70, 110, 210));
    EXPECT_EQ(chained(s, rgb(0, 128, 255)), rgb(0, 129, 255));
}

TEST(ToneChain, GreyWinsOverSaturation)
{
    ToneSettings s;
    s.grayScale = true;
    s.saturation = 255;
    EXPECT_EQ(chained(s, clLime), grey(150));
}

TEST(ToneChain, InvertComesLast)
{
    ToneSettings s;
    s.brightness = 50;
    s.invert = true;
    EXPECT_EQ(channel(s, 100), 105);
    s.grayScale = true;
    EXPECT_EQ(chained(s, clLime), grey(84)); // (50, 255, 50) greys to 171, inverted
}

TEST(ToneChain, ExtremeSettingsDoNotOverflow)
{
    ToneSettings s;
    s.contrast = 2000000000;
    EXPECT_EQ(channel(s, 126), 0);
    EXPECT_EQ(channel(s, 128), 255);
    ToneSettings t;
    t.saturation = 2000000000;
    EXPECT_EQ(chained(t, rgb(10, 11, 12)), rgb(0, 11, 255));
}

TEST(ToneChain, BitmapsOfAnotherShapeAreRefused)
{
    Bitmap source(4, 3), wrongSize(3, 4), wrongFormat(4, 3, pf32bit);
    EXPECT_THROW(applyToneChain(ToneSettings{}, source, nullptr, wrongSize), RangeError);
    EXPECT_THROW(applyToneChain(ToneSettings{}, source, nullptr, wrongFormat), RangeError);
    Bitmap target(4, 3);
    EXPECT_THROW(applyToneChain(ToneSettings{}, source, &wrongSize, target), RangeError);
}

// ---- the fast path against the plain chain ----

class ToneChainAgainstReference : public testing::Test {
protected:
    std::mt19937 random{20261209};

    int pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); }
    bool sometimes(int percent) { return pick(1, 100) <= percent; }

    ToneSettings randomSettings()
    {
        ToneSettings s;
        if (sometimes(30)) s.posterize = sometimes(80) ? pick(1, 60) : pick(1, 700);
        else if (sometimes(40)) s.solorize = pick(1, 255);
        if (sometimes(60)) s.contrast = sometimes(90) ? pick(-255, 255) : pick(-255, 5000);
        if (sometimes(40)) s.lightness = sometimes(90) ? pick(0, 255) : pick(-3000, 255);
        if (sometimes(40)) s.darkness = sometimes(90) ? pick(0, 255) : pick(-3000, 255);
        if (sometimes(60)) s.brightness = pick(-255, 255);
        if (sometimes(30)) s.splitlight = pick(1, 10);
        s.grayScale = sometimes(25);
        if (sometimes(60)) s.saturation = sometimes(90) ? pick(-255, 255) : pick(-255, 4000);
        s.invert = sometimes(40);
        return s;
    }

    Bitmap randomPicture(int width, int height, int maxValue)
    {
        Bitmap bitmap(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                writePixel(bitmap, x, y, rgb(pick(0, maxValue), pick(0, maxValue), pick(0, maxValue)));
        return bitmap;
    }
};

TEST_F(ToneChainAgainstReference, RandomPixelsAndSettingsGiveTheSameBitmap)
{
    for (int round = 0; round < 1000; ++round) {
        const ToneSettings s = randomSettings();
        const int width = pick(1, 40), height = pick(1, 6);
        const Bitmap source = randomPicture(width, height, 255);
        const bool withNoise = sometimes(40);
        const Bitmap noise = randomPicture(width, height, sometimes(50) ? 30 : 255);

        Bitmap expected(width, height), actual(width, height);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                writePixel(expected, x, y,
                           referencePixel(s, readPixel(source, x, y), withNoise ? readPixel(noise, x, y) : clBlack));
        applyToneChain(s, source, withNoise ? &noise : nullptr, actual);
        ASSERT_TRUE(test::sameBitmap(expected, actual))
            << "round " << round << ": posterize " << s.posterize << " solorize " << s.solorize << " contrast "
            << s.contrast << " lightness " << s.lightness << " darkness " << s.darkness << " brightness "
            << s.brightness << " splitlight " << s.splitlight << " grey " << s.grayScale << " saturation "
            << s.saturation << " invert " << s.invert << " noise " << withNoise;
    }
}

TEST_F(ToneChainAgainstReference, EverySaturationStrengthMatchesOnWideRows)
{
    // Rows of 16 pixels and more go through the wide path; 37 leaves a tail of 5.
    const Bitmap source = randomPicture(37, 3, 255);
    Bitmap expected(37, 3), actual(37, 3);
    for (int strength = -255; strength <= 300; ++strength) {
        ToneSettings s;
        s.saturation = strength;
        s.invert = strength % 2 != 0;
        s.brightness = strength % 7;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 37; ++x) writePixel(expected, x, y, referencePixel(s, readPixel(source, x, y), clBlack));
        applyToneChain(s, source, nullptr, actual);
        ASSERT_TRUE(test::sameBitmap(expected, actual)) << "saturation " << strength;
    }
}

TEST_F(ToneChainAgainstReference, EveryTermStrengthMatchesOnWideRowsWithAndWithoutNoise)
{
    const Bitmap source = randomPicture(35, 3, 255);
    const Bitmap noiseLayer = randomPicture(35, 3, 255);
    Bitmap expected(35, 3), actual(35, 3);
    for (const Bitmap* noise : {static_cast<const Bitmap*>(nullptr), &noiseLayer})
    for (int strength = -255; strength <= 255; ++strength) {
        ToneSettings s;
        s.contrast = strength;
        s.lightness = (strength * 7) % 256;
        s.darkness = -(strength * 13) % 256;
        s.brightness = (strength * 3) % 256;
        s.grayScale = strength % 3 == 0;
        s.saturation = (strength * 5) % 256;
        s.invert = strength % 2 == 0;
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 35; ++x)
                writePixel(expected, x, y,
                           referencePixel(s, readPixel(source, x, y), noise ? readPixel(*noise, x, y) : clBlack));
        applyToneChain(s, source, noise, actual);
        ASSERT_TRUE(test::sameBitmap(expected, actual)) << "strength " << strength << " noise " << (noise != nullptr);
    }
}

TEST_F(ToneChainAgainstReference, EveryColourThroughGreyMatches)
{
    // Grey is worked out in integers except on exact halves: check every
    // combination of the channels' tens and units that can land there.
    ToneSettings s;
    s.grayScale = true;
    Bitmap source(256, 256), actual(256, 256), expected(256, 256);
    for (int blue : {0, 5, 50, 128, 255}) {
        for (int y = 0; y < 256; ++y)
            for (int x = 0; x < 256; ++x) {
                writePixel(source, x, y, rgb(x, y, blue));
                writePixel(expected, x, y, referencePixel(s, rgb(x, y, blue), clBlack));
            }
        applyToneChain(s, source, nullptr, actual);
        ASSERT_TRUE(test::sameBitmap(expected, actual)) << "blue " << blue;
    }
}

} // namespace
} // namespace kel
