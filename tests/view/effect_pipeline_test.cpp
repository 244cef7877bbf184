// The settings' rules, the layers they keep and the recompute of the shown picture.
#include "graphics/pixel_rows.h"
#include "graphics/random.h"
#include "support/bitmap_compare.h"
#include "view/effects/effect_pipeline.h"
#include "view/effects/spatial_effects.h"

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::sameBitmap;

Bitmap gradient(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 7 % 256, y * 11 % 256, (x * y) % 256));
    return bitmap;
}

// Raises a setting the way the Effets keys do: current value plus a step.
void press(EffectPipeline& pipeline, Effect effect, int step, const Graphic* original, int times = 1)
{
    for (int i = 0; i < times; ++i) pipeline.set(effect, pipeline.value(effect) + step, original);
}

class EffectSettings : public testing::Test {
protected:
    EffectPipeline pipeline;
    Bitmap picture = gradient(64, 48);
};

TEST_F(EffectSettings, PointSettingsAreClampedAsDocumented)
{
    pipeline.set(Effect::Brightness, 300, &picture);
    EXPECT_EQ(pipeline.value(Effect::Brightness), 255);
    pipeline.set(Effect::Brightness, -300, &picture);
    EXPECT_EQ(pipeline.value(Effect::Brightness), -255);
    pipeline.set(Effect::Contrast, -1000, &picture);
    EXPECT_EQ(pipeline.value(Effect::Contrast), -255);
    pipeline.set(Effect::Contrast, 1000, &picture);
    EXPECT_EQ(pipeline.value(Effect::Contrast), 1000);
    pipeline.set(Effect::Lightness, 400, &picture);
    EXPECT_EQ(pipeline.value(Effect::Lightness), 255);
    pipeline.set(Effect::Darkness, -400, &picture);
    EXPECT_EQ(pipeline.value(Effect::Darkness), -400);
    pipeline.set(Effect::Saturation, -256, &picture);
    EXPECT_EQ(pipeline.value(Effect::Saturation), -255);
    pipeline.set(Effect::GrayScale, 7, &picture);
    EXPECT_EQ(pipeline.value(Effect::GrayScale), 1);
    pipeline.set(Effect::Posterize, -3, &picture);
    EXPECT_EQ(pipeline.value(Effect::Posterize), 0);
}

TEST_F(EffectSettings, RepeatedPressesStopAtTheLimits)
{
    press(pipeline, Effect::Splitlight, 1, &picture, 11);
    EXPECT_EQ(pipeline.value(Effect::Splitlight), 10);
    press(pipeline, Effect::Solorize, 2, &picture, 130);
    EXPECT_EQ(pipeline.value(Effect::Solorize), 255);
    press(pipeline, Effect::GaussianBlur, 1, &picture, 52);
    EXPECT_EQ(pipeline.value(Effect::GaussianBlur), 50);
}

TEST_F(EffectSettings, PosterizeAndSolarizeExcludeEachOther)
{
    press(pipeline, Effect::Solorize, 2, &picture);
    press(pipeline, Effect::Posterize, 10, &picture);
    EXPECT_EQ(pipeline.value(Effect::Solorize), 0);
    EXPECT_EQ(pipeline.value(Effect::Posterize), 10);
    press(pipeline, Effect::Solorize, 2, &picture);
    EXPECT_EQ(pipeline.value(Effect::Posterize), 0);
}

TEST_F(EffectSettings, OnlyOneSpatialEffectIsActive)
{
    press(pipeline, Effect::AntiAlias, 2, &picture);
    press(pipeline, Effect::Mosaic, 1, &picture);
    EXPECT_EQ(pipeline.value(Effect::AntiAlias), 0);
    EXPECT_EQ(pipeline.value(Effect::Mosaic), 1);
    pipeline.set(Effect::Emboss, 1, &picture);
    EXPECT_EQ(pipeline.value(Effect::Mosaic), 0);
    press(pipeline, Effect::Tile, 2, &picture);
    EXPECT_EQ(pipeline.value(Effect::Emboss), 0);
}

TEST_F(EffectSettings, OnlyOneNoiseIsActive)
{
    press(pipeline, Effect::ColorNoise, 25, &picture);
    press(pipeline, Effect::MonoNoise, 25, &picture);
    EXPECT_EQ(pipeline.value(Effect::ColorNoise), 0);
    EXPECT_EQ(pipeline.value(Effect::MonoNoise), 25);
}

