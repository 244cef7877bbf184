// The Effets keys, " Annuler les effets", " Niveaux de gris", " Négatif" and
// the tone track bars, driven through the main window's menus.
#include "app/program_form.h"
#include "codecs/rgba_graphic.h"
#include "graphics/pixel_rows.h"
#include "graphics/random.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "support/paint_counter.h"
#include "support/scripted_dialogs.h"
#include "view/effects/point_chain.h"
#include "view/effects/spatial_effects.h"
#include "view/image_colorizer.h"
#include "widgets/track_bar.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::sameBitmap;

Bitmap sample()
{
    Bitmap bitmap(12, 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 12; ++x) writePixel(bitmap, x, y, rgb(x * 21, y * 28, (x * y * 5) % 256));
    return bitmap;
}

Bitmap toned(const Bitmap& source, const ToneSettings& settings)
{
    Bitmap result(source.width(), source.height());
    applyToneChain(settings, source, nullptr, result);
    return result;
}

class EffectsCommands : public testing::Test {
protected:
    // The state an opened picture leaves: original, working and opening bitmaps equal.
    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().initial() = picture;
    }

    void choose(const char* item)
    {
        QAction* action = form.menuItem(QString::fromLatin1(item));
        ASSERT_NE(action, nullptr) << item;
        action->trigger();
    }

    const Bitmap& shown() { return form.Image1->Picture().bitmap(); }
    const Bitmap& original() { return form.Image1->PictureOriginal().bitmap(); }

    test::FakeServices fakes;

    test::ScriptedDialogs& dialogs = fakes.dialogs;
    TProgramForm form{fakes.services()};
};

