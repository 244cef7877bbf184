// The document pieces that need no window: colour count, status line texts,
// zoom steps, the open dialog's request and the drawing of an opened picture.
#include "app/document/colour_count.h"
#include "app/document/colour_count_aside.h"
#include "app/document/open_dialog.h"
#include "app/document/opened_picture.h"
#include "app/document/picture_preview.h"
#include "app/document/status_line.h"
#include "codecs/decode_watch.h"
#include "codecs/library_codecs.h"
#include "codecs/over_white.h"
#include "codecs/writers.h"
#include "graphics/pixel_rows.h"
#include "graphics/picture.h"
#include "support/bitmap_compare.h"
#include "view/zoom_steps.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

namespace kel {
namespace {

using test::bitmapFrom;
using test::sameBitmap;

Bitmap filled(int width, int height, Colour colour, PixelFormat format = pf24bit)
{
    Bitmap bitmap(width, height, format);
    fillRows(bitmap, 0, height, colour);
    return bitmap;
}

// ---------------------------------------------------------------- CountColors

TEST(CountColors, OneColourCountsOnce)
{
    EXPECT_EQ(CountColors(filled(37, 11, rgb(12, 200, 7))), 1);
}

TEST(CountColors, ALargePictureCountsEachColourOnce)
{
    // Row y holds colours 1000 y' + x mod 3000 (y' = y mod 50), shifted in
    // the lower half, so the halves share some and have some of their own.
    for (auto [width, height] : {std::pair{1200, 1000}, std::pair{1200, 1001}}) {
        Bitmap picture(width, height);
        std::set<Colour> distinct;
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int n = (1000 * (y % 50) + x) % 3000 + (y >= height / 2 ? 1500 : 0) + (y == height - 1 ? 70000 : 0);
                const Colour c = rgb(n & 0xFF, (n >> 8) & 0xFF, (n >> 16) & 0xFF);
                writePixel(picture, x, y, c);
                distinct.insert(c);
            }
        EXPECT_EQ(CountColors(picture), int(distinct.size())) << height;
    }
}

// A picture of many colours, some repeated, and its count by an ordered set.
Bitmap manyColours(int width, int height, int& distinct)
{
    Bitmap picture(width, height);
    std::set<Colour> seen;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Colour c = rgb((x * 7 + y) & 0xFF, (y * 3) & 0xFF, (x * y) % 97);
            writePixel(picture, x, y, c);
            seen.insert(c);
        }
    distinct = int(seen.size());
    return picture;
}

// Rows shown to a watch as a reader shows them: every one of `rows` finished
// in turn, then the decode over; a decode that stops early leaves the rows
// overwritten, as released memory would be.
TEST(ColourCountAside, CountsTheFollowedRowsOrCountsAfresh)
{
    const struct Case {
        int rowsFinished;
        bool recountExpected;
    } cases[] = {{130, false}, {16, true}, {0, true}, {129, true}};
    for (const Case& c : cases) {
        int distinct = 0;
        Bitmap picture = manyColours(300, 130, distinct);
        ColourCountAside colours;
        {
            const codecs::WatchingDecodes watch(colours);
            codecs::WatchedRows rows(picture.rowUnchecked(0), picture.bytesPerLine(), 300, 130);
            for (int y = 1; y <= c.rowsFinished; ++y) rows.finished(y);
        }
        if (c.recountExpected) fillRows(picture, 0, 130, clBlack);
        EXPECT_EQ(colours.countOf(picture), c.recountExpected ? 1 : distinct) << c.rowsFinished;
        // Rows of their own are counted for themselves.
        Bitmap other(picture);
        writePixel(other, 0, 0, clWhite);
        EXPECT_EQ(colours.countOf(other), CountColors(other));
    }
}

TEST(ColourCountAside, FollowsTheJpegReaderRowByRow)
{
    int distinct = 0;
    const QByteArray file = codecs::encodeJpeg(manyColours(181, 67, distinct), 90);
    ColourCountAside colours;
    std::unique_ptr<Graphic> decoded;
    {
        const codecs::WatchingDecodes watch(colours);
        decoded = codecs::detail::readJpeg(file, QStringLiteral("a.jpg"));
    }
    const auto& bitmap = dynamic_cast<const Bitmap&>(*decoded);
    EXPECT_EQ(colours.countOf(bitmap), CountColors(bitmap));
    EXPECT_GT(CountColors(bitmap), 1000);
}

// What the JPEG reader tells a watch, as an independent record.
struct RowsSeen final : codecs::DecodeWatch {
    int width = -1, height = -1, overs = 0;
    bool complete = false;
    std::vector<int> finished;
    void rowsAhead(const std::uint8_t*, std::ptrdiff_t, int w, int h) override { width = w, height = h; }
    void rowsFinished(int count) override { finished.push_back(count); }
    void decodeOver(bool done) override { ++overs, complete = done; }
};

