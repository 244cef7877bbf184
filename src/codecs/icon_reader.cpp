#include "codecs/dib_decoder.h"
#include "codecs/icon_graphic.h"
#include "codecs/icon_metafile_formats.h"
#include "codecs/reader_support.h"

#include <QBuffer>
#include <QImageReader>

#include <algorithm>

namespace kel::codecs {
namespace {

struct IconEntry {
    int area;
    int bits;
    std::uint32_t size;
    std::uint32_t offset;
};

// Qt's PNG reader, once the size its header announces has passed the check
// every reader makes before allocating.
QImage decodePng(const std::uint8_t* data, std::size_t size, const ByteReader& reader)
{
    QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader png(&buffer, "PNG");
    const QSize announced = png.size();
    if (!announced.isValid()) reader.fail(QStringLiteral("image PNG incorrecte"));
    checkDecodedSize(reader.format(), announced.width(), announced.height(), pf32bit);
    QImage image = png.read();
    if (image.isNull()) reader.fail(QStringLiteral("image PNG incorrecte"));
    return image;
}

// The colour rows, then the mask rows (1 bit per pixel, 1 = transparent). A
// 32-bit image with any alpha uses its alpha and may come without a mask.
QImage decodeBitmapImage(const ByteReader& reader, const IconEntry& entry)
{
    const DibHeader header = readDibHeader(reader, entry.offset, true);
    const std::size_t colourRows = entry.offset + header.infoSize();
    QImage image = decodeDib(reader, entry.offset, header, colourRows, true);
    if (header.bits == 32) {
        for (int y = 0; y < image.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
            for (int x = 0; x < image.width(); ++x)
                if (qAlpha(row[x]) != 0) return image;
        }
    }
    const std::size_t maskStride = (std::size_t(header.width) + 31) / 32 * 4;
    const std::uint8_t* mask =
        reader.at(colourRows + header.pixelBytes(), maskStride * std::size_t(header.height));
    for (int y = 0; y < image.height(); ++y) {
        const std::uint8_t* bits = mask + std::size_t(header.height - 1 - y) * maskStride;
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const bool transparent = packedValue(bits, std::size_t(x), 1);
            row[x] = transparent ? qRgba(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), 0) : row[x] | 0xFF000000u;
        }
    }
    return image;
}

} // namespace

// The largest image of the file (the deepest among equals).
std::unique_ptr<Graphic> readIcon(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("icône"));
    const std::uint16_t reserved = reader.u16le();
    const std::uint16_t type = reader.u16le();
    const std::uint16_t count = reader.u16le();
    if (reserved != 0 || (type != 1 && type != 2) || count == 0) reader.fail(QStringLiteral("en-tête incorrect"));

    IconEntry best{-1, 0, 0, 0};
    for (int i = 0; i < count; ++i) {
        const int width = reader.u8(), height = reader.u8();
        reader.skip(4); // colour count, reserved, planes
        IconEntry entry;
        entry.bits = reader.u16le();
        entry.size = reader.u32le();
        entry.offset = reader.u32le();
        entry.area = (width == 0 ? 256 : width) * (height == 0 ? 256 : height);
        if (entry.area > best.area || (entry.area == best.area && entry.bits > best.bits)) best = entry;
    }

    const std::uint8_t* data = reader.at(best.offset, std::min<std::size_t>(best.size, 8));
    static const std::uint8_t pngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    const bool isPng = best.size >= 8 && std::equal(pngSignature, pngSignature + 8, data);
    QImage image = isPng ? decodePng(reader.at(best.offset, best.size), best.size, reader)
                         : decodeBitmapImage(reader, best);
    return std::make_unique<IconGraphic>(std::move(image));
}

} // namespace kel::codecs
