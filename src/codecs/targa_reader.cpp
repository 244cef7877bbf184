// Truevision Targa: colour-mapped, true-colour and grey images, raw or
// run-length encoded, stored from either corner. The alpha channel of 32-bit
// images is kept when the header announces one.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

namespace kel::codecs {

namespace {

constexpr int kHeaderSize = 18;
constexpr int kRleFlag = 8;
enum ImageKind { kColourMapped = 1, kTrueColour = 2, kGrey = 3 };

Colour entryColour(std::uint32_t value, int bits)
{
    if (bits <= 16) return decode555(std::uint16_t(value));
    return rgb(int((value >> 16) & 0xFF), int((value >> 8) & 0xFF), int(value & 0xFF));
}

std::uint32_t readValue(ByteReader& reader, int bytes)
{
    const std::uint8_t* p = reader.bytes(std::size_t(bytes));
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) value = (value << 8) | p[i];
    return value;
}

struct Header {
    int idLength, colourMapType, imageType;
    int mapFirst, mapLength, mapEntryBits;
    int width, height, pixelBits, descriptor;

    int kind() const { return imageType & ~kRleFlag; }
    bool rle() const { return (imageType & kRleFlag) != 0; }
    bool topDown() const { return (descriptor & 0x20) != 0; }
    bool rightToLeft() const { return (descriptor & 0x10) != 0; }
};

Header readHeader(ByteReader& reader)
{
    Header h{};
    h.idLength = reader.u8();
    h.colourMapType = reader.u8();
    h.imageType = reader.u8();
    h.mapFirst = reader.u16le();
    h.mapLength = reader.u16le();
    h.mapEntryBits = reader.u8();
    reader.skip(4); // origin on screen
    h.width = reader.u16le();
    h.height = reader.u16le();
    h.pixelBits = reader.u8();
    h.descriptor = reader.u8();

    const int kind = h.kind();
    const bool typeKnown = kind >= kColourMapped && kind <= kGrey && (h.imageType & ~(kRleFlag | 3)) == 0;
    if (!typeKnown || h.colourMapType > 1) reader.fail(QStringLiteral("type d'image inconnu"));
    const int bits = h.pixelBits;
    const bool depthKnown = (kind == kColourMapped && (bits == 8 || bits == 16))
                            || (kind == kTrueColour && (bits == 15 || bits == 16 || bits == 24 || bits == 32))
                            || (kind == kGrey && bits == 8);
    if (!depthKnown) reader.fail(QStringLiteral("profondeur de %1 bits non prise en charge").arg(bits));
    if (kind == kColourMapped && h.colourMapType != 1) reader.fail(QStringLiteral("palette absente"));
    if (h.colourMapType == 1 && h.mapEntryBits != 15 && h.mapEntryBits != 16 && h.mapEntryBits != 24
        && h.mapEntryBits != 32)
        reader.fail(QStringLiteral("palette de %1 bits non prise en charge").arg(h.mapEntryBits));
    return h;
}

} // namespace

std::unique_ptr<Graphic> readTarga(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("Targa"));
    if (reader.size() < kHeaderSize) reader.fail(QStringLiteral("en-tête tronqué"));
    const Header h = readHeader(reader);
    reader.skip(std::size_t(h.idLength));

    Palette palette;
    if (h.colourMapType == 1) {
        const int entryBytes = (h.mapEntryBits + 7) / 8;
        requireBytes(reader, reader.position(), std::uint64_t(h.mapLength) * std::uint64_t(entryBytes));
        palette.reserve(std::size_t(h.mapLength));
        for (int i = 0; i < h.mapLength; ++i) palette.push_back(entryColour(readValue(reader, entryBytes), h.mapEntryBits));
    }

    const int pixelBytes = (h.pixelBits + 7) / 8;
    const std::uint64_t pixelCount = std::uint64_t(h.width) * std::uint64_t(h.height);
    // A run packet of 1 + pixelBytes bytes yields at most 128 pixels.
    const std::uint64_t leastBytes = h.rle() ? (pixelCount + 127) / 128 * std::uint64_t(1 + pixelBytes)
                                             : pixelCount * std::uint64_t(pixelBytes);
    if (pixelCount > 0) requireBytes(reader, reader.position(), leastBytes);
    Bitmap bitmap = newDecodedBitmap(reader.format(), h.width, h.height);

    const bool keepAlpha = h.pixelBits == 32 && (h.descriptor & 0x0F) != 0;
    std::vector<std::uint8_t> alpha(keepAlpha ? std::size_t(pixelCount) : 0, 255);
    bool alphaAllZero = true;

    const int kind = h.kind();
    auto place = [&](std::uint64_t index, std::uint32_t value) {
        const int row = int(index / std::uint64_t(h.width)), column = int(index % std::uint64_t(h.width));
        const int x = h.rightToLeft() ? h.width - 1 - column : column;
        const int y = h.topDown() ? row : h.height - 1 - row;
        Colour colour;
        if (kind == kColourMapped) {
            const std::int64_t entry = std::int64_t(value) - h.mapFirst;
            if (entry < 0) reader.fail(QStringLiteral("indice de palette hors limite"));
            colour = paletteColour(reader, palette, std::size_t(entry));
        } else if (kind == kGrey) {
            colour = rgb(int(value), int(value), int(value));
        } else {
            colour = entryColour(value, h.pixelBits);
        }
        putPixel(bitmap, x, y, colour);
        if (keepAlpha) {
            const auto a = std::uint8_t(value >> 24);
            alpha[std::size_t(y) * std::size_t(h.width) + std::size_t(x)] = a;
            alphaAllZero = alphaAllZero && a == 0;
        }
    };

    std::uint64_t index = 0;
    while (index < pixelCount) {
        if (!h.rle()) {
            place(index++, readValue(reader, pixelBytes));
            continue;
        }
        const int packet = reader.u8();
        const std::uint64_t count = std::uint64_t(packet & 0x7F) + 1;
        if (count > pixelCount - index) reader.fail(QStringLiteral("compression RLE incorrecte"));
        if (packet & 0x80) {
            const std::uint32_t value = readValue(reader, pixelBytes);
            for (std::uint64_t i = 0; i < count; ++i) place(index++, value);
        } else {
            for (std::uint64_t i = 0; i < count; ++i) place(index++, readValue(reader, pixelBytes));
        }
    }

    // Many writers leave the alpha bytes at zero; such a picture is meant opaque.
    if (!keepAlpha || alphaAllZero) return std::make_unique<Bitmap>(std::move(bitmap));
    return withAlpha(reader.format(), std::move(bitmap), alpha);
}

} // namespace kel::codecs
