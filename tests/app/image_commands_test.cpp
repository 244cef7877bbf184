// The Image and Couleurs menus, the channel bars, the palette and the
// scrambling, driven through the main window's command table.
#include "app/document/colour_count.h"
#include "app/program_form.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"
#include "support/fake_services.h"
#include "view/image_adapter.h"
#include "view/image_colorizer.h"
#include "widgets/status_bar.h"
#include "widgets/track_bar.h"

#include <QLabel>

#include <gtest/gtest.h>

namespace kel {
namespace {

using test::bitmapFrom;
using test::sameBitmap;

Bitmap grey(int width, int height, int level)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(level, level, level));
    return bitmap;
}

Bitmap asymmetric(int width, int height)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) writePixel(bitmap, x, y, rgb(x * 3 % 256, y * 7 % 256, (x * y) % 256));
    return bitmap;
}

class ImageCommands : public testing::Test {
protected:
    // The state an opened file leaves: every piece holds the picture.
    void open(const Bitmap& picture)
    {
        form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(picture));
        form.ImageCIBLE->Picture().setGraphic(std::make_unique<Bitmap>(picture));
        form.document().working() = picture;
        form.document().initial() = picture;
        form.document().setFileName(QStringLiteral("photo.bmp"));
    }

    void run(const char* name)
    {
        form.runCommand(name);
        ASSERT_TRUE(fakes.dialogs.errors.isEmpty()) << name << ": " << fakes.dialogs.errors.join(' ').toStdString();
    }

    Bitmap& shown() { return form.Image1->Picture().bitmap(); }
    Bitmap& original() { return form.Image1->PictureOriginal().bitmap(); }
    QString status() { return form.EStatusBar1->Caption(); }

    test::FakeServices fakes;
    TProgramForm form{fakes.services()};
};

TEST_F(ImageCommands, BlackAndWhiteSplitsAt381AndCommitsEverywhere)
{
    open(bitmapFrom(2, 1, {rgb(127, 127, 127), rgb(128, 127, 127)}));
    run("Noiretblanc1");
    const Bitmap expected = bitmapFrom(2, 1, {clBlack, clWhite});
    EXPECT_TRUE(sameBitmap(expected, shown()));
    EXPECT_TRUE(sameBitmap(expected, original()));
    EXPECT_TRUE(sameBitmap(expected, form.document().working()));
    EXPECT_EQ(status(), QStringLiteral("photo.bmp | 2 x 1 pixels | 2 couleurs"));
}

TEST_F(ImageCommands, TurnsAndMirrorsGiveTheBytesBack)
{
    const Bitmap start = asymmetric(300, 200);
    open(start);
    run("Rotationhoraire1");
    ASSERT_EQ(shown().width(), 200);
    EXPECT_EQ(readPixel(shown(), 199, 0), readPixel(start, 0, 0));
    EXPECT_EQ(status(), QStringLiteral("photo.bmp | 200 x 300 pixels | %1 couleurs").arg(CountColors(start)));
    for (const char* name : {"Rotationhoraire1", "Rotationhoraire1", "Rotationhoraire1"}) run(name);
    EXPECT_TRUE(sameBitmap(start, original()));
    for (const char* name : {"Rotationantihoraire1", "Rotationhoraire1", "Symtriehorizontale1", "Symtriehorizontale1",
                             "Symtrieverticale1", "Symtrieverticale1"})
        run(name);
    EXPECT_TRUE(sameBitmap(start, original()));
    EXPECT_TRUE(sameBitmap(start, shown()));
    EXPECT_TRUE(sameBitmap(start, form.document().working())); // none of them writes it
}

TEST_F(ImageCommands, Image24BitsAppliesTheEffectsASecondTime)
{
    open(grey(3, 2, 100));
    run("Symtriehorizontale1"); // dropped: the command starts from the picture as opened
    form.TrackBarLUMINOSITE->setPosition(40);
    run("Image24bits1");
    EXPECT_TRUE(sameBitmap(grey(3, 2, 180), shown()));
    EXPECT_TRUE(sameBitmap(grey(3, 2, 140), original()));
}

TEST_F(ImageCommands, ColourDepthsCountTheirColours)
{
    Bitmap ramp(256, 256);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x) writePixel(ramp, x, y, rgb(x, y, 0)); // 32 reds by 64 greens at 5-6-5
    open(ramp);
    run("Image16bits1");
    EXPECT_EQ(shown().pixelFormat(), pf16bit);
    EXPECT_EQ(original().pixelFormat(), pf24bit);
    EXPECT_EQ(CountColors(original()), 2048);
    run("Image8bits1");
    EXPECT_LE(CountColors(shown()), 256);
    run("Image41");
    EXPECT_LE(CountColors(shown()), 16);
    run("Image32bits1");
    EXPECT_TRUE(sameBitmap(ramp, shown()));
}

