// The save command's writers by extension: the codecs' table and the
// program's TIFF writer (picture_writers.h).
#include "io/picture_writers.h"

#include "codecs/codec.h"
#include "graphics/errors.h"
#include "io/tiff_writer.h"
#include "support/bitmap_compare.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace kel::io {
namespace {

Bitmap threeByTwo() { return test::bitmapFrom(3, 2, {clRed, clLime, clBlue, clWhite, clBlack, rgb(10, 20, 30)}); }

TEST(PictureWriters, TiffIsTheProgramsOwnWriter)
{
    const Bitmap picture = threeByTwo();
    QByteArray written;
    QBuffer buffer(&written);
    buffer.open(QIODevice::WriteOnly);
    WriteBitmapAsTiff(buffer, picture);
    for (const char* extension : {"tif", "tiff", "TIF"}) {
        const codecs::EncodeFunction encode = pictureWriterFor(QString::fromLatin1(extension));
        ASSERT_NE(encode, nullptr) << extension;
        EXPECT_EQ(encode(picture), written) << extension;
    }
    EXPECT_THROW(pictureWriterFor(QStringLiteral("tif"))(Bitmap(4, 4, pf1bit)), InvalidOperation);
}

TEST(PictureWriters, OtherExtensionsGoToTheCodecs)
{
    for (const char* extension : {"bmp", "gif", "jpg", "jpeg", "png", "tga", "PNG", "pcx", "ico", ""})
        EXPECT_EQ(pictureWriterFor(QString::fromLatin1(extension)), codecs::writerFor(QString::fromLatin1(extension)))
            << extension;
}

TEST(PictureWriters, EverySaveFormatHasAWriter)
{
    // The forced extensions of the save command's format table, in its order.
    for (const char* extension : {"bmp", "gif", "jpg", "png", "tga", "tif"}) {
        const codecs::EncodeFunction encode = pictureWriterFor(QString::fromLatin1(extension));
        ASSERT_NE(encode, nullptr) << extension;
        const auto back = codecs::decodeGraphic(encode(threeByTwo()), QString::fromLatin1(extension));
        EXPECT_EQ(back->width(), 3) << extension;
        EXPECT_EQ(back->height(), 2) << extension;
    }
}

} // namespace
} // namespace kel::io
