#include "codecs/codec.h"
#include "graphics/errors.h"

#include <QBuffer>
#include <QImage>

#include <gtest/gtest.h>

#include <vector>

namespace kel::codecs {
namespace {

void put16(QByteArray& b, int v)
{
    b.append(char(v & 0xFF));
    b.append(char((v >> 8) & 0xFF));
}
void put32(QByteArray& b, std::int64_t v)
{
    put16(b, int(v & 0xFFFF));
    put16(b, int((v >> 16) & 0xFFFF));
}

// An icon image as stored: header with doubled height, colour table, colour rows, mask rows.
QByteArray bitmapImage(int width, int height, int bits, const std::vector<QRgb>& table, const QByteArray& colourRows,
                       const QByteArray& maskRows)
{
    QByteArray b;
    put32(b, 40);
    put32(b, width);
    put32(b, 2 * height);
    put16(b, 1);
    put16(b, bits);
    for (int i = 0; i < 6; ++i) put32(b, 0);
    for (QRgb c : table) put32(b, std::int64_t(c & 0xFFFFFF));
    return b + colourRows + maskRows;
}

struct Image {
    int width, height, bits;
    QByteArray data;
};

QByteArray iconFile(const std::vector<Image>& images)
{
    QByteArray b;
    put16(b, 0);
    put16(b, 1);
    put16(b, int(images.size()));
    std::int64_t offset = 6 + 16 * std::int64_t(images.size());
    for (const Image& image : images) {
        b.append(char(image.width & 0xFF));
        b.append(char(image.height & 0xFF));
        put16(b, 0);
        put16(b, 1);
        put16(b, image.bits);
        put32(b, image.data.size());
        put32(b, offset);
        offset += image.data.size();
    }
    for (const Image& image : images) b += image.data;
    return b;
}

QImage decoded(const QByteArray& bytes)
{
    const auto graphic = decodeGraphic(bytes, QStringLiteral("ico"));
    EXPECT_TRUE(graphic->isIcon());
    return graphic->toImage();
}

// 2 x 2, 4 bits: top row colours 1 and 2, bottom row 0 and 1; top-left masked.
QByteArray fourBitIcon()
{
    const QByteArray colour("\x01\x00\x00\x00\x12\x00\x00\x00", 8); // bottom row first
    const QByteArray mask("\x00\x00\x00\x00\x80\x00\x00\x00", 8);
    std::vector<QRgb> table(16, 0);
    table[1] = qRgb(255, 0, 0);
    table[2] = qRgb(0, 0, 255);
    return iconFile({{2, 2, 4, bitmapImage(2, 2, 4, table, colour, mask)}});
}

TEST(IconReader, FourBitImageWithItsMask)
{
    const QImage image = decoded(fourBitIcon());
    ASSERT_EQ(image.size(), QSize(2, 2));
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0);
    EXPECT_EQ(image.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(image.pixel(0, 1), qRgb(0, 0, 0));
    EXPECT_EQ(image.pixel(1, 1), qRgb(255, 0, 0));
}

TEST(IconReader, ThirtyTwoBitAlphaWinsOverTheMask)
{
    const QByteArray colour("\x10\x20\x30\x80\x00\x00\x00\x00", 8); // 2 x 1: half-transparent, then clear
    const QByteArray noAlpha("\x10\x20\x30\x00\x40\x50\x60\x00", 8);
    const QByteArray mask("\x40\x00\x00\x00", 4);
    QImage image = decoded(iconFile({{2, 1, 32, bitmapImage(2, 1, 32, {}, colour, {})}}));
    EXPECT_EQ(image.pixel(0, 0), qRgba(0x30, 0x20, 0x10, 0x80));
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
    image = decoded(iconFile({{2, 1, 32, bitmapImage(2, 1, 32, {}, noAlpha, mask)}}));
    EXPECT_EQ(image.pixel(0, 0), qRgb(0x30, 0x20, 0x10));
    EXPECT_EQ(qAlpha(image.pixel(1, 0)), 0);
}

TEST(IconReader, TakesTheLargestImage)
{
    const QByteArray one = bitmapImage(1, 1, 24, {}, QByteArray("\xff\x00\x00\x00", 4), QByteArray(4, 0));
    QImage big(3, 3, QImage::Format_ARGB32);
    big.fill(qRgb(0, 200, 0));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    big.save(&buffer, "PNG");
    const QImage image = decoded(iconFile({{1, 1, 24, one}, {3, 3, 32, png}, {1, 1, 24, one}}));
    ASSERT_EQ(image.size(), QSize(3, 3));
    EXPECT_EQ(image.pixel(1, 1), qRgb(0, 200, 0));
}

TEST(IconReader, RejectsDamagedFiles)
{
    const QByteArray good = fourBitIcon();
    auto patched = [&](int at, QByteArray bytes) { return QByteArray(good).replace(at, bytes.size(), bytes); };
    const std::vector<QByteArray> damaged = {
        QByteArray(),
        good.left(5),
        good.left(21),
        good.left(good.size() - 1),       // mask cut short
        patched(2, QByteArray("\3\0", 2)), // not an icon
        patched(4, QByteArray("\0\0", 2)), // no image
        patched(18, QByteArray("\xff\xff\0\0", 4)), // image beyond the file
        patched(22 + 4, QByteArray("\0\0\0\0", 4)), // width 0
        patched(22 + 4, QByteArray("\x40\x9c\0\0", 4)), // width 40000
        patched(22 + 8, QByteArray("\xff\xff\xff\xff", 4)), // negative height
        patched(22 + 14, QByteArray("\x10\0", 2)), // 16 bits per pixel
        patched(22 + 16, QByteArray("\1\0\0\0", 4)), // compressed
        patched(22 + 32, QByteArray("\x11\0\0\0", 4)), // 17 colours for 4 bits
        patched(22, QByteArray("\xff\0\0\0", 4)), // unknown header size
    };
    for (std::size_t i = 0; i < damaged.size(); ++i)
        EXPECT_THROW(decodeGraphic(damaged[i], QStringLiteral("ico")), InvalidGraphic) << "case " << i;
}

TEST(IconReader, PaletteIndexPastTheTableIsBlack)
{
    std::vector<QRgb> table = {qRgb(9, 9, 9)};
    QByteArray image = bitmapImage(2, 1, 8, table, QByteArray("\x00\xff\0\0", 4), QByteArray(4, 0));
    image.replace(32, 4, QByteArray("\1\0\0\0", 4)); // one colour used
    const QImage decodedImage = decoded(iconFile({{2, 1, 8, image}}));
    EXPECT_EQ(decodedImage.pixel(0, 0), qRgb(9, 9, 9));
    EXPECT_EQ(decodedImage.pixel(1, 0), qRgb(0, 0, 0));
}

} // namespace
} // namespace kel::codecs