TEST(DecodeWatch, TheJpegReaderReportsItsRowsInOrderAndItsEnd)
{
    for (int height : {1, 15, 16, 17, 67}) {
        int distinct = 0;
        const QByteArray file = codecs::encodeJpeg(manyColours(23, height, distinct), 90);
        RowsSeen seen;
        {
            const codecs::WatchingDecodes watch(seen);
            codecs::detail::readJpeg(file, QStringLiteral("a.jpg"));
            // One decode per watch: a second one goes unreported.
            codecs::detail::readJpeg(file, QStringLiteral("b.jpg"));
        }
        std::vector<int> expected;
        for (int rows = 16; rows < height; rows += 16) expected.push_back(rows);
        expected.push_back(height);
        EXPECT_EQ(seen.width, 23) << height;
        EXPECT_EQ(seen.height, height);
        EXPECT_EQ(seen.finished, expected) << height;
        EXPECT_EQ(seen.overs, 1) << height;
        EXPECT_TRUE(seen.complete) << height;
    }
    // A file refused before its rows exist shows the watch nothing.
    RowsSeen seen;
    const codecs::WatchingDecodes watch(seen);
    EXPECT_ANY_THROW(codecs::detail::readJpeg(QByteArray("\xFF\xD8\xFF\xE0 damaged"), QStringLiteral("c.jpg")));
    EXPECT_EQ(seen.height, -1);
    EXPECT_EQ(seen.overs, 0);
}

TEST(CountColors, BlackAndWhiteCountTwo)
{
    EXPECT_EQ(CountColors(bitmapFrom(3, 2, {clBlack, clWhite, clBlack, clWhite, clWhite, clBlack})), 2);
}

TEST(CountColors, ColoursDifferingOnlyInBlueCountTwice)
{
    EXPECT_EQ(CountColors(bitmapFrom(2, 1, {rgb(10, 20, 30), rgb(10, 20, 31)})), 2);
    EXPECT_EQ(CountColors(bitmapFrom(2, 1, {rgb(10, 20, 0), rgb(10, 20, 255)})), 2);
}

TEST(CountColors, ColoursSharingBlueButNotRedGreenCountApart)
{
    // Same blue bit in two different sets, and red and green swapped.
    EXPECT_EQ(CountColors(bitmapFrom(3, 1, {rgb(1, 2, 9), rgb(2, 1, 9), rgb(1, 3, 9)})), 3);
}

TEST(CountColors, EveryColourOfAFullCubeSliceIsCounted)
{
    // 256 x 256 pixels: every (red, green) pair once with blue = red ^ green,
    // then one more row repeating the first: 65 536 colours exactly.
    Bitmap bitmap(256, 257, pf24bit);
    for (int y = 0; y < 257; ++y)
        for (int x = 0; x < 256; ++x) bitmap.setPixel(x, y, rgb(x, y & 255, x ^ (y & 255)));
    EXPECT_EQ(CountColors(bitmap), 65536);
}

TEST(CountColors, EmptyBitmapsGiveZero)
{
    EXPECT_EQ(CountColors(Bitmap()), 0);
    EXPECT_EQ(CountColors(Bitmap(0, 5, pf24bit)), 0);
    EXPECT_EQ(CountColors(Bitmap(5, 0, pf24bit)), 0);
}

TEST(CountColors, PaddingBytesAreNotCounted)
{
    // A 1-pixel-wide row is padded to 4 bytes; the padding must stay outside the count.
    Bitmap bitmap = filled(1, 4, clBlack);
    for (int y = 0; y < 4; ++y) bitmap.scanLine(y)[3] = 0x55;
    EXPECT_EQ(CountColors(bitmap), 1);
}

TEST(CountColors, OtherFormatsAreCountedWithinTheirOwnRows)
{
    // 16 and 32 bits per pixel hold fewer or more bytes per row than 24-bit reading assumes.
    Bitmap sixteen(5, 3, pf16bit);
    fillRows(sixteen, 0, 3, clWhite);
    sixteen.setPixel(4, 2, clRed);
    EXPECT_EQ(CountColors(sixteen), 2);

    Bitmap wide(7, 2, pf32bit);
    fillRows(wide, 0, 2, rgb(1, 2, 3));
    wide.setPixel(0, 0, rgb(1, 2, 4));
    wide.setPixel(6, 1, clBlack);
    EXPECT_EQ(CountColors(wide), 3);

    Bitmap indexed(9, 9, pf4bit);
    fillRows(indexed, 0, 9, clBlack);
    indexed.setPixel(3, 3, clWhite);
    EXPECT_EQ(CountColors(indexed), 2);
}

// --------------------------------------------------------------- status line

