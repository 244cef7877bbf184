#include "io/pdf_writer.h"

#include "codecs/writers.h"
#include "graphics/errors.h"
#include "io/pdf_export.h"

#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <jpeglib.h>
#include <vector>

namespace kel::io {
namespace {

// A JPEG file made with libjpeg: `components` 1 (grey), 3 (RGB) or 4 (CMYK).
void writeJpeg(const QString& path, int width, int height, int components, bool progressive = false)
{
    FILE* file = std::fopen(QFile::encodeName(path).constData(), "wb");
    ASSERT_NE(file, nullptr);
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    jpeg_stdio_dest(&cinfo, file);
    cinfo.image_width = JDIMENSION(width);
    cinfo.image_height = JDIMENSION(height);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : components == 3 ? JCS_RGB : JCS_CMYK;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 80, TRUE);
    if (progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(std::size_t(width) * std::size_t(components));
    for (int y = 0; y < height; ++y) {
        for (std::size_t i = 0; i < row.size(); ++i) row[i] = JSAMPLE((i * 5 + std::size_t(y) * 3) & 0xFF);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::fclose(file);
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeText(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

class PdfExport : public testing::Test {
protected:
    QString path(const char* name) const { return dir_.filePath(QString::fromLatin1(name)); }
    QTemporaryDir dir_;
};

TEST_F(PdfExport, SinglePageLayout)
{
    writeJpeg(path("p.jpg"), 640, 480, 3);
    ASSERT_EQ(JpegFileToPdf(path("p.jpg"), path("p.pdf")), kPdfWritten);
    const QByteArray pdf = contents(path("p.pdf"));
    const QByteArray jpeg = contents(path("p.jpg"));

    EXPECT_TRUE(pdf.startsWith("%PDF-1.2\n1 0 obj\n"));
    EXPECT_EQ(pdf.indexOf("1 0 obj\n"), 9);
    EXPECT_EQ(pdf.indexOf("2 0 obj\n"), 100);
    EXPECT_EQ(pdf.indexOf("3 0 obj\n"), 159);
    EXPECT_EQ(pdf.indexOf("4 0 obj\n"), 317);
    EXPECT_TRUE(pdf.contains("/Kids [ 3 0 R ]\n/Count 1\n"));
    EXPECT_TRUE(pdf.contains("/MediaBox [ 0 0 640 480 ]\n"));
    EXPECT_TRUE(pdf.contains("/ColorSpace /DeviceRGB\n/Length " + QByteArray::number(jpeg.size()) + " >>\nstream\n"
                             + jpeg + "endstream\nendobj\n"));
    EXPECT_TRUE(pdf.contains("5 0 obj\n<< /Length 31 >>\nstream\nq\n640 0 0 480 0 0 cm\n/Im0 Do\nQ\nendstream\n"));
    EXPECT_TRUE(pdf.contains("xref\n0 6\n0000000000 65535 f \n0000000009 00000 n \n0000000100 00000 n \n"));
    EXPECT_TRUE(pdf.contains("trailer\n<<\n/Size 6\n/Root 1 0 R\n>>\nstartxref\n"));
    EXPECT_TRUE(pdf.endsWith("%%EOF"));
    EXPECT_EQ(pdf.count('\r'), jpeg.count('\r'));

    const qsizetype xref = pdf.lastIndexOf("xref\n0 6");
    const qsizetype startxref = pdf.lastIndexOf("startxref\n") + 10;
    EXPECT_EQ(pdf.mid(startxref, pdf.size() - 5 - startxref - 1).toLongLong(), xref);
    for (int object = 1; object <= 5; ++object) {
        const qsizetype entry = xref + 9 + 20 * object;
        EXPECT_EQ(pdf.mid(entry + 10, 10), " 00000 n \n");
        EXPECT_EQ(pdf.mid(pdf.mid(entry, 10).toLongLong(), 8), QByteArray::number(object) + " 0 obj\n");
    }
}

TEST_F(PdfExport, CmykJpegGetsInvertedDecode)
{
    writeJpeg(path("cmyk.jpg"), 16, 8, 4);
    ASSERT_EQ(JpegFileToPdf(path("cmyk.jpg"), path("cmyk.pdf")), kPdfWritten);
    EXPECT_TRUE(contents(path("cmyk.pdf")).contains("/ColorSpace /DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n/Length "));
}

TEST_F(PdfExport, PagesAreNumberedInListOrder)
{
    writeJpeg(path("a.jpg"), 10, 20, 3);
    writeJpeg(path("b.jpg"), 30, 40, 3, true);
    ASSERT_EQ(JpegFilesToPdf({path("a.jpg"), path("b.jpg")}, path("two.pdf")), kPdfWritten);
    const QByteArray pdf = contents(path("two.pdf"));
    EXPECT_TRUE(pdf.contains("/Kids [ 3 0 R 4 0 R ]\n/Count 2\n"));
    EXPECT_TRUE(pdf.contains("4 0 obj\n<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n/XObject << /Im0 6 0 R >>\n"));
    EXPECT_TRUE(pdf.contains("/MediaBox [ 0 0 30 40 ]\n/Contents 8 0 R\n"));
    EXPECT_TRUE(pdf.contains("6 0 obj\n<<\n/Type /XObject\n/Subtype /Image\n/Name /Im0\n/Width 30\n/Height 40\n"));
    EXPECT_TRUE(pdf.contains("xref\n0 9\n"));
    EXPECT_TRUE(pdf.contains("/Size 9\n"));
}

TEST_F(PdfExport, RejectedFilesGiveTheirIndexAndNoFile)
{
    writeJpeg(path("rgb.jpg"), 8, 8, 3);
    writeJpeg(path("grey.jpg"), 8, 8, 1);
    writeText(path("text.jpg"), "not a picture");
    EXPECT_EQ(JpegFileToPdf(path("grey.jpg"), path("out.pdf")), 0);
    EXPECT_EQ(JpegFilesToPdf({path("rgb.jpg"), path("missing.jpg")}, path("out.pdf")), 1);
    EXPECT_EQ(JpegFilesToPdf({path("rgb.jpg"), path("rgb.jpg"), QString()}, path("out.pdf")), 2);
    EXPECT_EQ(JpegFilesToPdf({path("text.jpg")}, path("out.pdf")), 0);
    EXPECT_FALSE(QFile::exists(path("out.pdf")));
}

TEST_F(PdfExport, OutputProblemsGiveMinusOneAndKeepTheOldFile)
{
    writeJpeg(path("rgb.jpg"), 8, 8, 3);
    EXPECT_EQ(JpegFileToPdf(path("rgb.jpg"), QString()), kPdfNotCreated);
    EXPECT_EQ(JpegFileToPdf(path("rgb.jpg"), path("missing/out.pdf")), kPdfNotCreated);
    writeText(path("old.pdf"), "old");
    EXPECT_EQ(JpegFileToPdf(path("grey.jpg"), path("old.pdf")), 0);
    EXPECT_EQ(contents(path("old.pdf")), "old");
}

TEST_F(PdfExport, FrameInfoScansMarkersWithinTheFile)
{
    int width = 0, height = 0;
    bool cmyk = true;
    writeJpeg(path("p.jpg"), 33, 17, 3, true);
    ASSERT_TRUE(ReadJpegFrameInfo(path("p.jpg"), width, height, cmyk));
    EXPECT_EQ(width, 33);
    EXPECT_EQ(height, 17);
    EXPECT_FALSE(cmyk);

    const QByteArray whole = contents(path("p.jpg"));
    const qsizetype frame = whole.indexOf("\xff\xc2");
    ASSERT_GT(frame, 0);
    for (qsizetype cut : {qsizetype(1), qsizetype(2), frame, frame + 6, frame + 8}) {
        writeText(path("cut.jpg"), whole.left(cut));
        EXPECT_FALSE(ReadJpegFrameInfo(path("cut.jpg"), width, height, cmyk)) << cut;
    }
    writeText(path("eoi.jpg"), QByteArray("\xff\xd8\xff\xd9", 4));
    EXPECT_FALSE(ReadJpegFrameInfo(path("eoi.jpg"), width, height, cmyk));
    // A segment length past the end of the file.
    writeText(path("long.jpg"), QByteArray("\xff\xd8\xff\xe0\xff\xf0\x00", 7));
    EXPECT_FALSE(ReadJpegFrameInfo(path("long.jpg"), width, height, cmyk));
}

TEST_F(PdfExport, PictureIsWrappedAsItsJpegAtQualityEighty)
{
    Bitmap bitmap(64, 40, pf24bit);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 64; ++x) bitmap.setPixel(x, y, rgb(x * 4, y * 6, 128));
    ASSERT_EQ(exportBitmapAsPdf(bitmap, path("picture.pdf")), kPdfWritten);
    const QByteArray pdf = contents(path("picture.pdf"));
    const QByteArray jpeg = codecs::encodeJpeg(bitmap, 80);
    EXPECT_TRUE(pdf.contains("/Length " + QByteArray::number(jpeg.size()) + " >>\nstream\n" + jpeg + "endstream\n"));
    EXPECT_TRUE(pdf.contains("/MediaBox [ 0 0 64 40 ]\n"));

    // A picture without pixels is refused in the export's own words, and no file is made.
    for (const Bitmap& empty : {Bitmap(), Bitmap(0, 5, pf24bit), Bitmap(7, 0, pf24bit)}) {
        try {
            exportBitmapAsPdf(empty, path("empty.pdf"));
            ADD_FAILURE() << "an empty picture was exported";
        } catch (const FileError& error) {
            EXPECT_STREQ(error.what(), "Impossible d'exporter l'image au format PDF : image vide");
        }
        EXPECT_FALSE(QFile::exists(path("empty.pdf")));
    }
}

} // namespace
} // namespace kel::io
