#include "graphics/bitmap.h"
#include "graphics/pixel_rows.h"
#include "platform/qt_clipboard.h"
#include "platform/qt_printing.h"
#include "support/bitmap_compare.h"
#include "support/scripted_dialogs.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace kel;

namespace {

Bitmap patterned(int width, int height, PixelFormat format)
{
    Bitmap bitmap(width, height, pf24bit);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) bitmap.setPixel(x, y, rgb(x * 37, y * 53, (x ^ y) * 11));
    bitmap.setPixelFormat(format);
    return bitmap;
}

QByteArray head(const QString& path, int bytes)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.read(bytes) : QByteArray();
}

} // namespace

TEST(Clipboard, PicturesGoRoundTripInTheScreensFormat)
{
    QtClipboard clipboard;
    for (PixelFormat format : {pf24bit, pf32bit, pf16bit, pf8bit, pf1bit}) {
        SCOPED_TRACE(bitsPerPixel(format));
        Bitmap picture = patterned(23, 17, format);
        picture.setTransparent(true); // shown as it stands: no transparency on the clipboard
        clipboard.putPicture(picture);
        const std::optional<Bitmap> back = clipboard.picture();
        ASSERT_TRUE(back);
        EXPECT_EQ(back->pixelFormat(), pfDevice);
        EXPECT_TRUE(test::sameBitmap(picture, *back));
    }
}

TEST(Clipboard, AnythingButAPictureGivesNothing)
{
    QtClipboard clipboard;
    QGuiApplication::clipboard()->setText(QStringLiteral("du texte"));
    EXPECT_FALSE(clipboard.picture());
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.picture());
    // Beyond the bitmap limits counts as no picture.
    EXPECT_FALSE(bitmapFromImage(QImage(kMaxBitmapSide + 1, 1, QImage::Format_RGB32)));
    EXPECT_FALSE(bitmapFromImage(QImage()));
}

TEST(Clipboard, PartlyTransparentImagesAreLaidOverWhite)
{
    QImage image(4, 1, QImage::Format_ARGB32);
    const QRgb pixels[] = {qRgba(0, 0, 0, 0), qRgba(0, 0, 0, 255), qRgba(200, 100, 0, 128), qRgba(10, 20, 30, 255)};
    for (int x = 0; x < 4; ++x) image.setPixel(x, 0, pixels[x]);
    const std::optional<Bitmap> bitmap = bitmapFromImage(image);
    ASSERT_TRUE(bitmap);
    // c * a / 255 + 255 - a, rounded to nearest.
    const auto over = [](int c, int a) { return int(std::lround(c * a / 255.0 + 255 - a)); };
    EXPECT_TRUE(test::sameBitmap(test::bitmapFrom(4, 1, {clWhite, clBlack,
                                                        rgb(over(200, 128), over(100, 128), over(0, 128)),
                                                        rgb(10, 20, 30)}),
                                 *bitmap));
}

TEST(Printing, PrintsAndPreviewsOneA4PageIntoAPdf)
{
    QTemporaryDir folder;
    test::ScriptedDialogs dialogs;
    QtPrinting printing(dialogs);
    QPrinter& printer = printing.printer();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);
    EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(10, 10, 10, 10));
    EXPECT_EQ(printer.copyCount(), 1);

    const Bitmap picture = patterned(320, 200, pf24bit);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath(QStringLiteral("page.pdf")));
    EXPECT_TRUE(printing.printPicture(picture));
    EXPECT_EQ(head(folder.filePath(QStringLiteral("page.pdf")), 5), "%PDF-");
    // The settings stay with the printer for the next job.
    EXPECT_EQ(&printing.printer(), &printer);

    // An empty picture still prints its (blank) page.
    printer.setOutputFileName(folder.filePath(QStringLiteral("blank.pdf")));
    EXPECT_TRUE(printing.printPicture(Bitmap()));
    EXPECT_EQ(head(folder.filePath(QStringLiteral("blank.pdf")), 5), "%PDF-");

    dialogs.previewPdfFile = folder.filePath(QStringLiteral("preview.pdf"));
    printing.previewPicture(picture);
    ASSERT_EQ(dialogs.asked.size(), 1u);
    EXPECT_EQ(dialogs.asked[0].call, QStringLiteral("printPreview"));
    EXPECT_EQ(dialogs.asked[0].title, QStringLiteral(" Aperçu avant impression"));
    EXPECT_EQ(head(dialogs.previewPdfFile, 5), "%PDF-");
}

TEST(Printing, ThePageShowsThePictureInItsPlace)
{
    // An A4 page at 96 dpi is 794 x 1123 pixels.
    struct Case {
        int width, height;
        QRect expected;
    };
    const Case cases[] = {
        {320, 200, QRect(77 + 160, 77 + 374, 320, 200)},
        {31, 9, QRect(77 + 304, 77 + 469, 31, 9)},
        {640, 948, QRect(77, 77, 640, 948)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height);
        const Bitmap picture = patterned(c.width, c.height, pf24bit);
        QImage page(794, 1123, QImage::Format_RGB32);
        page.fill(Qt::white);
        {
            QPainter painter(&page);
            paintPicturePage(painter, picture, 96);
        }
        Bitmap inside(c.width, c.height, pf24bit);
        for (int y = 0; y < c.height; ++y)
            for (int x = 0; x < c.width; ++x) {
                const QRgb p = page.pixel(c.expected.x() + x, c.expected.y() + y);
                inside.setPixel(x, y, rgb(qRed(p), qGreen(p), qBlue(p)));
            }
        EXPECT_TRUE(test::sameBitmap(picture, inside));
        // White all round the picture.
        const QRect around = c.expected.adjusted(-1, -1, 1, 1);
        for (const QPoint p : {around.topLeft(), around.topRight(), around.bottomLeft(), around.bottomRight()})
            EXPECT_EQ(page.pixel(p), qRgb(255, 255, 255)) << p.x() << ", " << p.y();
    }
}