TEST(StatusLine, FullFormNamesFileSizeAndCount)
{
    Picture shown;
    shown.setGraphic(std::make_unique<Bitmap>(bitmapFrom(3, 2, {clBlack, clWhite, clRed, clRed, clRed, clRed})));
    EXPECT_EQ(fullStatusLine(QStringLiteral("/home/anne/Kelvary/photo.bmp"), shown),
              QStringLiteral("/home/anne/Kelvary/photo.bmp | 3 x 2 pixels | 3 couleurs"));
}

TEST(StatusLine, FullFormWithoutNameStartsWithSeparator)
{
    Picture shown;
    shown.setGraphic(std::make_unique<Bitmap>(filled(1234, 1001, clWhite)));
    EXPECT_EQ(fullStatusLine(QString(), shown), QStringLiteral(" | 1234 x 1001 pixels | 1 couleurs"));
}

TEST(StatusLine, ShortFormHasSizeOnly)
{
    EXPECT_EQ(shortStatusLine(640, 480), QStringLiteral("640 x 480 pixels"));
    EXPECT_EQ(shortStatusLine(12000, 10), QStringLiteral("12000 x 10 pixels"));
}

TEST(StatusLine, EmptyHolderCountsNothingAndStaysEmpty)
{
    Picture shown;
    EXPECT_EQ(fullStatusLine(QStringLiteral("a.bmp"), shown), QStringLiteral("a.bmp | 0 x 0 pixels | 0 couleurs"));
    EXPECT_FALSE(shown.hasGraphic());
}

class SolidGraphic final : public Graphic {
public:
    int width() const override { return 4; }
    int height() const override { return 3; }
    QImage toImage() const override
    {
        QImage image(4, 3, QImage::Format_ARGB32);
        image.fill(qRgb(9, 8, 7));
        image.setPixel(0, 0, qRgba(0, 0, 0, 0));
        return image;
    }
    std::unique_ptr<Graphic> clone() const override { return std::make_unique<SolidGraphic>(*this); }
};

TEST(StatusLine, GraphicThatIsNotABitmapIsCountedWithoutReplacingIt)
{
    Picture shown;
    shown.setGraphic(std::make_unique<SolidGraphic>());
    // The transparent corner reads as white.
    EXPECT_EQ(fullStatusLine(QStringLiteral("x"), shown), QStringLiteral("x | 4 x 3 pixels | 2 couleurs"));
    EXPECT_EQ(shown.bitmapIfAny(), nullptr);
    EXPECT_EQ(shown.width(), 4);
}

// ---------------------------------------------------------------- zoom steps

std::vector<int> steps(int from, int count, int (*step)(int))
{
    std::vector<int> values;
    for (int i = 0; i < count; ++i) values.push_back(from = step(from));
    return values;
}

TEST(ZoomSteps, WheelAwayFloorsAtFive)
{
    EXPECT_EQ(steps(33, 5, zoom::wheelAwayFromUser), (std::vector<int>{28, 23, 18, 13, 5}));
    EXPECT_EQ(steps(20, 4, zoom::wheelAwayFromUser), (std::vector<int>{15, 10, 5, 5}));
    EXPECT_EQ(zoom::wheelAwayFromUser(14), 5);
}

TEST(ZoomSteps, WheelTowardsUserHasNoLimit)
{
    int zoom = 100;
    for (int i = 0; i < 30; ++i) zoom = zoom::wheelTowardsUser(zoom);
    EXPECT_EQ(zoom, 400);
    EXPECT_EQ(zoom::wheelTowardsUser(100000), 100010);
    EXPECT_EQ(zoom::wheelTowardsUser(INT_MAX - 3), INT_MAX);
}

TEST(ZoomSteps, ZoomNegativeFloorsAtTen)
{
    EXPECT_EQ(steps(33, 4, zoom::zoomNegative), (std::vector<int>{23, 13, 10, 10}));
    EXPECT_EQ(zoom::zoomNegative(15), 10);
    EXPECT_EQ(zoom::zoomNegative(5), 10);
    EXPECT_EQ(zoom::zoomPositive(5), 15);
}

// ---------------------------------------------------------------- open dialog