TEST_F(EffectsCommands, AntiAliasTwiceCompoundsOnTheShownPicture)
{
    open(sample());
    choose("Effetantialiasing1");
    Bitmap afterFirst = sample();
    antiAlias(afterFirst, 2);
    EXPECT_TRUE(sameBitmap(afterFirst, shown()));
    EXPECT_TRUE(sameBitmap(sample(), original())); // the picture shown before the press

    choose("Effetantialiasing1");
    EXPECT_EQ(form.Image1->PicAntiAlias(), 4);
    Bitmap afterSecond = afterFirst;
    antiAlias(afterSecond, 4);
    EXPECT_TRUE(sameBitmap(afterSecond, shown()));
    EXPECT_TRUE(sameBitmap(afterFirst, original()));
    EXPECT_TRUE(sameBitmap(afterFirst, form.document().working()));
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

TEST_F(EffectsCommands, RaisingOneSettingRecomputesWithTheOthers)
{
    open(sample());
    choose("Effetsolorize1");
    choose("Effetposterize1"); // clears solarize
    EXPECT_EQ(form.Image1->PicSolorize(), 0);
    EXPECT_EQ(form.Image1->PicPosterize(), 10);
    choose("Effetantialiasing1");
    choose("Effetmosaic1"); // clears anti-alias
    EXPECT_EQ(form.Image1->PicAntiAlias(), 0);
    EXPECT_EQ(form.Image1->PicMosaic(), 1);
}

TEST_F(EffectsCommands, UndoingEffectsKeepsTheBrightness)
{
    open(sample());
    form.TrackBarLUMINOSITE->setPosition(40);
    EXPECT_EQ(form.LabelLUMINOSITE->text(), QStringLiteral("40"));
    choose("Effetlightness1");
    choose("Effetgaussianblur1");
    form.Image1->setPicEmboss(true);
    choose("Annulerleseffets2");

    EXPECT_EQ(form.Image1->PicLightness(), 0);
    EXPECT_EQ(form.Image1->PicGaussianBlur(), 0);
    EXPECT_FALSE(form.Image1->PicEmboss());
    EXPECT_EQ(form.Image1->PicBrightness(), 40);
    EXPECT_EQ(form.TrackBarLUMINOSITE->Position(), 40);
    ToneSettings brightened;
    brightened.brightness = 40;
    EXPECT_TRUE(sameBitmap(sample(), original()));
    EXPECT_TRUE(sameBitmap(toned(sample(), brightened), shown()));
}

TEST_F(EffectsCommands, GreyTwiceReturnsSaturationToZero)
{
    open(sample());
    form.TrackBarSATURATION->setPosition(120);
    choose("Niveauxdegris1");
    EXPECT_TRUE(form.Image1->PicGrayScale());
    EXPECT_EQ(form.TrackBarSATURATION->Position(), -255);
    EXPECT_EQ(form.Image1->PicSaturation(), -255);
    EXPECT_EQ(form.LabelSATURATION->text(), QStringLiteral("-255"));
    ToneSettings grey;
    grey.grayScale = true;
    EXPECT_TRUE(sameBitmap(toned(sample(), grey), shown()));

    choose("Niveauxdegris1");
    EXPECT_FALSE(form.Image1->PicGrayScale());
    EXPECT_EQ(form.TrackBarSATURATION->Position(), 0);
    EXPECT_EQ(form.Image1->PicSaturation(), 0);
    EXPECT_TRUE(sameBitmap(sample(), shown()));
}

TEST_F(EffectsCommands, NegativeToggles)
{
    open(sample());
    choose("Ngatif1");
    ToneSettings negative;
    negative.invert = true;
    EXPECT_TRUE(sameBitmap(toned(sample(), negative), shown()));
    choose("Ngatif1");
    EXPECT_TRUE(sameBitmap(sample(), shown()));
}

TEST_F(EffectsCommands, ToneTrackBarsStartAgainFromTheWorkingBitmap)
{
    open(sample());
    Bitmap other = sample();
    mosaic(other, 3);
    form.document().working() = other;
    form.TrackBarCONTRASTE->setPosition(-255);
    EXPECT_EQ(form.LabelCONTRASTE->text(), QStringLiteral("-255"));
    EXPECT_TRUE(sameBitmap(other, original()));
    ToneSettings flat;
    flat.contrast = -255;
    EXPECT_TRUE(sameBitmap(toned(other, flat), shown()));
}

TEST_F(EffectsCommands, AKeyOnAnEmptyViewOnlyRaisesTheSetting)
{
    choose("Effetantialiasing1");
    choose("Effetcolornoise1");
    EXPECT_EQ(form.Image1->PicAntiAlias(), 2);
    EXPECT_EQ(form.Image1->PicColorNoise(), 25);
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    EXPECT_FALSE(form.Image1->PictureOriginal().hasGraphic());
    form.TrackBarLUMINOSITE->setPosition(10);
    EXPECT_FALSE(form.Image1->PictureOriginal().hasGraphic());
    EXPECT_TRUE(dialogs.errors.isEmpty());
}

// ---- the main view's effect side ----

TEST_F(EffectsCommands, ADecodedPictureBecomesATrueColourOriginal)
{
    QImage image(5, 4, QImage::Format_ARGB32);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) image.setPixel(x, y, qRgb(x * 50, y * 60, 90));
    form.Image1->PictureOriginal().setGraphic(std::make_unique<codecs::RgbaGraphic>(image));
    const Bitmap* converted = form.Image1->PictureOriginal().bitmapIfAny();
    ASSERT_NE(converted, nullptr);
    EXPECT_EQ(converted->pixelFormat(), pf24bit);
    EXPECT_EQ(readPixel(*converted, 4, 3), rgb(200, 180, 90));
    EXPECT_TRUE(sameBitmap(*converted, shown()));
}

TEST_F(EffectsCommands, AShownPictureOfAnotherFormatIsRecomputedAsTrueColour)
{
    open(sample());
    form.Image1->Picture().bitmap().setPixelFormat(pf16bit);
    form.Image1->setPicBrightness(10);
    ToneSettings brighter;
    brighter.brightness = 10;
    EXPECT_EQ(shown().pixelFormat(), pf24bit);
    EXPECT_TRUE(sameBitmap(toned(sample(), brighter), shown()));
}

TEST_F(EffectsCommands, ToneSettingsOnTheViewReuseTheLayers)
{
    open(sample());
    form.Image1->setPicAntiAlias(2);
    form.Image1->setPicMonoNoise(25);
    const int builds = form.Image1->effects().layerBuilds();
    form.Image1->setPicContrast(80);
    form.Image1->setPicSplitlight(3);
    form.Image1->setPicInvert(true);
    EXPECT_EQ(form.Image1->effects().layerBuilds(), builds);
    form.Image1->PictureOriginal().bitmap().assign(sample()); // a new original rebuilds both
    EXPECT_EQ(form.Image1->effects().layerBuilds(), builds + 2);
}

