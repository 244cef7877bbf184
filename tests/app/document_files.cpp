#include "document_files.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

namespace kel::test {

namespace {

void put16(QByteArray& out, int v)
{
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

void put32(QByteArray& out, std::int64_t v)
{
    put16(out, int(v & 0xFFFF));
    put16(out, int((v >> 16) & 0xFFFF));
}

QByteArray bmpHeaders(int width, int height, int bits, int paletteEntries, int imageBytes)
{
    const int offset = 14 + 40 + 4 * paletteEntries;
    QByteArray out("BM");
    put32(out, offset + imageBytes);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, width);
    put32(out, height);
    put16(out, 1);
    put16(out, bits);
    put32(out, 0);
    put32(out, imageBytes);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, paletteEntries);
    put32(out, 0);
    return out;
}

} // namespace

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(bytes);
}

void writeIndexedBmp(const QString& path, int width, int height, int bitsPerPixel, const std::vector<Colour>& palette,
                     const std::vector<int>& indexes)
{
    const int stride = ((width * bitsPerPixel + 31) / 32) * 4;
    QByteArray out = bmpHeaders(width, height, bitsPerPixel, int(palette.size()), stride * height);
    for (Colour c : palette) {
        out.append(char(blueOf(c)));
        out.append(char(greenOf(c)));
        out.append(char(redOf(c)));
        out.append('\0');
    }
    for (int y = height - 1; y >= 0; --y) {
        QByteArray row(stride, '\0');
        for (int x = 0; x < width; ++x) {
            const int index = indexes[std::size_t(y * width + x)];
            if (bitsPerPixel == 8)
                row[x] = char(index);
            else
                row[x / 2] = char(row[x / 2] | (x % 2 ? index : index << 4));
        }
        out.append(row);
    }
    writeBytes(path, out);
}

void writeBmp(const QString& path, const Bitmap& bitmap)
{
    const int stride = bitmap.bytesPerLine();
    QByteArray out = bmpHeaders(bitmap.width(), bitmap.height(), 24, 0, stride * bitmap.height());
    for (int y = bitmap.height() - 1; y >= 0; --y)
        out.append(reinterpret_cast<const char*>(bitmap.scanLine(y)), stride);
    writeBytes(path, out);
}

void writeTransparentGif(const QString& path)
{
    static const unsigned char gif[] = {
        'G', 'I', 'F', '8', '9', 'a', 2, 0, 1, 0, 0x80, 0, 0,  // screen 2 x 1, two-colour table
        0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00,                    // red, green
        0x21, 0xF9, 4, 0x01, 0, 0, 1, 0,                       // colour 1 is transparent
        0x2C, 0, 0, 0, 0, 2, 0, 1, 0, 0,                       // image 2 x 1
        2, 2, 0x44, 0x0A, 0,                                   // LZW: clear, 0, 1, end
        0x3B};
    writeBytes(path, QByteArray(reinterpret_cast<const char*>(gif), sizeof gif));
}

void writeTransparentPng(const QString& path, int width, int height, const std::vector<std::uint32_t>& colours)
{
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::uint32_t c = colours[std::size_t(y * width + x)];
            image.setPixel(x, y, c == 0xFF000000u ? qRgba(0, 0, 0, 0) : qRgb(redOf(c), greenOf(c), blueOf(c)));
        }
    ASSERT_TRUE(image.save(path, "PNG"));
}

} // namespace kel::test
