// The five writers: a small asymmetric picture written and read back, the
// settings each format must carry, and failures that leave the old file.
#include "codecs/atomic_file.h"
#include "codecs/codec.h"
#include "codecs/colour_quantiser.h"
#include "codecs/library_test_support.h"
#include "codecs/writers.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "support/bitmap_compare.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>

using namespace kel;
using namespace kel::codecs;
using namespace kel::test::library;
using kel::test::sameBitmap;

namespace {

// The picture in another pixel format, as the save command would find it.
Bitmap inFormat(const Bitmap& source, PixelFormat format)
{
    Bitmap b(source);
    b.setPixelFormat(format);
    return b;
}

// Its colours as a 24-bit bitmap (what a faithful file must give back).
Bitmap rendered(const Bitmap& b)
{
    Bitmap out(b.width(), b.height(), pf24bit);
    convertRows(b, out);
    return out;
}

// A Targa decoder of the two kinds the writer makes (types 9 and 10, RLE,
// either origin), written from the published layout so that the writer is
// checked whether or not the Targa reader of the legacy family is there.
Bitmap decodeTargaForTest(const QByteArray& bytes)
{
    auto u8 = [&](int i) { return int(std::uint8_t(bytes.at(i))); };
    auto u16 = [&](int i) { return u8(i) | (u8(i + 1) << 8); };
    const int idLength = u8(0), mapType = u8(1), type = u8(2);
    const int mapLength = u16(5), mapBits = u8(7);
    const int w = u16(12), h = u16(14), bits = u8(16), descriptor = u8(17);
    EXPECT_TRUE(type == 9 || type == 10) << "type " << type;
    int pos = 18 + idLength;
    Palette palette;
    if (mapType == 1) {
        EXPECT_EQ(mapBits, 24);
        for (int i = 0; i < mapLength; ++i, pos += 3) palette.push_back(rgb(u8(pos + 2), u8(pos + 1), u8(pos)));
    }
    const int size = bits / 8;
    std::vector<std::uint8_t> pixels;
    while (int(pixels.size()) < w * h * size) {
        const int header = u8(pos++);
        const int count = (header & 0x7F) + 1;
        if (header & 0x80) {
            for (int i = 0; i < count; ++i)
                for (int k = 0; k < size; ++k) pixels.push_back(std::uint8_t(u8(pos + k)));
            pos += size;
        } else {
            for (int i = 0; i < count * size; ++i) pixels.push_back(std::uint8_t(u8(pos++)));
        }
    }
    Bitmap out(w, h, pf24bit);
    for (int y = 0; y < h; ++y) {
        const int fileRow = (descriptor & 0x20) ? y : h - 1 - y;
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = pixels.data() + (std::size_t(fileRow) * std::size_t(w) + std::size_t(x)) * std::size_t(size);
            out.setPixel(x, y, size == 1 ? palette.at(p[0]) : rgb(p[2], p[1], p[0]));
        }
    }
    return out;
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

TEST(LibraryWriters, TheTestPictureIsAsymmetric)
{
    const Bitmap p = colours24();
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) {
            EXPECT_NE(p.pixel(x, y), p.pixel(p.width() - 1 - x, y));
            EXPECT_NE(p.pixel(x, y), p.pixel(x, p.height() - 1 - y));
        }
    EXPECT_EQ(p.pixel(0, 0), clRed);
    EXPECT_NE(p.pixel(0, 0), p.pixel(2, 0));
}

