// The writer table (writers.h): each extension the save command forces finds
// the writer of its format, whose bytes are encodeBitmap's and read back
// through the reader of the same extension.
#include "codecs/codec.h"
#include "codecs/library_test_support.h"
#include "codecs/writers.h"
#include "graphics/errors.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace kel::codecs {
namespace {

struct Row {
    const char* extension;
    WriteFormat format;
};

constexpr Row kRows[] = {
    {"bmp", WriteFormat::Bmp}, {"gif", WriteFormat::Gif}, {"jpg", WriteFormat::Jpeg}, {"jpeg", WriteFormat::Jpeg},
    {"png", WriteFormat::Png}, {"tga", WriteFormat::Targa}, {"BMP", WriteFormat::Bmp}, {"Tga", WriteFormat::Targa},
};

TEST(WriterTable, EachExtensionFindsTheWriterOfItsFormat)
{
    const Bitmap picture = test::library::colours24();
    for (const Row& row : kRows) {
        const QString extension = QString::fromLatin1(row.extension);
        const EncodeFunction encode = writerFor(extension);
        ASSERT_NE(encode, nullptr) << row.extension;
        const QByteArray bytes = encode(picture);
        EXPECT_EQ(bytes, encodeBitmap(picture, row.format)) << row.extension;
        const auto back = decodeGraphic(bytes, extension);
        EXPECT_EQ(back->width(), picture.width()) << row.extension;
        EXPECT_EQ(back->height(), picture.height()) << row.extension;
    }
}

TEST(WriterTable, ListsTheFiveFormatsInTheSaveCommandsOrder)
{
    std::vector<WriteFormat> formats;
    for (const WriterEntry& entry : writers()) formats.push_back(entry.format);
    EXPECT_EQ(formats, (std::vector<WriteFormat>{WriteFormat::Bmp, WriteFormat::Gif, WriteFormat::Jpeg,
                                                 WriteFormat::Png, WriteFormat::Targa}));
}

TEST(WriterTable, OtherExtensionsHaveNoWriter)
{
    // TIFF's writer is the program's own, in io (io::pictureWriterFor).
    for (const char* extension : {"tif", "tiff", "pcx", "psd", "ico", "emf", "", ".bmp", "bmpx"})
        EXPECT_EQ(writerFor(QString::fromLatin1(extension)), nullptr) << extension;
}

TEST(WriterTable, FailuresComeOutAsFileError)
{
    QBuffer sink;
    sink.open(QIODevice::WriteOnly);
    for (const WriterEntry& entry : writers()) {
        EXPECT_THROW(entry.encode(Bitmap()), FileError);
        if (entry.stream) EXPECT_THROW(entry.stream(Bitmap(), sink), FileError);
    }
}

// A streaming writer sends exactly the encoder's bytes, whatever the pixel
// format and however the rows fall into its blocks (a single block, several
// with the last one part full).
TEST(WriterTable, StreamingWritersSendTheEncodersBytes)
{
    struct Size {
        int width, height;
    };
    const PixelFormat formats[] = {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit};
    const Size sizes[] = {{1, 1}, {7, 3}, {1000, 700}};
    ASSERT_NE(streamWriterFor(QStringLiteral("BMP")), nullptr);
    for (const WriterEntry& entry : writers()) {
        if (!entry.stream) continue;
        for (const PixelFormat format : formats)
            for (const Size size : sizes) {
                Bitmap picture = test::library::colours24();
                picture.setSize(size.width, size.height);
                picture.setPixelFormat(format);
                QBuffer sink;
                sink.open(QIODevice::WriteOnly);
                entry.stream(picture, sink);
                EXPECT_EQ(sink.data(), entry.encode(picture)) << size.width << " x " << size.height;
            }
    }
}

} // namespace
} // namespace kel::codecs
