// Files written by ImageMagick, or built by hand from the published layouts
// (make_hand_built.py), read to the exact pixels of the picture they hold.
#include "codecs/codec.h"
#include "codecs/legacy_test_support.h"
#include "codecs/rgba_graphic.h"
#include "support/bitmap_compare.h"

#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kel::test {
namespace {

Bitmap load(const QString& name)
{
    const auto graphic = codecs::loadGraphic(legacyFixturePath(name));
    const auto* bitmap = dynamic_cast<const Bitmap*>(graphic.get());
    if (!bitmap) {
        ADD_FAILURE() << name.toStdString() << " did not give a bitmap";
        return {};
    }
    EXPECT_EQ(bitmap->pixelFormat(), pf24bit) << name.toStdString();
    return *bitmap;
}

void expectAlpha(const QString& name, const Bitmap& colours)
{
    const auto graphic = codecs::loadGraphic(legacyFixturePath(name));
    ASSERT_NE(dynamic_cast<const codecs::RgbaGraphic*>(graphic.get()), nullptr) << name.toStdString();
    const QImage image = graphic->toImage();
    ASSERT_EQ(image.size(), QSize(5, 3));
    for (int i = 0; i < 15; ++i) {
        const QRgb p = image.pixel(i % 5, i / 5);
        EXPECT_EQ(qAlpha(p), kFixtureAlpha[i]) << name.toStdString() << " pixel " << i;
        EXPECT_EQ(rgb(qRed(p), qGreen(p), qBlue(p)), colours.pixel(i % 5, i / 5)) << name.toStdString() << " pixel " << i;
    }
}

TEST(LegacyFixtures, TargaEveryTypeAndCorner)
{
    for (const char* name : {"tga_true_top.tga", "tga_true_bottom_rle.tga", "tga_mapped.tga", "tga_mapped_rle.vst"})
        EXPECT_TRUE(sameBitmap(basePicture(), load(name))) << name;
    for (const char* name : {"tga_grey.tga", "tga_grey_rle.tga"})
        EXPECT_TRUE(sameBitmap(greyPicture(), load(name))) << name;
    const Bitmap fiveBits = bitmapFrom(
        5, 3, {rgb(255, 0, 0), rgb(0, 132, 0), rgb(0, 0, 255), rgb(255, 255, 0), rgb(132, 0, 132),
               rgb(0, 255, 255), rgb(255, 132, 0), rgb(66, 66, 66), rgb(206, 148, 99), rgb(8, 16, 24),
               rgb(255, 255, 255), rgb(0, 0, 0), rgb(99, 206, 49), rgb(24, 57, 222), rgb(247, 16, 132)});
    EXPECT_TRUE(sameBitmap(fiveBits, load("tga_16bit.tga")));
    EXPECT_TRUE(sameBitmap(fiveBits, load("tga_16bit_rle.tga"))); // bottom-right origin
}

TEST(LegacyFixtures, TargaAlphaIsKeptAndBlendsOverWhite)
{
    expectAlpha("tga_alpha.tga", basePicture());
    const Bitmap over = drawn(*codecs::loadGraphic(legacyFixturePath("tga_alpha.tga")));
    EXPECT_EQ(over.pixel(1, 0), clWhite);               // alpha 0
    EXPECT_EQ(over.pixel(2, 0), rgb(127, 127, 255));    // blue at alpha 128 over white
}

TEST(LegacyFixtures, TargaWithZeroAlphaEverywhereIsOpaque)
{
    QByteArray bytes = legacyFixture("tga_alpha.tga");
    for (int i = 0; i < 15; ++i) bytes[18 + 4 * i + 3] = 0;
    const auto graphic = decodeAs(bytes, "x.tga");
    ASSERT_NE(dynamic_cast<const Bitmap*>(graphic.get()), nullptr);
    EXPECT_TRUE(sameBitmap(basePicture(), drawn(*graphic)));
}

TEST(LegacyFixtures, PcxAllDepths)
{
    EXPECT_TRUE(sameBitmap(basePicture(), load("pcx_24.pcx")));
    EXPECT_TRUE(sameBitmap(basePicture(), load("pcx_8.pcc")));
    EXPECT_TRUE(sameBitmap(basePicture(), load("pcx_4planes.pcx")));
    EXPECT_TRUE(sameBitmap(monoPicture(), load("pcx_1bit.pcx")));
}

TEST(LegacyFixtures, PhotoshopModesDepthsAndCompressions)
{
    for (const char* name : {"psd_rgb_raw.psd", "psd_rgb_rle.psd", "psd_indexed.psd", "psd_rgb16.psd", "psd_rgb16_rle.psd"})
        EXPECT_TRUE(sameBitmap(basePicture(), load(name))) << name;
    for (const char* name : {"psd_grey.psd", "psd_grey_rle.psd"})
        EXPECT_TRUE(sameBitmap(greyPicture(), load(name))) << name;
    EXPECT_TRUE(sameBitmap(monoPicture(), load("psd_bitmap.psd")));
    // ImageMagick's RGB to CMYK conversion rounds each ink to 8 bits.
    EXPECT_TRUE(sameBitmap(basePicture(), load("psd_cmyk.psd"), 1));
}

TEST(LegacyFixtures, SgiChannelsDepthsAndStorage)
{
    for (const char* name : {"sgi_rgb_rle.sgi", "sgi_rgb_raw.rgb", "sgi_rgb16_raw.sgi", "sgi_rgb16_rle.sgi"})
        EXPECT_TRUE(sameBitmap(basePicture(), load(name))) << name;
    EXPECT_TRUE(sameBitmap(greyPicture(), load("sgi_grey.bw")));
    expectAlpha("sgi_rgba.rgba", basePicture());
    expectAlpha("sgi_grey_alpha.sgi", greyPicture());
}

TEST(LegacyFixtures, WavefrontColourChannels)
{
    EXPECT_TRUE(sameBitmap(basePicture(), load("rla_rgb.rla")));
    const Bitmap greens = bitmapFrom(
        5, 3, {rgb(0, 0, 0), rgb(128, 128, 128), rgb(0, 0, 0), rgb(255, 255, 255), rgb(0, 0, 0),
               rgb(255, 255, 255), rgb(128, 128, 128), rgb(64, 64, 64), rgb(150, 150, 150), rgb(20, 20, 20),
               rgb(255, 255, 255), rgb(0, 0, 0), rgb(200, 200, 200), rgb(60, 60, 60), rgb(16, 16, 16)});
    EXPECT_TRUE(sameBitmap(greens, load("rla_grey.rpf")));
}

TEST(LegacyFixtures, PortableMapsPlainAndBinary)
{
    EXPECT_TRUE(sameBitmap(monoPicture(), load("pnm_p1.pbm")));
    EXPECT_TRUE(sameBitmap(monoPicture(), load("pnm_p4.pbm")));
    EXPECT_TRUE(sameBitmap(greyPicture(), load("pnm_p2.pgm")));
    EXPECT_TRUE(sameBitmap(greyPicture(), load("pnm_p5.pgm")));
    for (const char* name : {"pnm_p3.ppm", "pnm_p6.ppm", "pnm_p6_16bit.ppm", "pnm_p3_16bit.ppm"})
        EXPECT_TRUE(sameBitmap(basePicture(), load(name))) << name;
}

TEST(LegacyFixtures, PortableMapScalesAnyMaximum)
{
    const QByteArray text = "P3\n# three levels of a 1000 scale\n3 1\n1000\n1000 0 0  0 500 0  0 0 1\n";
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 1, {rgb(255, 0, 0), rgb(0, 128, 0), rgb(0, 0, 0)}),
                           drawn(*decodeAs(text, "x.ppm"))));
    // Plain bitmaps need no blank between pixels.
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 1, {clBlack, clWhite, clBlack}), drawn(*decodeAs("P1 3 1 101", "x.pbm"))));
}

