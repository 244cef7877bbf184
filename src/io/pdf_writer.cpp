#include "io/pdf_writer.h"

#include "codecs/atomic_file.h"
#include "graphics/errors.h"
#include "graphics/system_error_text.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace kel::io {
namespace {

struct JpegPage {
    QString fileName;
    bool isCmyk;
    int width;
    int height;
};

QByteArray number(qint64 value) { return QByteArray::number(value); }

void beginObject(QByteArray& pdf, std::vector<qint64>& offsets, int objectNumber)
{
    offsets[std::size_t(objectNumber)] = pdf.size();
    pdf += number(objectNumber) + " 0 obj\n";
}

void WritePdfPageContent(QByteArray& pdf, int objectNumber, int width, int height)
{
    pdf += number(objectNumber) + " 0 obj\n";
    const QByteArray content = "q\n" + number(width) + " 0 0 " + number(height) + " 0 0 cm\n" + "/Im0 Do\n" + "Q\n";
    pdf += "<< /Length " + number(content.size()) + " >>\n";
    pdf += "stream\n" + content + "endstream\n" + "endobj\n";
}

// Objects 1..objectCount; entry 0 is the head of the free list.
void WritePdfCrossReference(QByteArray& pdf, const std::vector<qint64>& offsets, int objectCount)
{
    pdf += "xref\n";
    pdf += "0 " + number(objectCount + 1) + "\n";
    pdf += "0000000000 65535 f \n";
    for (int i = 1; i <= objectCount; ++i)
        pdf += number(offsets[std::size_t(i)]).rightJustified(10, '0') + " 00000 n \n";
}

QByteArray readWhole(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) throw FileError(deviceErrorText(file));
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) throw FileError(deviceErrorText(file));
    return bytes;
}

QByteArray pdfDocument(const std::vector<JpegPage>& pages)
{
    const int k = int(pages.size());
    const int objectCount = 3 * k + 2;
    std::vector<qint64> offsets(std::size_t(objectCount) + 1, 0);
    QByteArray pdf = "%PDF-1.2\n";

    beginObject(pdf, offsets, 1);
    pdf += "<<\n/Type /Catalog\n/Pages 2 0 R\n/OpenAction [3 0 R /XYZ -32768 -32768 1 ]\n>>\nendobj\n";

    beginObject(pdf, offsets, 2);
    pdf += "<<\n/Type /Pages\n/Kids [ ";
    for (int i = 0; i < k; ++i) pdf += number(i + 3) + " 0 R ";
    pdf += "]\n/Count " + number(k) + "\n>>\nendobj\n";

    for (int i = 0; i < k; ++i) {
        const JpegPage& page = pages[std::size_t(i)];
        beginObject(pdf, offsets, i + 3);
        pdf += "<<\n/Type /Page\n/Parent 2 0 R\n/Resources\n<<\n";
        pdf += "/XObject << /Im0 " + number(i + k + 3) + " 0 R >>\n";
        pdf += "/ProcSet [ /PDF /ImageC ]\n>>\n";
        pdf += "/MediaBox [ 0 0 " + number(page.width) + " " + number(page.height) + " ]\n";
        pdf += "/Contents " + number(i + 2 * k + 3) + " 0 R\n>>\nendobj\n";
    }

    for (int i = 0; i < k; ++i) {
        const JpegPage& page = pages[std::size_t(i)];
        const QByteArray jpeg = readWhole(page.fileName);
        beginObject(pdf, offsets, i + k + 3);
        pdf += "<<\n/Type /XObject\n/Subtype /Image\n/Name /Im0\n";
        pdf += "/Width " + number(page.width) + "\n/Height " + number(page.height) + "\n";
        pdf += "/BitsPerComponent 8\n/Filter [/DCTDecode]\n";
        // CMYK JPEGs (as written by Adobe applications) store inverted components.
        pdf += page.isCmyk ? "/ColorSpace /DeviceCMYK\n/Decode[1 0 1 0 1 0 1 0]\n" : "/ColorSpace /DeviceRGB\n";
        pdf += "/Length " + number(jpeg.size()) + " >>\n";
        pdf += "stream\n" + jpeg + "endstream\nendobj\n";
    }

    for (int i = 0; i < k; ++i) {
        const int objectNumber = i + 2 * k + 3;
        offsets[std::size_t(objectNumber)] = pdf.size();
        WritePdfPageContent(pdf, objectNumber, pages[std::size_t(i)].width, pages[std::size_t(i)].height);
    }

    const qint64 crossReference = pdf.size();
    WritePdfCrossReference(pdf, offsets, objectCount);
    pdf += "trailer\n<<\n/Size " + number(objectCount + 1) + "\n/Root 1 0 R\n>>\n";
    pdf += "startxref\n" + number(crossReference) + "\n%%EOF";
    return pdf;
}

} // namespace

bool ReadJpegFrameInfo(const QString& fileName, int& width, int& height, bool& isCmyk)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return false;
    auto read = [&file](int count, int& value) {
        char b[2];
        if (file.read(b, count) != count) return false;
        value = count == 1 ? std::uint8_t(b[0]) : (std::uint8_t(b[0]) << 8) | std::uint8_t(b[1]);
        return true;
    };
    auto skip = [&file](qint64 count) { return file.seek(file.pos() + count); };

    int value = 0;
    if (!read(2, value) || value != 0xFFD8) return false;
    for (;;) {
        int marker = 0;
        if (!read(2, marker)) return false;
        if (marker == 0xFFC0 || marker == 0xFFC2) {
            int lines = 0, samples = 0, components = 0;
            if (!skip(3) || !read(2, lines) || !read(2, samples) || !read(1, components)) return false;
            if (components != 3 && components != 4) return false;
            height = lines;
            width = samples;
            isCmyk = components == 4;
            return true;
        }
        if (marker == 0xFFFF || marker == 0xFFD9) return false;
        int length = 0;
        if (!read(2, length) || !skip(length - 2)) return false;
    }
}

int JpegFilesToPdf(const QStringList& jpegFileNames, const QString& pdfFileName)
{
    if (pdfFileName.isEmpty()) return kPdfNotCreated;
    std::vector<JpegPage> pages;
    for (int i = 0; i < jpegFileNames.size(); ++i) {
        JpegPage page{jpegFileNames[i], false, 0, 0};
        if (page.fileName.isEmpty() || !QFileInfo(page.fileName).isFile()
            || !ReadJpegFrameInfo(page.fileName, page.width, page.height, page.isCmyk))
            return i;
        pages.push_back(page);
    }
    QByteArray pdf;
    try {
        pdf = pdfDocument(pages);
    } catch (const FileError&) {
        return kPdfWriteFailed;
    }
    try {
        codecs::writeFileAtomically(pdfFileName, pdf);
    } catch (const FileError&) {
        return kPdfNotCreated;
    }
    return kPdfWritten;
}

int JpegFileToPdf(const QString& jpegFileName, const QString& pdfFileName)
{
    return JpegFilesToPdf(QStringList{jpegFileName}, pdfFileName);
}

} // namespace kel::io