// A tone bar step held against the plain sequence on a second view: set the
// setting, assign BitmapTRAVAIL to the original (each recomputing), in the
// handler's order. Same shown pixels and same generator state; a spatial layer
// is rebuilt only when the step brings new pixels.
TEST_F(EffectsCommands, AToneBarStepShowsWhatThePlainSequenceShows)
{
    struct Case {
        TTrackBar* TProgramForm::*bar;
        void (TImageColorizer::*set)(int);
        bool settingFirst;
    };
    const Case cases[] = {{&TProgramForm::TrackBarLUMINOSITE, &TImageColorizer::setPicBrightness, true},
                          {&TProgramForm::TrackBarCONTRASTE, &TImageColorizer::setPicContrast, false},
                          {&TProgramForm::TrackBarSATURATION, &TImageColorizer::setPicSaturation, false}};
    for (const Case& c : cases) {
        for (bool newPixels : {false, true}) {
            test::FakeServices otherFakes;
            TProgramForm plain{otherFakes.services()};
            for (TProgramForm* f : {&form, &plain}) {
                f->Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(sample()));
                f->Image1->setPicEmboss(true);
                f->Image1->setPicMonoNoise(25);
            }
            Bitmap working = sample();
            if (newPixels) writePixel(working, 3, 4, clRed);
            form.document().working() = working;
            const int builds = form.Image1->effects().layerBuilds();

            programRandom().setSeed(77);
            (form.*(c.bar))->setPosition(30);
            const std::uint32_t seedAfterStep = programRandom().seed();

            programRandom().setSeed(77);
            if (c.settingFirst) (plain.Image1->*(c.set))(30);
            plain.Image1->PictureOriginal().bitmap().assign(working);
            if (!c.settingFirst) (plain.Image1->*(c.set))(30);

            EXPECT_TRUE(sameBitmap(plain.Image1->Picture().bitmap(), shown())) << newPixels;
            EXPECT_TRUE(sameBitmap(working, original()));
            EXPECT_EQ(programRandom().seed(), seedAfterStep);
            EXPECT_EQ(form.Image1->effects().layerBuilds(), builds + (newPixels ? 2 : 1)) << newPixels;
            (form.*(c.bar))->setPosition(0);
        }
    }
}

TEST_F(EffectsCommands, AFastDragHandlesEveryPositionAndPaintsOnce)
{
    // Positions arriving faster than frames: each is handled in order (the
    // noise redrawn at each), as when the window is painted between them.
    test::FakeServices otherFakes;
    TProgramForm stepped{otherFakes.services()};
    std::uint32_t seeds[2];
    int paints[2];
    TProgramForm* forms[2] = {&form, &stepped};
    for (int i = 0; i < 2; ++i) {
        TProgramForm& f = *forms[i];
        f.show();
        f.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(sample()));
        f.document().working() = sample();
        f.Image1->setPicMonoNoise(25);
        QApplication::processEvents();
        const test::PaintCounter counter(f.Image1);
        programRandom().setSeed(5);
        for (int position = 1; position <= 12; ++position) {
            f.TrackBarLUMINOSITE->setPosition(position * 7 % 50);
            if (i == 1) QApplication::processEvents();
        }
        QApplication::processEvents();
        seeds[i] = programRandom().seed();
        paints[i] = counter.count;
    }
    EXPECT_TRUE(sameBitmap(stepped.Image1->Picture().bitmap(), shown()));
    EXPECT_EQ(seeds[0], seeds[1]);
    EXPECT_EQ(paints[0], 1);
    EXPECT_EQ(paints[1], 12);
}

TEST_F(EffectsCommands, ResetEffectsShowsTheOriginalAgain)
{
    open(sample());
    form.Image1->setPicTrace(1);
    form.Image1->setPicGrayScale(true);
    form.Image1->ResetEffects();
    EXPECT_EQ(form.Image1->PicTrace(), 0);
    EXPECT_FALSE(form.Image1->PicGrayScale());
    EXPECT_EQ(form.Image1->effects().spatialLayer(), nullptr);
    EXPECT_TRUE(sameBitmap(sample(), shown()));
}

} // namespace
} // namespace kel