TEST(LegacyFixtures, AnimatorPaletteOfSixBitComponents)
{
    const Bitmap expected = bitmapFrom(
        5, 3, {rgb(255, 0, 0), rgb(0, 130, 0), rgb(0, 0, 255), rgb(255, 255, 0), rgb(130, 0, 130),
               rgb(0, 255, 255), rgb(255, 130, 0), rgb(65, 65, 65), rgb(203, 150, 101), rgb(8, 20, 28),
               rgb(255, 255, 255), rgb(0, 0, 0), rgb(101, 203, 48), rgb(28, 60, 223), rgb(243, 16, 130)});
    EXPECT_TRUE(sameBitmap(expected, load("animator.cel")));
    EXPECT_TRUE(sameBitmap(bitmapFrom(3, 2, {rgb(255, 0, 0), rgb(0, 130, 0), rgb(0, 0, 255), rgb(0, 255, 255),
                                             rgb(255, 130, 0), rgb(65, 65, 65)}),
                           load("animator.pic")));
}

TEST(LegacyFixtures, DrHaloTakesThePaletteBesideIt)
{
    // The palette's entries run past its first 512-byte block.
    EXPECT_TRUE(sameBitmap(basePicture(), load("drhalo.cut")));
}

TEST(LegacyFixtures, DrHaloFindsThePaletteInAnyCase)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QFile::copy(legacyFixturePath("drhalo.cut"), folder.filePath("PICTURE.CUT")));
    ASSERT_TRUE(QFile::copy(legacyFixturePath("drhalo.pal"), folder.filePath("Picture.PAL")));
    EXPECT_TRUE(sameBitmap(basePicture(), drawn(*codecs::loadGraphic(folder.filePath("PICTURE.CUT")))));
}