TEST(EffectLimits, MosaicIsLimitedToTheLargerSideOfThePicture)
{
    EffectPipeline pipeline;
    const Bitmap picture(640, 480);
    pipeline.set(Effect::Mosaic, 5000, &picture);
    EXPECT_EQ(pipeline.value(Effect::Mosaic), 640);
    pipeline.set(Effect::Mosaic, 5000, nullptr); // no picture: stored as given
    EXPECT_EQ(pipeline.value(Effect::Mosaic), 5000);
}

TEST(EffectLimits, TileCountFallsWhenTheTilesWouldBeTooSmall)
{
    EffectPipeline pipeline;
    const Bitmap picture(640, 480);
    pipeline.set(Effect::Tile, 100, &picture);
    EXPECT_EQ(pipeline.value(Effect::Tile), 64);
    pipeline.set(Effect::Tile, 2, &picture);
    EXPECT_EQ(pipeline.value(Effect::Tile), 2);
    pipeline.set(Effect::Tile, -5, &picture);
    EXPECT_EQ(pipeline.value(Effect::Tile), 0);
    EXPECT_EQ(pipeline.spatialLayer(), nullptr);
}

TEST(EffectLayers, WithoutAPictureSettersStoreAndBuildNothing)
{
    EffectPipeline pipeline;
    press(pipeline, Effect::AntiAlias, 2, nullptr);
    press(pipeline, Effect::MonoNoise, 25, nullptr);
    EXPECT_EQ(pipeline.value(Effect::AntiAlias), 2);
    EXPECT_EQ(pipeline.value(Effect::MonoNoise), 25);
    EXPECT_EQ(pipeline.spatialLayer(), nullptr);
    EXPECT_EQ(pipeline.noiseLayer(), nullptr);
    EXPECT_EQ(pipeline.layerBuilds(), 0);
}

TEST(EffectLayers, PointSettingsNeverRebuildALayer)
{
    EffectPipeline pipeline;
    const Bitmap picture = gradient(40, 30);
    Bitmap shown;
    pipeline.set(Effect::AntiAlias, 2, &picture);
    pipeline.set(Effect::ColorNoise, 25, &picture);
    EXPECT_EQ(pipeline.layerBuilds(), 2);
    const Bitmap* spatial = pipeline.spatialLayer();
    for (Effect point : {Effect::Brightness, Effect::Contrast, Effect::GrayScale, Effect::Lightness, Effect::Darkness,
                         Effect::Saturation, Effect::Splitlight, Effect::Invert, Effect::Posterize, Effect::Solorize}) {
        pipeline.set(point, 3, &picture);
        pipeline.recompute(picture, shown);
    }
    EXPECT_EQ(pipeline.layerBuilds(), 2);
    EXPECT_EQ(pipeline.spatialLayer(), spatial);
}

TEST(EffectLayers, DiscardedLayersAreRebuiltFromTheNewOriginal)
{
    EffectPipeline pipeline;
    const Bitmap first = gradient(300, 40);
    pipeline.set(Effect::Mosaic, 250, &first);
    pipeline.set(Effect::MonoNoise, 25, &first);
    pipeline.discardLayers();
    const Bitmap second = gradient(100, 60);
    Bitmap shown;
    pipeline.recompute(second, shown);
    EXPECT_EQ(pipeline.value(Effect::Mosaic), 100); // limited again by the new picture
    ASSERT_NE(pipeline.spatialLayer(), nullptr);
    EXPECT_EQ(pipeline.spatialLayer()->width(), 100);
    ASSERT_NE(pipeline.noiseLayer(), nullptr);
    EXPECT_EQ(pipeline.noiseLayer()->height(), 60);
    EXPECT_EQ(pipeline.layerBuilds(), 4);
}

TEST(EffectLayers, ARebuiltLayerStartsAgainFromTheOriginal)
{
    EffectPipeline pipeline;
    const Bitmap picture = gradient(30, 20);
    pipeline.set(Effect::AntiAlias, 2, &picture);
    pipeline.set(Effect::AntiAlias, 4, &picture);
    Bitmap expected(picture);
    antiAlias(expected, 4);
    ASSERT_NE(pipeline.spatialLayer(), nullptr);
    EXPECT_TRUE(sameBitmap(expected, *pipeline.spatialLayer()));
    pipeline.set(Effect::Mosaic, 3, &picture);
    Bitmap blocks(picture);
    mosaic(blocks, 3);
    EXPECT_TRUE(sameBitmap(blocks, *pipeline.spatialLayer()));
}

