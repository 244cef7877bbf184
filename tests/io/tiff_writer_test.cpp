#include "io/tiff_writer.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"

#include <QBuffer>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <tiffio.h>

#include <optional>

namespace kel::io {
namespace {

QByteArray tiffBytes(const Bitmap& bitmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    WriteBitmapAsTiff(buffer, bitmap);
    return bytes;
}

std::uint32_t u32At(const QByteArray& b, qsizetype at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8
           | std::uint32_t(std::uint8_t(b[at + 2])) << 16 | std::uint32_t(std::uint8_t(b[at + 3])) << 24;
}
std::uint16_t u16At(const QByteArray& b, qsizetype at)
{
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

struct Entry {
    std::uint16_t type;
    std::uint32_t count;
    std::uint32_t value;
};

std::optional<Entry> entry(const QByteArray& b, std::uint16_t tag)
{
    const qsizetype directory = u32At(b, 4);
    for (int i = 0; i < u16At(b, directory); ++i) {
        const qsizetype at = directory + 2 + 12 * i;
        if (u16At(b, at) == tag) return Entry{u16At(b, at + 2), u32At(b, at + 4), u32At(b, at + 8)};
    }
    return std::nullopt;
}

Bitmap threeByTwo(PixelFormat format)
{
    Bitmap bitmap = test::bitmapFrom(3, 2, {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255),
                                            rgb(10, 20, 30), clWhite, clBlack});
    bitmap.setPixelFormat(format);
    return bitmap;
}

Bitmap indexed(int width, int height, PixelFormat format)
{
    Bitmap bitmap(width, height, format);
    const int colours = format == pf4bit ? 16 : 256;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            writePixel(bitmap, x, y, bitmap.palette()[std::size_t((x * 7 + y * 3) % colours)]);
    return bitmap;
}

// Reads a file through libtiff as a top-down 24-bit bitmap.
Bitmap readWithLibtiff(const QString& path)
{
    TIFFSetWarningHandler(nullptr); // the Software text has no terminating zero, on purpose
    TIFF* tiff = TIFFOpen(QFile::encodeName(path).constData(), "r");
    if (!tiff) return {};
    std::uint32_t width = 0, height = 0;
    TIFFGetField(tiff, TIFFTAG_IMAGEWIDTH, &width);
    TIFFGetField(tiff, TIFFTAG_IMAGELENGTH, &height);
    std::vector<std::uint32_t> raster(std::size_t(width) * height);
    Bitmap bitmap;
    if (TIFFReadRGBAImageOriented(tiff, width, height, raster.data(), ORIENTATION_TOPLEFT, 0)) {
        bitmap = Bitmap(int(width), int(height), pf24bit);
        for (std::uint32_t y = 0; y < height; ++y)
            for (std::uint32_t x = 0; x < width; ++x) {
                const std::uint32_t p = raster[y * width + x];
                bitmap.setPixel(int(x), int(y), rgb(TIFFGetR(p), TIFFGetG(p), TIFFGetB(p)));
            }
    }
    TIFFClose(tiff);
    return bitmap;
}

Bitmap asTrueColour(const Bitmap& bitmap, int width)
{
    Bitmap result(width, bitmap.height(), pf24bit);
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < width; ++x) result.setPixel(x, y, readPixel(bitmap, x, y));
    return result;
}

TEST(TiffLayout, ThreeByTwoRgbFile)
{
    const QByteArray b = tiffBytes(threeByTwo(pf24bit));
    ASSERT_EQ(b.size(), 244);
    EXPECT_EQ(b.left(4), QByteArray("II\x2a\x00", 4));
    EXPECT_EQ(u32At(b, 4), 58u);
    EXPECT_EQ(u32At(b, 8), 877u);
    EXPECT_EQ(u32At(b, 12), 10u);
    EXPECT_EQ(b.mid(30, 10), "Fendralupo");
    EXPECT_EQ(b.mid(40, 6), QByteArray("\xff\x00\x00\x00\xff\x00", 6)); // red, green in R, G, B order
    EXPECT_EQ(u16At(b, 58), 15);
    EXPECT_EQ(u32At(b, 240), 0u);
    EXPECT_EQ(entry(b, 279)->value, 18u);
    EXPECT_EQ(entry(b, 273)->value, 40u);
    EXPECT_EQ(entry(b, 258)->count, 3u);
    EXPECT_EQ(entry(b, 258)->value, 24u);
    EXPECT_EQ(entry(b, 305)->count, 10u);
    EXPECT_EQ(entry(b, 305)->value, 30u);
    EXPECT_EQ(entry(b, 282)->value, 8u);
    EXPECT_EQ(entry(b, 283)->value, 16u);
    EXPECT_EQ(entry(b, 262)->value, 2u);
    EXPECT_EQ(entry(b, 284)->value, 1u);
    EXPECT_FALSE(entry(b, 320));
}

TEST(TiffLayout, DirectoryEntriesAscendAndShortsFillTheirField)
{
    const QByteArray b = tiffBytes(threeByTwo(pf24bit));
    std::uint16_t previous = 0;
    for (int i = 0; i < 15; ++i) {
        const std::uint16_t tag = u16At(b, 60 + 12 * i);
        EXPECT_GT(tag, previous);
        previous = tag;
    }
    EXPECT_EQ(b.mid(60 + 12 * 1 + 8, 4), QByteArray("\x03\x00\x00\x00", 4)); // ImageWidth 3 as a 32-bit number
}

TEST(TiffLayout, ThirtyTwoBitsWriteTheSameFileAsTwentyFour)
{
    EXPECT_EQ(tiffBytes(threeByTwo(pf32bit)), tiffBytes(threeByTwo(pf24bit)));
}

TEST(TiffLayout, EightBitRowsAreNotPadded)
{
    const QByteArray b = tiffBytes(indexed(5, 3, pf8bit));
    EXPECT_EQ(b.size(), 1570 + 15 + 186);
    EXPECT_EQ(u32At(b, 4), 1570u + 15u);
    EXPECT_EQ(entry(b, 256)->value, 5u);
    EXPECT_EQ(entry(b, 279)->value, 15u);
    EXPECT_EQ(entry(b, 273)->value, 1570u);
    EXPECT_EQ(entry(b, 320)->count, 768u);
    EXPECT_EQ(entry(b, 320)->value, 8u);
    EXPECT_EQ(entry(b, 305)->value, 24u + 1536u);
}

TEST(TiffLayout, FourBitWidthIsRoundedDownToAMultipleOfFour)
{
    const Bitmap bitmap = indexed(7, 2, pf4bit);
    const QByteArray b = tiffBytes(bitmap);
    EXPECT_EQ(entry(b, 256)->value, 4u);
    EXPECT_EQ(entry(b, 258)->value, 4u);
    EXPECT_EQ(entry(b, 279)->value, 4u);
    EXPECT_EQ(b.size(), 130 + 4 + 186);
    EXPECT_EQ(b.mid(130, 2), QByteArray(reinterpret_cast<const char*>(bitmap.scanLine(0)), 2));
}

TEST(TiffLayout, WhitePaletteEntryGives65280)
{
    Bitmap bitmap(4, 1, pf8bit);
    Palette palette(256, clBlack);
    palette[7] = clWhite;
    bitmap.setPalette(palette);
    const QByteArray b = tiffBytes(bitmap);
    EXPECT_EQ(u16At(b, 8 + 2 * 7), 65280);
    EXPECT_EQ(u16At(b, 8 + 512 + 2 * 7), 65280);
    EXPECT_EQ(u16At(b, 8 + 1024 + 2 * 7), 65280);
    EXPECT_EQ(u16At(b, 8 + 2 * 6), 0);
}

TEST(TiffLayout, WritingTwiceIsByteIdentical)
{
    EXPECT_EQ(tiffBytes(indexed(9, 4, pf8bit)), tiffBytes(indexed(9, 4, pf8bit)));
    EXPECT_EQ(tiffBytes(threeByTwo(pf24bit)), tiffBytes(threeByTwo(pf24bit)));
}

TEST(TiffLayout, EmptyAndTwoColourBitmapsWriteNothing)
{
    EXPECT_TRUE(tiffBytes(Bitmap()).isEmpty());
    EXPECT_TRUE(tiffBytes(Bitmap(8, 8, pf1bit)).isEmpty());
}

TEST(TiffLayout, SixteenBitsAreWrittenAsRgb)
{
    const QByteArray b = tiffBytes(threeByTwo(pf16bit));
    EXPECT_EQ(b.size(), 244);
    EXPECT_EQ(entry(b, 262)->value, 2u);
}

TEST(TiffLayout, FourBitNarrowerThanFourIsRefused)
{
    EXPECT_THROW(tiffBytes(indexed(3, 2, pf4bit)), InvalidOperation);
}

class TiffFiles : public testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

TEST_F(TiffFiles, LibtiffReadsEveryDepthBackToTheSamePixels)
{
    for (PixelFormat format : {pf24bit, pf32bit, pf16bit, pf15bit}) {
        const Bitmap bitmap = threeByTwo(format);
        SaveBitmapAsTiff(path("rgb.tif"), bitmap);
        EXPECT_TRUE(test::sameBitmap(asTrueColour(bitmap, 3), readWithLibtiff(path("rgb.tif"))))
            << "bits " << bitsPerPixel(format);
    }
    const Bitmap eight = indexed(5, 3, pf8bit);
    SaveBitmapAsTiff(path("eight.tif"), eight);
    EXPECT_TRUE(test::sameBitmap(asTrueColour(eight, 5), readWithLibtiff(path("eight.tif"))));
    const Bitmap four = indexed(7, 3, pf4bit);
    SaveBitmapAsTiff(path("four.tif"), four);
    EXPECT_TRUE(test::sameBitmap(asTrueColour(four, 4), readWithLibtiff(path("four.tif"))));
}

TEST_F(TiffFiles, SavingTwiceGivesIdenticalFiles)
{
    SaveBitmapAsTiff(path("a.tif"), threeByTwo(pf24bit));
    SaveBitmapAsTiff(path("b.tif"), threeByTwo(pf24bit));
    QFile a(path("a.tif")), b(path("b.tif"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    EXPECT_EQ(a.readAll(), b.readAll());
}

TEST_F(TiffFiles, RefusedBitmapLeavesTheOldFile)
{
    QFile old(path("old.tif"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("previous");
    old.close();
    EXPECT_THROW(SaveBitmapAsTiff(path("old.tif"), Bitmap(4, 4, pf1bit)), InvalidOperation);
    EXPECT_THROW(SaveBitmapAsTiff(path("old.tif"), Bitmap()), InvalidOperation);
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), "previous");
}

TEST_F(TiffFiles, UnwritableFolderRaisesFileError)
{
    EXPECT_THROW(SaveBitmapAsTiff(path("missing/x.tif"), threeByTwo(pf24bit)), FileError);
}

} // namespace
} // namespace kel::io