TEST(LegacyFixtures, DrHaloWithoutPaletteIsGrey)
{
    const Bitmap expected = bitmapFrom(5, 2, {rgb(10, 10, 10), rgb(10, 10, 10), rgb(10, 10, 10), rgb(200, 200, 200),
                                              rgb(30, 30, 30), rgb(0, 0, 0), rgb(255, 255, 255), rgb(90, 90, 90),
                                              rgb(90, 90, 90), rgb(7, 7, 7)});
    EXPECT_TRUE(sameBitmap(expected, load("drhalo_grey.cut")));
    // Without a path there is no palette to look for: index i is grey level i.
    Bitmap indexes(5, 3);
    for (int i = 0; i < 15; ++i) indexes.setPixel(i % 5, i / 5, rgb(6 * i + 3, 6 * i + 3, 6 * i + 3));
    EXPECT_TRUE(sameBitmap(indexes, drawn(*decodeAs(legacyFixture("drhalo.cut"), "x.cut"))));
}

TEST(LegacyFixtures, PhotoCdWrittenByImageMagick)
{
    // The 5 x 3 picture stretched to the 768 x 512 base image. ImageMagick
    // stores luma on its own scale (white at 255 where Kodak's white is near
    // 189), so the colours come out brighter than they went in: check the
    // layout and the channel order, the exact YCC figures are checked on
    // hand-built files.
    const Bitmap picture = load("pcd_imagemagick.pcd");
    ASSERT_EQ(picture.width(), 768);
    ASSERT_EQ(picture.height(), 512);
    const auto cell = [&picture](int x, int y) { return picture.pixel(x * 768 / 5 + 768 / 10, y * 512 / 3 + 512 / 6); };
    const auto dominant = [](Colour c, int channel) {
        const int v[3] = {redOf(c), greenOf(c), blueOf(c)};
        return v[channel] > v[(channel + 1) % 3] + 100 && v[channel] > v[(channel + 2) % 3] + 100;
    };
    EXPECT_TRUE(dominant(cell(0, 0), 0)) << colourText(cell(0, 0));
    EXPECT_TRUE(dominant(cell(1, 0), 1)) << colourText(cell(1, 0));
    EXPECT_TRUE(dominant(cell(2, 0), 2)) << colourText(cell(2, 0));
    EXPECT_EQ(cell(0, 2), clWhite);
    EXPECT_EQ(cell(1, 2), clBlack);
}

} // namespace
} // namespace kel::test
