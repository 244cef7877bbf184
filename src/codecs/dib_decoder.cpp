#include "codecs/dib_decoder.h"

#include "codecs/reader_support.h"

namespace kel::codecs {
namespace {

std::uint32_t u32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t u16(const std::uint8_t* p) { return std::uint16_t(p[0] | p[1] << 8); }

} // namespace

DibHeader readDibHeader(const ByteReader& reader, std::size_t offset, bool iconHeight)
{
    const std::uint8_t* p = reader.at(offset, 40);
    DibHeader h;
    h.headerSize = u32(p);
    if (h.headerSize < 40 || h.headerSize > 124) reader.fail(QStringLiteral("en-tête d'image inconnu"));
    reader.at(offset, h.headerSize);
    h.width = std::int32_t(u32(p + 4));
    const std::int32_t storedHeight = std::int32_t(u32(p + 8));
    h.bits = u16(p + 14);
    const std::uint32_t compression = u32(p + 16);
    const std::uint32_t coloursUsed = u32(p + 32);

    if (u16(p + 12) != 1 || compression != 0) reader.fail(QStringLiteral("image compressée ou plans multiples"));
    if (h.bits != 1 && h.bits != 4 && h.bits != 8 && h.bits != 24 && h.bits != 32)
        reader.fail(QStringLiteral("nombre de bits par pixel incorrect"));
    if (iconHeight && storedHeight < 0) reader.fail(QStringLiteral("hauteur incorrecte"));
    h.bottomUp = storedHeight > 0;
    const std::int64_t rows = storedHeight < 0 ? -std::int64_t(storedHeight) : storedHeight;
    h.height = int(iconHeight ? rows / 2 : rows);
    checkDecodedSize(reader.format(), h.width, h.height, pf32bit);

    const std::uint32_t paletteSize = h.bits <= 8 ? 1u << h.bits : 256u;
    if (coloursUsed > paletteSize) reader.fail(QStringLiteral("table des couleurs incorrecte"));
    h.tableEntries = int(coloursUsed != 0 || h.bits > 8 ? coloursUsed : paletteSize);
    h.stride = (std::size_t(h.width) * std::size_t(h.bits) + 31) / 32 * 4;
    return h;
}

QImage decodeDib(const ByteReader& reader, std::size_t infoOffset, const DibHeader& h, std::size_t bitsOffset,
                 bool keepAlpha)
{
    const std::uint8_t* table = reader.at(infoOffset + h.headerSize, 4 * std::size_t(h.tableEntries));
    const std::uint8_t* bits = reader.at(bitsOffset, h.pixelBytes());
    QImage image = newDecodedImage(reader.format(), h.width, h.height);

    for (int y = 0; y < h.height; ++y) {
        const std::uint8_t* row = bits + std::size_t(h.bottomUp ? h.height - 1 - y : y) * h.stride;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < h.width; ++x) {
            if (h.bits == 24) {
                const std::uint8_t* q = row + 3 * std::size_t(x);
                out[x] = qRgb(q[2], q[1], q[0]);
                continue;
            }
            if (h.bits == 32) {
                const std::uint8_t* q = row + 4 * std::size_t(x);
                out[x] = qRgba(q[2], q[1], q[0], keepAlpha ? q[3] : 255);
                continue;
            }
            const int index = packedValue(row, std::size_t(x), h.bits);
            // An index past the table is drawn black rather than read from beyond it.
            const std::uint8_t* entry = table + 4 * std::size_t(index);
            out[x] = index < h.tableEntries ? qRgb(entry[2], entry[1], entry[0]) : qRgb(0, 0, 0);
        }
    }
    return image;
}

} // namespace kel::codecs
