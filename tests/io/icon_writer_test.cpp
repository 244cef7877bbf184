#include "io/icon_writer.h"

#include "codecs/codec.h"
#include "graphics/errors.h"
#include "graphics/palettes.h"
#include "support/bitmap_compare.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kel::io {
namespace {

std::uint32_t u32At(const QByteArray& b, qsizetype at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8
           | std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}

// A 32 x 32 picture: `background` everywhere (so also bottom-left), a black
// square, a white square, a red pixel and a pixel of the placeholder colour.
Bitmap knownPicture(Colour background)
{
    Bitmap bitmap(32, 32, pf24bit);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) bitmap.setPixel(x, y, background);
    for (int y = 2; y < 6; ++y)
        for (int x = 2; x < 6; ++x) {
            bitmap.setPixel(x, y, clBlack);
            bitmap.setPixel(x + 10, y, clWhite);
        }
    bitmap.setPixel(20, 20, clRed);
    bitmap.setPixel(21, 20, kIconPlaceholderColour);
    return bitmap;
}

QByteArray iconBytes(const Graphic& graphic, bool withLength = false)
{
    const TjvIcon jvIcon;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    jvIcon.WriteIconToStream(buffer, *jvIcon.GraphicToIcon(graphic), withLength);
    return bytes;
}

// Mask bit of a pixel, rows stored bottom first, 4 bytes each.
bool maskBit(const QByteArray& icon, int x, int y)
{
    const auto byte = std::uint8_t(icon[1086 + 1024 + (31 - y) * 4 + x / 8]);
    return (byte >> (7 - x % 8)) & 1;
}

std::uint8_t colourIndex(const QByteArray& icon, int x, int y) { return std::uint8_t(icon[1086 + (31 - y) * 32 + x]); }

TEST(IconFile, LayoutOfAThirtyTwoPixelIcon)
{
    const QByteArray b = iconBytes(knownPicture(clWhite));
    ASSERT_EQ(b.size(), 2238);
    EXPECT_EQ(b.left(14), QByteArray("\0\0\1\0\1\0\x20\x20\x08\0\0\0\0\0", 14));
    EXPECT_EQ(u32At(b, 14), 2216u);
    EXPECT_EQ(u32At(b, 18), 22u);
    EXPECT_EQ(u32At(b, 22), 40u);
    EXPECT_EQ(u32At(b, 26), 32u);
    EXPECT_EQ(u32At(b, 30), 64u); // colour and mask heights together
    EXPECT_EQ(b.mid(34, 4), QByteArray("\1\0\x08\0", 4));
    EXPECT_EQ(u32At(b, 38), 0u);
    EXPECT_EQ(u32At(b, 42), 1024u);
    const Palette& palette = halftonePalette();
    for (int i = 0; i < 256; ++i) {
        const Colour c = palette[std::size_t(i)];
        const char entry[4] = {char(blueOf(c)), char(greenOf(c)), char(redOf(c)), 0};
        EXPECT_EQ(b.mid(62 + 4 * i, 4), QByteArray(entry, 4)) << i;
    }
}

TEST(IconFile, WhiteBottomLeftMakesWhiteTransparent)
{
    const QByteArray b = iconBytes(knownPicture(clWhite));
    const std::uint8_t black = colourIndex(b, 2, 2);
    EXPECT_EQ(halftonePalette()[black], clBlack);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool isBlack = x >= 2 && x < 6 && y >= 2 && y < 6;
            const bool opaque = isBlack || (y == 20 && (x == 20 || x == 21));
            EXPECT_EQ(maskBit(b, x, y), !opaque) << x << "," << y;
            if (!opaque) {
                EXPECT_EQ(colourIndex(b, x, y), black) << x << "," << y;
            }
        }
    EXPECT_EQ(halftonePalette()[colourIndex(b, 20, 20)], clRed);
    EXPECT_EQ(colourIndex(b, 21, 20), black); // the placeholder colour comes out black
}

TEST(IconFile, BlackBottomLeftMakesBlackTransparent)
{
    const QByteArray b = iconBytes(knownPicture(clBlack));
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            const bool isWhite = x >= 12 && x < 16 && y >= 2 && y < 6;
            const bool opaque = isWhite || (y == 20 && (x == 20 || x == 21));
            EXPECT_EQ(maskBit(b, x, y), !opaque) << x << "," << y;
        }
    EXPECT_EQ(halftonePalette()[colourIndex(b, 12, 2)], clWhite);
    EXPECT_EQ(halftonePalette()[colourIndex(b, 21, 20)], clBlack);
}

TEST(IconFile, PlaceholderBottomLeftLeavesBlackOpaque)
{
    const QByteArray b = iconBytes(knownPicture(kIconPlaceholderColour));
    EXPECT_TRUE(maskBit(b, 0, 31));
    EXPECT_FALSE(maskBit(b, 3, 3));
    EXPECT_EQ(halftonePalette()[colourIndex(b, 3, 3)], clBlack);
}

TEST(IconFile, ReadsBackThroughTheIconReader)
{
    const auto graphic = codecs::decodeGraphic(iconBytes(knownPicture(clWhite)), QStringLiteral("ico"));
    ASSERT_TRUE(graphic->isIcon());
    ASSERT_EQ(graphic->width(), 32);
    ASSERT_EQ(graphic->height(), 32);
    const QImage image = graphic->toImage();
    EXPECT_EQ(image.pixel(0, 31), qRgba(0, 0, 0, 0));
    EXPECT_EQ(qAlpha(image.pixel(13, 3)), 0);
    EXPECT_EQ(image.pixel(3, 3), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(20, 20), qRgb(255, 0, 0));
    EXPECT_EQ(image.pixel(21, 20), qRgb(0, 0, 0));
}

TEST(IconFile, SmallGraphicIsPaddedWithWhiteAndLengthCanLead)
{
    const Bitmap small = test::bitmapFrom(2, 1, {clRed, clBlue});
    const QByteArray b = iconBytes(small, true);
    ASSERT_EQ(b.size(), 2242);
    EXPECT_EQ(u32At(b, 0), 2238u);
    const QByteArray icon = b.mid(4);
    EXPECT_EQ(halftonePalette()[colourIndex(icon, 1, 0)], clBlue);
    EXPECT_FALSE(maskBit(icon, 1, 0));
    EXPECT_TRUE(maskBit(icon, 2, 0)); // white padding, white bottom-left
}

TEST(IconFile, EmptyOrOversizedIconIsRefused)
{
    const TjvIcon jvIcon;
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_THROW(jvIcon.WriteIconToStream(buffer, codecs::IconGraphic(QImage()), false), InvalidGraphic);
    EXPECT_THROW(jvIcon.WriteIconToStream(buffer, *TjvIcon(300, 20).GraphicToIcon(Bitmap(4, 4)), false),
                 InvalidOperation);
    EXPECT_EQ(buffer.size(), 0);
}

TEST(IconFile, SavingReplacesTheFileOnlyOnSuccess)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("x.ico"));
    const TjvIcon jvIcon;
    jvIcon.SaveGraphicAsIcon(knownPicture(clWhite), path);
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), iconBytes(knownPicture(clWhite)));
    file.close();
    EXPECT_THROW(jvIcon.WriteIconFile(codecs::IconGraphic(QImage()), path), InvalidGraphic);
    EXPECT_EQ(file.size(), 2238);
    EXPECT_THROW(jvIcon.SaveGraphicAsIcon(Bitmap(4, 4), dir.filePath(QStringLiteral("no/x.ico"))), FileError);
}

} // namespace
} // namespace kel::io