TEST(LibraryWriters, BmpKeepsEveryPixelFormat)
{
    for (PixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        const Bitmap source = inFormat(colours24(), format);
        const QByteArray bytes = encodeBitmap(source, WriteFormat::Bmp);
        ASSERT_GE(bytes.size(), 54);
        EXPECT_EQ(int(std::uint8_t(bytes[28])), bitsPerPixel(format)) << bitsPerPixel(format);
        EXPECT_TRUE(sameBitmap(rendered(source), decodeAndDraw(bytes, "bmp"))) << bitsPerPixel(format);
    }
    // A bitmap with its own palette keeps it.
    Bitmap custom(3, 2, pf8bit);
    Palette palette(256, clBlack);
    palette[1] = rgb(1, 2, 3);
    palette[2] = rgb(250, 251, 252);
    custom.setPalette(palette);
    custom.scanLine(0)[0] = 1;
    custom.scanLine(1)[2] = 2;
    EXPECT_TRUE(sameBitmap(rendered(custom), decodeAndDraw(encodeBitmap(custom, WriteFormat::Bmp), "bmp")));
}

TEST(LibraryWriters, GifGivesBackAPictureOfFewColoursExactly)
{
    for (PixelFormat format : {pf24bit, pf8bit, pf32bit}) {
        const Bitmap source = inFormat(colours24(), format);
        const QByteArray bytes = encodeBitmap(source, WriteFormat::Gif);
        EXPECT_TRUE(bytes.startsWith("GIF8"));
        EXPECT_TRUE(sameBitmap(rendered(source), decodeAndDraw(bytes, "gif")));
    }
}

TEST(LibraryWriters, GifPaletteHoldsTheStaticColoursFirstAndLast)
{
    const QByteArray bytes = encodeBitmap(colours24(), WriteFormat::Gif);
    ASSERT_GE(bytes.size(), 13 + 768);
    EXPECT_EQ(std::uint8_t(bytes[10]) & 0x87, 0x87); // global table of 256 entries
    auto entry = [&](int i) {
        const int at = 13 + 3 * i;
        return rgb(std::uint8_t(bytes[at]), std::uint8_t(bytes[at + 1]), std::uint8_t(bytes[at + 2]));
    };
    const auto& statics = systemStaticColours();
    for (int i = 0; i < 10; ++i) EXPECT_EQ(entry(i), statics[std::size_t(i)]) << i;
    for (int i = 0; i < 10; ++i) EXPECT_EQ(entry(246 + i), statics[std::size_t(10 + i)]) << i;
    // The picture's own colours are among the 236 chosen ones (or static).
    std::set<Colour> table;
    for (int i = 0; i < 256; ++i) table.insert(entry(i));
    const Bitmap p = colours24();
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x) EXPECT_TRUE(table.count(p.pixel(x, y))) << x << "," << y;
}

TEST(LibraryWriters, GifReducesAManyColouredPictureByMedianCutAndDithering)
{
    // 4096 colours: a smooth two-dimensional gradient.
    Bitmap source(64, 64, pf24bit);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) source.setPixel(x, y, rgb(x * 4, y * 4, 255 - (x + y) * 2));
    const Palette chosen = medianCutColours(source, 236, Palette(systemStaticColours().begin(), systemStaticColours().end()));
    EXPECT_EQ(chosen.size(), 236u);
    EXPECT_EQ(std::set<Colour>(chosen.begin(), chosen.end()).size(), 236u);

    const Bitmap back = decodeAndDraw(encodeBitmap(source, WriteFormat::Gif), "gif");
    // Each pixel stays near its colour, and dithering keeps 8 x 8 averages close.
    EXPECT_TRUE(sameBitmap(source, back, 40));
    for (int by = 0; by < 64; by += 8)
        for (int bx = 0; bx < 64; bx += 8) {
            long sum[2][3] = {};
            for (int y = by; y < by + 8; ++y)
                for (int x = bx; x < bx + 8; ++x) {
                    const Colour a = source.pixel(x, y), b = back.pixel(x, y);
                    sum[0][0] += redOf(a), sum[0][1] += greenOf(a), sum[0][2] += blueOf(a);
                    sum[1][0] += redOf(b), sum[1][1] += greenOf(b), sum[1][2] += blueOf(b);
                }
            for (int c = 0; c < 3; ++c) EXPECT_NEAR(sum[0][c] / 64.0, sum[1][c] / 64.0, 4.0) << bx << "," << by;
        }
}

