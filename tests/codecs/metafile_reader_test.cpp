#include "codecs/codec.h"
#include "codecs/over_white.h"
#include "graphics/errors.h"
#include "io/metafile_writer.h"
#include "support/bitmap_compare.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

namespace kel::codecs {
namespace {

QByteArray le32(std::int64_t v)
{
    QByteArray b(4, 0);
    for (int i = 0; i < 4; ++i) b[i] = char((v >> (8 * i)) & 0xFF);
    return b;
}
QByteArray le16(int v) { return le32(v).left(2); }

Bitmap twoByTwo() { return test::bitmapFrom(2, 2, {clRed, clLime, clBlue, clWhite}); }

template <typename Write>
QByteArray written(Write write, const Bitmap& bitmap)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    write(buffer, bitmap);
    return bytes;
}

// Offsets in the enhanced metafile of a picture: the drawing record follows the 108-byte header.
constexpr int kDraw = 108;

TEST(EnhancedMetafileReader, StretchesThePartOfTheBitmapIntoItsRectangle)
{
    QByteArray b = written(io::writeEnhancedMetafile, twoByTwo());
    // Picture 4 x 4; the bitmap's right column (source y counts from the bottom) drawn 2 x 4 at x = 1.
    b.replace(8 + 8, 8, le32(3) + le32(3));
    b.replace(kDraw + 24, 24, le32(1) + le32(0) + le32(1) + le32(0) + le32(1) + le32(2));
    b.replace(kDraw + 72, 8, le32(2) + le32(4));
    const auto graphic = decodeGraphic(b, QStringLiteral("emf"));
    ASSERT_TRUE(graphic->isMetafile());
    const QImage image = graphic->toImage();
    ASSERT_EQ(image.size(), QSize(4, 4));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(2, 1), qRgb(0, 255, 0));
    EXPECT_EQ(image.pixel(1, 2), qRgb(255, 255, 255));
    EXPECT_EQ(image.pixel(2, 3), qRgb(255, 255, 255));
    EXPECT_EQ(qAlpha(image.pixel(3, 3)), 0);
}

TEST(EnhancedMetafileReader, RejectsWhatItDoesNotDraw)
{
    const QByteArray good = written(io::writeEnhancedMetafile, twoByTwo());
    auto patched = [&](int at, const QByteArray& bytes) { return QByteArray(good).replace(at, bytes.size(), bytes); };
    const qsizetype end = good.size() - 20;
    const std::vector<QByteArray> damaged = {
        good.left(100),
        good.left(end),                           // no end record
        patched(0, le32(2)),                      // not a header
        patched(40, le32(0)),                     // no signature
        patched(16, le32(40000)),                 // far too wide
        patched(16, le32(-5)),                    // inverted bounds
        patched(kDraw, le32(76)),                 // a record that draws something else
        patched(kDraw + 4, le32(0)),              // empty record
        patched(kDraw + 4, le32(4000)),           // record beyond the file
        patched(kDraw + 48, le32(200)),           // bitmap header beyond the record
        patched(kDraw + 60, le32(1000)),          // pixels beyond the record
        patched(kDraw + 40, le32(3)),             // source wider than the bitmap
        patched(kDraw + 72, le32(0)),             // no destination width
        patched(kDraw + 24, le32(0x6C000000)),    // destination too far for pixel arithmetic
        patched(kDraw + 68, le32(0x00550009)),    // not a plain copy
        patched(kDraw + 80 + 14, le16(16)),       // 16 bits per pixel
    };
    for (std::size_t i = 0; i < damaged.size(); ++i)
        EXPECT_THROW(decodeGraphic(damaged[i], QStringLiteral("emf")), InvalidGraphic) << "case " << i;
}

TEST(WindowsMetafileReader, MapsTheBoundingBoxAtItsResolution)
{
    QByteArray b = written(io::writeWindowsMetafile, twoByTwo());
    // 30 x 30 units at 1440 per inch are 2 x 2 pixels.
    b.replace(10, 6, le16(30) + le16(30) + le16(1440));
    b.replace(52, 16, le16(2) + le16(2) + le16(0) + le16(0) + le16(30) + le16(30) + le16(0) + le16(0));
    const auto graphic = decodeGraphic(b, QStringLiteral("wmf"));
    EXPECT_TRUE(test::sameBitmap(twoByTwo(), drawnOverWhite(*graphic)));
}

TEST(WindowsMetafileReader, RejectsWhatItDoesNotDraw)
{
    const QByteArray good = written(io::writeWindowsMetafile, twoByTwo());
    auto patched = [&](int at, const QByteArray& bytes) { return QByteArray(good).replace(at, bytes.size(), bytes); };
    const std::vector<QByteArray> damaged = {
        good.mid(22),                      // not placeable
        good.left(good.size() - 6),        // no end record
        patched(10, le16(0)),              // empty box
        patched(12, le16(-3)),             // inverted box
        patched(14, le16(0)),              // no resolution
        patched(24, le16(5)),              // header of another size
        patched(44, le16(0x0B41)),         // a record that draws otherwise
        patched(40, le32(2)),              // record too short
        patched(40, le32(0x7FFFFFFF)),     // record beyond the file
        patched(46, le32(0x00660046)),     // not a plain copy
        patched(52, le16(0)),              // no source height
        patched(68 + 4, le32(5)),          // bitmap wider than its record holds
    };
    for (std::size_t i = 0; i < damaged.size(); ++i)
        EXPECT_THROW(decodeGraphic(damaged[i], QStringLiteral("wmf")), InvalidGraphic) << "case " << i;
}

} // namespace
} // namespace kel::codecs