TEST(OpenDialog, FirstRequestMatchesTheDialogOfTheProgram)
{
    const FileDialogRequest request = OpenDialogMemory().request();
    EXPECT_EQ(request.title, QStringLiteral(" Ouvrir une image "));
    EXPECT_EQ(request.defaultExtension, QStringLiteral("bmp"));
    EXPECT_EQ(request.offset, QPoint(170, 230));
    EXPECT_TRUE(request.preview);
    EXPECT_EQ(request.filterIndex, 1);
    EXPECT_TRUE(request.fileName.isEmpty());
    EXPECT_EQ(request.folder, defaultPictureFolder(QDir::homePath()));
    EXPECT_EQ(request.filters,
              (QStringList{
                  QStringLiteral(" Toutes les images (*.*) (*.bmp *.gif *.jpg *.pcd *.pcx *.png *.psd *.psp *.tga *.tif)"),
                  QStringLiteral(" Images Bitmaps (*.BMP) (*.bmp)"),
                  QStringLiteral(" Images Compuserve Graphical (*.GIF) (*.gif)"),
                  QStringLiteral(" Images File Interchange Format (*.JPG) (*.jpg)"),
                  QStringLiteral(" Images Kodak Photo CD (*.PCD) (*.pcd)"),
                  QStringLiteral(" Images Paintbrush (*.PCX) (*.pcx)"),
                  QStringLiteral(" Images Portable Network Graphic (*.PNG) (*.png)"),
                  QStringLiteral(" Images Adobe Photoshop (*.PSD) (*.psd)"),
                  QStringLiteral(" Images Paintshop (*.PSP) (*.psp)"),
                  QStringLiteral(" Images Truevision (*.TGA) (*.tga)"),
                  QStringLiteral(" Images Tagged Image Files (*.TIF) (*.tif)"),
              }));
}

TEST(OpenDialog, RemembersLastFileAndTypeOfTheRun)
{
    OpenDialogMemory memory;
    memory.remember({QStringLiteral("/tmp/a/photo.png"), 7});
    EXPECT_EQ(memory.request().fileName, QStringLiteral("/tmp/a/photo.png"));
    EXPECT_EQ(memory.request().filterIndex, 7);
    // A file type the list does not have keeps the previous one.
    memory.remember({QStringLiteral("/tmp/b.bmp"), 0});
    EXPECT_EQ(memory.request().fileName, QStringLiteral("/tmp/b.bmp"));
    EXPECT_EQ(memory.request().filterIndex, 7);
    memory.remember({QStringLiteral("/tmp/c.bmp"), 12});
    EXPECT_EQ(memory.request().filterIndex, 7);
}

TEST(OpenDialog, StartsInTheKelvaryFolderOnlyWhenItExists)
{
    QTemporaryDir home;
    ASSERT_TRUE(home.isValid());
    EXPECT_EQ(defaultPictureFolder(home.path()), home.path());
    ASSERT_TRUE(QDir(home.path()).mkdir(QStringLiteral("Kelvary")));
    EXPECT_EQ(defaultPictureFolder(home.path()), QDir(home.path()).filePath(QStringLiteral("Kelvary")));
}

// ------------------------------------------------------------ opened picture

TEST(OpenedPicture, TransparentPartsComeOutWhiteIn24Bits)
{
    const Bitmap drawn = codecs::drawnOverWhite(SolidGraphic());
    EXPECT_EQ(drawn.pixelFormat(), pf24bit);
    const Colour c = rgb(9, 8, 7);
    EXPECT_TRUE(sameBitmap(bitmapFrom(4, 3, {clWhite, c, c, c, c, c, c, c, c, c, c, c}), drawn));
}

TEST(OpenedPicture, IndexedBitmapBecomes24BitWithItsColours)
{
    Bitmap indexed(2, 1, pf8bit);
    indexed.setPixel(0, 0, clRed);
    indexed.setPixel(1, 0, clBlue);
    const Bitmap drawn = codecs::drawnOverWhite(indexed);
    EXPECT_EQ(drawn.pixelFormat(), pf24bit);
    EXPECT_TRUE(sameBitmap(bitmapFrom(2, 1, {clRed, clBlue}), drawn));
}

// ----------------------------------------------------------------- preview

TEST(PicturePreview, ShowsAReadablePictureAndNothingElse)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    // An uncompressed 24-bit Targa of 2 x 1 pixels, top row first.
    const QString tga = QDir(folder.path()).filePath(QStringLiteral("a.tga"));
    {
        QFile file(tga);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        const char header[18] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 1, 0, 24, 0x20};
        file.write(header, sizeof header);
        file.write("\x03\x02\x01\xff\xff\x00", 6);
    }
    const QImage preview = picturePreview(tga);
    ASSERT_EQ(preview.size(), QSize(2, 1));
    EXPECT_EQ(preview.pixel(0, 0), qRgb(1, 2, 3));
    EXPECT_EQ(preview.pixel(1, 0), qRgb(0, 255, 255));

    const QString text = QDir(folder.path()).filePath(QStringLiteral("b.tga"));
    QFile file(text);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("pas une image");
    file.close();
    EXPECT_TRUE(picturePreview(text).isNull());
    EXPECT_TRUE(picturePreview(QDir(folder.path()).filePath(QStringLiteral("absent.tga"))).isNull());
    EXPECT_TRUE(picturePreview(folder.path()).isNull());
}

} // namespace
} // namespace kel
