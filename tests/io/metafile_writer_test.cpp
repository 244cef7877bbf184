#include "io/metafile_writer.h"

#include "codecs/codec.h"
#include "codecs/over_white.h"
#include "graphics/errors.h"
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
std::uint16_t u16At(const QByteArray& b, qsizetype at)
{
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

Bitmap threeByTwo()
{
    return test::bitmapFrom(3, 2, {rgb(255, 0, 0), rgb(0, 255, 0), rgb(0, 0, 255), rgb(10, 20, 30), clWhite,
                                   clBlack});
}

template <typename Write>
QByteArray bytesOf(Write write, const Bitmap& bitmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer, bitmap);
    return bytes;
}

Bitmap readBack(const QByteArray& bytes, const char* extension)
{
    const auto graphic = codecs::decodeGraphic(bytes, QString::fromLatin1(extension));
    EXPECT_TRUE(graphic->isMetafile());
    return codecs::drawnOverWhite(*graphic);
}

TEST(EnhancedMetafile, RecordsOfAThreeByTwoPicture)
{
    const QByteArray b = bytesOf(writeEnhancedMetafile, threeByTwo());
    ASSERT_EQ(b.size(), 108 + 144 + 20);
    EXPECT_EQ(u32At(b, 0), 1u);
    EXPECT_EQ(u32At(b, 4), 108u);
    EXPECT_EQ(b.mid(8, 16), QByteArray("\0\0\0\0\0\0\0\0\2\0\0\0\1\0\0\0", 16)); // bounds, inclusive
    EXPECT_EQ(u32At(b, 32), 79u);                                              // frame: 3 pixels at 96 per inch
    EXPECT_EQ(u32At(b, 40), 0x464D4520u);
    EXPECT_EQ(u32At(b, 48), 272u);
    EXPECT_EQ(u32At(b, 52), 3u);
    EXPECT_EQ(u32At(b, 108), 81u);
    EXPECT_EQ(u32At(b, 112), 144u);
    EXPECT_EQ(u32At(b, 108 + 80 + 20), 24u); // image size in the bitmap header
    EXPECT_EQ(b.mid(108 + 120, 3), QByteArray("\x1e\x14\x0a", 3)); // bottom row first, blue green red
    EXPECT_EQ(u32At(b, 252), 14u);
    EXPECT_EQ(u32At(b, 268), 20u);
}

TEST(EnhancedMetafile, ReadsBackWithTheSamePixels)
{
    EXPECT_TRUE(test::sameBitmap(threeByTwo(), readBack(bytesOf(writeEnhancedMetafile, threeByTwo()), "emf")));
    Bitmap eight = threeByTwo();
    eight.setPixelFormat(pf8bit);
    Bitmap expected = eight;
    expected.setPixelFormat(pf24bit);
    EXPECT_TRUE(test::sameBitmap(expected, readBack(bytesOf(writeEnhancedMetafile, eight), "emf")));
}

TEST(WindowsMetafile, RecordsOfAThreeByTwoPicture)
{
    const QByteArray b = bytesOf(writeWindowsMetafile, threeByTwo());
    ASSERT_EQ(b.size(), 22 + 18 + 28 + 64 + 6);
    EXPECT_EQ(u32At(b, 0), 0x9AC6CDD7u);
    EXPECT_EQ(b.mid(6, 10), QByteArray("\0\0\0\0\3\0\2\0\x60\0", 10)); // box 0,0,3,2 at 96 per inch
    std::uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= u16At(b, 2 * i);
    EXPECT_EQ(u16At(b, 20), checksum);
    EXPECT_EQ(u16At(b, 22), 1);
    EXPECT_EQ(u16At(b, 24), 9);
    EXPECT_EQ(u16At(b, 26), 0x0300);
    EXPECT_EQ(u32At(b, 28), (18u + 92u + 6u) / 2);
    EXPECT_EQ(u32At(b, 34), 46u); // largest record, in words
    EXPECT_EQ(u32At(b, 40), 46u);
    EXPECT_EQ(u16At(b, 44), 0x0F43);
    EXPECT_EQ(b.right(6), QByteArray("\3\0\0\0\0\0", 6));
}

TEST(WindowsMetafile, ReadsBackWithTheSamePixels)
{
    EXPECT_TRUE(test::sameBitmap(threeByTwo(), readBack(bytesOf(writeWindowsMetafile, threeByTwo()), "wmf")));
}

TEST(MetafileSaving, ExtensionChoosesTheKind)
{
    QTemporaryDir dir;
    auto contents = [&](const char* name) {
        QFile file(dir.filePath(QString::fromLatin1(name)));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    saveBitmapAsMetafile(threeByTwo(), dir.filePath(QStringLiteral("a.WMF")));
    saveBitmapAsMetafile(threeByTwo(), dir.filePath(QStringLiteral("b.emf")));
    saveBitmapAsMetafile(threeByTwo(), dir.filePath(QStringLiteral("c.bmp")));
    EXPECT_EQ(contents("a.WMF"), bytesOf(writeWindowsMetafile, threeByTwo()));
    EXPECT_EQ(contents("b.emf"), bytesOf(writeEnhancedMetafile, threeByTwo()));
    EXPECT_EQ(contents("c.bmp"), contents("b.emf"));

    EXPECT_THROW(saveBitmapAsMetafile(Bitmap(), dir.filePath(QStringLiteral("b.emf"))), InvalidOperation);
    EXPECT_EQ(contents("b.emf"), bytesOf(writeEnhancedMetafile, threeByTwo()));
    EXPECT_THROW(saveBitmapAsMetafile(threeByTwo(), dir.filePath(QStringLiteral("no/b.emf"))), FileError);
}

} // namespace
} // namespace kel::io