TEST_F(ImageCommands, ChannelBarsScaleTheOriginalNotTheShownPicture)
{
    open(grey(2, 2, 200));
    form.TrackBarLUMINOSITE->setPosition(40); // the shown picture is brighter than the original
    form.TrackBarROUGE->setPosition(210);
    EXPECT_EQ(readPixel(shown(), 1, 1), rgb(164, 200, 200));
    EXPECT_EQ(form.LabelROUGE->text(), QStringLiteral("210"));
    EXPECT_TRUE(sameBitmap(shown(), form.document().working()));
    EXPECT_TRUE(sameBitmap(grey(2, 2, 200), original()));
}

TEST_F(ImageCommands, NamedColoursMoveOnlyTheBarsThatChange)
{
    open(grey(1, 1, 255));
    run("Rouge1");
    EXPECT_EQ(readPixel(shown(), 0, 0), rgb(210, 0, 0));
    form.document().working() = Bitmap(0, 0);
    run("Rouge1"); // the bars are already there: no scaling runs
    EXPECT_TRUE(form.document().working().empty());
    run("Noir1");
    EXPECT_EQ(readPixel(shown(), 0, 0), rgb(20, 20, 20));
}

TEST_F(ImageCommands, SepiaTonesBothPicturesAndResetsTheBars)
{
    open(bitmapFrom(3, 1, {clWhite, clBlack, rgb(128, 128, 128)}));
    form.TrackBarVERT->setPosition(255);
    run("Choisirlacouleurspia1");
    const Bitmap expected = bitmapFrom(3, 1, {clWhite, rgb(80, 40, 0), rgb(208, 168, 128)});
    EXPECT_TRUE(sameBitmap(expected, shown()));
    EXPECT_TRUE(sameBitmap(expected, original()));
}

TEST_F(ImageCommands, ThePalettePublishesOnlyOnAClick)
{
    int published = 0;
    form.pickedColour().publish = [&](const PickedColour&) { ++published; };
    form.ImageCOLOR->OnMouseMove(MouseArgs{.x = 10, .y = 10});
    EXPECT_TRUE(form.LabelCURSOR->text().startsWith(QStringLiteral("RGB(")));
    form.ImageCOLOR->OnMouseMove(MouseArgs{.x = 500, .y = -3}); // outside while a button is held: ignored
    form.ImageCOLOR->OnMouseExit();
    EXPECT_TRUE(form.LabelCURSOR->text().isEmpty());
    EXPECT_EQ(published, 0);
    form.ImageCOLOR->OnClick();
    EXPECT_EQ(published, 1);
    EXPECT_EQ(form.pickedColour().value(), form.ImageCOLOR->GetCanvas().pixel(10, 10));
}

TEST_F(ImageCommands, ScramblingTwiceRestoresEveryByteUnlessAnEffectIsOn)
{
    const Bitmap start = asymmetric(5, 3); // 15-byte rows with one padding byte
    open(start);
    run("Crypterlimage1");
    EXPECT_FALSE(sameBitmap(start, original()));
    run("Crypterlimage1");
    EXPECT_TRUE(sameBitmap(start, original()));

    form.Image1->setPicBrightness(40);
    run("Crypterlimage1");
    run("Crypterlimage1");
    EXPECT_FALSE(sameBitmap(start, original()));

    open(asymmetric(4, 1));
    form.Image1->setPicBrightness(0);
    form.runCommand("Crypterlimage1");
    EXPECT_EQ(fakes.dialogs.errors, QStringList{QStringLiteral("Error")});
    EXPECT_TRUE(sameBitmap(asymmetric(4, 1), original()));
}

// A pasted or scanned picture in a fresh run has no opened file behind it:
// the depth commands leave it alone instead of emptying it.
TEST_F(ImageCommands, DepthCommandsKeepAPictureWithoutAnOpenedFile)
{
    form.Image1->PictureOriginal().setGraphic(std::make_unique<Bitmap>(asymmetric(4, 3)));
    for (const char* name : {"Image32bits1", "Image24bits1", "Image16bits1", "Image8bits1", "Image41"}) {
        run(name);
        EXPECT_TRUE(sameBitmap(asymmetric(4, 3), shown())) << name;
    }
}

TEST_F(ImageCommands, EveryCommandCopesWithNoPictureAndWithAnEmptyOne)
{
    const char* names[] = {"Image32bits1", "Image24bits1", "Image16bits1", "Image8bits1", "Image41",
                           "Noiretblanc1", "Symtriehorizontale1", "Symtrieverticale1", "Rotationhoraire1",
                           "Rotationantihoraire1", "Choisirlacouleurspia1", "Rouge1", "Blanc1"};
    for (const char* name : names) run(name);
    EXPECT_FALSE(form.Image1->Picture().hasGraphic());
    open(Bitmap(0, 0));
    for (const char* name : names) run(name);
    EXPECT_EQ(shown().width(), 0);
}

} // namespace
} // namespace kel