TEST(LibraryWriters, FloydSteinbergLeavesExactColoursAlone)
{
    const Bitmap p = colours24();
    const Palette palette = gifPalette(p);
    const std::vector<std::uint8_t> indexes = ditherFloydSteinberg(p, palette);
    for (int y = 0; y < p.height(); ++y)
        for (int x = 0; x < p.width(); ++x)
            EXPECT_EQ(palette[indexes[std::size_t(y * p.width() + x)]], p.pixel(x, y));
}

TEST(LibraryWriters, JpegIsColourQuality80AndCloseToTheSource)
{
    // The asymmetric picture in flat 16 x 16 cells, so that every block is plain.
    const Bitmap small = colours24();
    Bitmap source(6 * 16, 4 * 16, pf24bit);
    for (int y = 0; y < source.height(); ++y)
        for (int x = 0; x < source.width(); ++x) source.setPixel(x, y, small.pixel(x / 16, y / 16));
    const QByteArray bytes = encodeBitmap(source, WriteFormat::Jpeg);
    EXPECT_EQ(bytes, encodeJpeg(source));
    ASSERT_TRUE(bytes.startsWith("\xFF\xD8"));
    // Quality 80 scales the first entry of the standard luminance table (16) to 6.
    const int dqt = bytes.indexOf("\xFF\xDB");
    ASSERT_GT(dqt, 0);
    EXPECT_EQ(int(std::uint8_t(bytes[dqt + 5])), 6);
    // Three components (greyscale off), even for a grey picture.
    for (const Bitmap& picture : {source, greyQuadrants()}) {
        const QByteArray b = encodeJpeg(picture);
        const int sof = b.indexOf("\xFF\xC0");
        ASSERT_GT(sof, 0);
        EXPECT_EQ(int(std::uint8_t(b[sof + 9])), 3);
    }
    // Stated tolerance: inside each cell (a 2-pixel margin left out, where the
    // decoder's smooth chroma upsampling blends neighbouring cells), within 8
    // levels of the source; mirrored or swapped channels would be far off.
    auto cellsMatch = [](const Bitmap& expected, const Bitmap& actual) {
        ASSERT_EQ(actual.width(), expected.width());
        ASSERT_EQ(actual.height(), expected.height());
        int checked = 0;
        for (int y = 0; y < expected.height(); ++y)
            for (int x = 0; x < expected.width(); ++x) {
                if (x % 16 < 2 || x % 16 > 13 || y % 16 < 2 || y % 16 > 13) continue;
                const Colour e = expected.pixel(x, y), a = actual.pixel(x, y);
                ASSERT_LE(std::abs(redOf(e) - redOf(a)), 8) << x << "," << y;
                ASSERT_LE(std::abs(greenOf(e) - greenOf(a)), 8) << x << "," << y;
                ASSERT_LE(std::abs(blueOf(e) - blueOf(a)), 8) << x << "," << y;
                ++checked;
            }
        EXPECT_EQ(checked, 24 * 12 * 12);
    };
    cellsMatch(source, decodeAndDraw(bytes, "jpg"));
    // Any pixel format is compressed from its 24-bit rendering.
    const Bitmap indexed = inFormat(source, pf8bit);
    cellsMatch(rendered(indexed), decodeAndDraw(encodeJpeg(indexed), "jpg"));
}

TEST(LibraryWriters, PngGivesBackEveryPixelExactly)
{
    for (PixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        const Bitmap source = inFormat(colours24(), format);
        const QByteArray bytes = encodeBitmap(source, WriteFormat::Png);
        ASSERT_TRUE(bytes.startsWith("\x89PNG")) << bitsPerPixel(format);
        // Colour type: palette for indexed bitmaps, RGB otherwise.
        EXPECT_EQ(int(std::uint8_t(bytes[25])), isIndexed(format) ? 3 : 2) << bitsPerPixel(format);
        EXPECT_TRUE(sameBitmap(rendered(source), decodeAndDraw(bytes, "png"))) << bitsPerPixel(format);
    }
}