TEST(EffectLayers, ResetClearsEverySettingAndLayer)
{
    EffectPipeline pipeline;
    const Bitmap picture = gradient(20, 20);
    pipeline.set(Effect::Trace, 1, &picture);
    pipeline.set(Effect::ColorNoise, 40, &picture);
    pipeline.set(Effect::Invert, 1, &picture);
    pipeline.reset();
    for (int e = 0; e < kEffectCount; ++e) EXPECT_EQ(pipeline.value(Effect(e)), 0) << e;
    EXPECT_EQ(pipeline.spatialLayer(), nullptr);
    EXPECT_EQ(pipeline.noiseLayer(), nullptr);
}

TEST(EffectRecompute, NoSettingShowsTheOriginal)
{
    EffectPipeline pipeline;
    const Bitmap picture = gradient(33, 17);
    Bitmap shown(33, 17);
    pipeline.recompute(picture, shown);
    EXPECT_TRUE(sameBitmap(picture, shown));
}

TEST(EffectRecompute, TheSpatialLayerIsTheSourceOfTheToneChain)
{
    EffectPipeline pipeline;
    const Bitmap picture = gradient(30, 20);
    pipeline.set(Effect::AntiAlias, 2, &picture);
    pipeline.set(Effect::Invert, 1, &picture);
    Bitmap shown;
    pipeline.recompute(picture, shown);

    Bitmap expected(picture);
    antiAlias(expected, 2);
    ToneSettings invert;
    invert.invert = true;
    applyToneChain(invert, Bitmap(expected), nullptr, expected);
    EXPECT_TRUE(sameBitmap(expected, shown));
}

TEST(EffectRecompute, NoiseOnlyLightens)
{
    EffectPipeline pipeline;
    Bitmap picture(16, 16);
    fillRows(picture, 0, 16, rgb(100, 100, 100));
    programRandom().setSeed(1);
    pipeline.set(Effect::MonoNoise, 25, &picture);
    Bitmap shown;
    pipeline.recompute(picture, shown);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            const int v = redOf(readPixel(shown, x, y));
            EXPECT_GE(v, 100);
            EXPECT_LE(v, 112);
            EXPECT_EQ(v, 100 + redOf(readPixel(*pipeline.noiseLayer(), x, y)));
        }
}

TEST(EffectRecompute, AShownPictureOfAnotherShapeIsReplacedNotOverrun)
{
    EffectPipeline pipeline;
    const Bitmap picture = gradient(40, 30);
    for (Bitmap shown : {Bitmap(40, 30, pf16bit), Bitmap(80, 70, pfDevice), Bitmap(10, 5)}) {
        pipeline.recompute(picture, shown);
        EXPECT_EQ(shown.pixelFormat(), pf24bit);
        EXPECT_TRUE(sameBitmap(picture, shown));
    }
}

TEST(EffectRecompute, AnOriginalOfAnotherFormatIsReadAsTrueColour)
{
    EffectPipeline pipeline;
    Bitmap picture = gradient(12, 9);
    picture.setPixelFormat(pf32bit);
    pipeline.set(Effect::Emboss, 1, &picture);
    Bitmap shown;
    pipeline.recompute(picture, shown);
    Bitmap expected = gradient(12, 9);
    emboss(expected);
    EXPECT_TRUE(sameBitmap(expected, shown));
}

TEST(EffectRecompute, TinyPicturesSurviveEverySpatialEffect)
{
    for (const auto& [width, height] : {std::pair{1, 1}, std::pair{2, 1}, std::pair{1, 3}, std::pair{3, 2}}) {
        const Bitmap picture = gradient(width, height);
        for (Effect e : {Effect::Emboss, Effect::Mosaic, Effect::SplitBlur, Effect::GaussianBlur, Effect::AntiAlias,
                         Effect::Trace, Effect::Tile}) {
            EffectPipeline pipeline;
            press(pipeline, e, 3, &picture);
            Bitmap shown;
            pipeline.recompute(picture, shown);
            EXPECT_EQ(shown.width(), width);
            EXPECT_EQ(shown.height(), height);
        }
    }
}

} // namespace
} // namespace kel