TEST(LibraryWriters, TargaIsRunLengthCompressedAndExact)
{
    struct Case {
        PixelFormat format;
        int type, bits;
    };
    for (const Case& c : {Case{pf24bit, 10, 24}, Case{pf32bit, 10, 24}, Case{pf16bit, 10, 24}, Case{pf8bit, 9, 8},
                          Case{pf4bit, 9, 8}, Case{pf1bit, 9, 8}}) {
        const Bitmap source = inFormat(colours24(), c.format);
        const QByteArray bytes = encodeBitmap(source, WriteFormat::Targa);
        ASSERT_GE(bytes.size(), 18);
        EXPECT_EQ(int(bytes[2]), c.type) << bitsPerPixel(c.format);
        EXPECT_EQ(int(bytes[16]), c.bits) << bitsPerPixel(c.format);
        EXPECT_TRUE(bytes.endsWith(QByteArray("TRUEVISION-XFILE.\0", 18)));
        EXPECT_TRUE(sameBitmap(rendered(source), decodeTargaForTest(bytes))) << bitsPerPixel(c.format);
        // Through the registry's Targa reader when the legacy family provides it.
        if (readerFor("tga")) {
            EXPECT_TRUE(sameBitmap(rendered(source), decodeAndDraw(bytes, "tga")));
        }
    }
    // Runs are packed: a plain 200 x 10 picture takes far less than its pixels.
    Bitmap plain(200, 10, pf24bit);
    const QByteArray packed = encodeBitmap(plain, WriteFormat::Targa);
    EXPECT_LT(packed.size(), 200);
    EXPECT_TRUE(sameBitmap(plain, decodeTargaForTest(packed)));
}

TEST(LibraryWriters, WriteBitmapWritesTheFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("picture.png");
    writeBitmap(colours24(), path, WriteFormat::Png);
    EXPECT_TRUE(sameBitmap(colours24(), decodeAndDraw(readFile(path), "png")));
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).size() == 1) << "no temporary file left behind";
}

TEST(LibraryWriters, EmptyBitmapsAreAFileError)
{
    const Bitmap empty;
    for (WriteFormat f : {WriteFormat::Bmp, WriteFormat::Gif, WriteFormat::Jpeg, WriteFormat::Png, WriteFormat::Targa})
        EXPECT_THROW(encodeBitmap(empty, f), FileError);
    EXPECT_THROW(encodeJpeg(colours24(), 0), FileError);
}

TEST(LibraryWriters, AFailedWriteLeavesTheOldFileIntact)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString path = dir.filePath("old.bmp");
    writeBitmap(colours24(), path, WriteFormat::Bmp);
    const QByteArray before = readFile(path);
    ASSERT_FALSE(before.isEmpty());

    // The encoder fails: nothing is written over the file.
    EXPECT_THROW(writeBitmap(Bitmap(), path, WriteFormat::Bmp), FileError);
    EXPECT_EQ(readFile(path), before);

    // The folder does not exist.
    EXPECT_THROW(writeBitmap(colours24(), dir.filePath("missing/folder/new.bmp"), WriteFormat::Bmp), FileError);

    // The target is a folder: it stays, with what it holds.
    ASSERT_TRUE(QDir(dir.path()).mkdir("taken.png"));
    QFile inside(dir.filePath("taken.png/keep.txt"));
    ASSERT_TRUE(inside.open(QIODevice::WriteOnly));
    inside.write("keep");
    inside.close();
    EXPECT_THROW(writeBitmap(colours24(), dir.filePath("taken.png"), WriteFormat::Png), FileError);
    EXPECT_TRUE(QFileInfo(dir.filePath("taken.png")).isDir());
    EXPECT_EQ(readFile(dir.filePath("taken.png/keep.txt")), QByteArray("keep"));

    // The old file is still whole, and no temporary file is left beside it.
    EXPECT_EQ(readFile(path), before);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{"old.bmp"});
}
