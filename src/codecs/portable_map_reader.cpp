// Netpbm portable maps: bitmaps (P1, P4), grey maps (P2, P5) and pixmaps (P3,
// P6), in plain text or binary, with any maximum value up to 65535.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

namespace kel::codecs {

namespace {

bool isBlank(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

class PnmScanner {
public:
    explicit PnmScanner(ByteReader& reader) : reader_(reader) {}

    // Skips blanks and comments, which run from '#' to the end of the line.
    void skipBlanks()
    {
        while (!reader_.atEnd()) {
            const std::uint8_t c = *reader_.at(reader_.position(), 1);
            if (c == '#') {
                while (!reader_.atEnd() && reader_.u8() != '\n') {}
            } else if (isBlank(c)) {
                reader_.skip(1);
            } else {
                break;
            }
        }
    }

    // A decimal number up to `limit`.
    std::uint32_t number(std::uint32_t limit, const QString& what)
    {
        skipBlanks();
        std::uint64_t value = 0;
        int digits = 0;
        while (!reader_.atEnd()) {
            const std::uint8_t c = *reader_.at(reader_.position(), 1);
            if (c < '0' || c > '9') break;
            reader_.skip(1);
            value = value * 10 + (c - '0');
            if (value > limit) reader_.fail(QStringLiteral("%1 hors limite").arg(what));
            ++digits;
        }
        if (digits == 0) reader_.fail(reader_.atEnd() ? QStringLiteral("données tronquées") : QStringLiteral("nombre attendu"));
        return std::uint32_t(value);
    }

    // One digit of a plain bitmap, which needs no blank between pixels.
    int bit()
    {
        skipBlanks();
        const std::uint8_t c = reader_.u8();
        if (c != '0' && c != '1') reader_.fail(QStringLiteral("pixel incorrect"));
        return c - '0';
    }

private:
    ByteReader& reader_;
};

} // namespace

std::unique_ptr<Graphic> readPortableMap(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("PNM"));
    if (reader.size() < 2 || reader.u8() != 'P') reader.fail(QStringLiteral("signature absente"));
    const int kind = reader.u8() - '0';
    if (kind < 1 || kind > 6) reader.fail(QStringLiteral("signature absente"));
    const bool plain = kind <= 3;
    const int family = (kind - 1) % 3; // 0 bitmap, 1 grey map, 2 pixmap
    const int samplesPerPixel = family == 2 ? 3 : 1;

    PnmScanner scanner(reader);
    const std::uint32_t width = scanner.number(kMaxBitmapSide, QStringLiteral("largeur"));
    const std::uint32_t height = scanner.number(kMaxBitmapSide, QStringLiteral("hauteur"));
    const std::uint32_t maxValue = family == 0 ? 1 : scanner.number(65535, QStringLiteral("valeur maximale"));
    if (maxValue == 0) reader.fail(QStringLiteral("valeur maximale nulle"));
    if (!plain) {
        // One blank separates the header from the binary samples.
        if (reader.atEnd() || !isBlank(reader.u8())) reader.fail(QStringLiteral("en-tête incorrect"));
    }

    const int sampleBytes = maxValue > 255 ? 2 : 1;
    const std::uint64_t samples = std::uint64_t(width) * height * samplesPerPixel;
    const std::uint64_t leastBytes = kind == 4 ? (std::uint64_t(width) + 7) / 8 * height
                                   : plain     ? samples
                                               : samples * std::uint64_t(sampleBytes);
    requireBytes(reader, reader.position(), leastBytes);
    Bitmap bitmap = newDecodedBitmap(reader.format(), width, height);

    auto sample = [&]() -> int {
        std::uint32_t value;
        if (plain) value = scanner.number(65535, QStringLiteral("valeur"));
        else value = sampleBytes == 2 ? reader.u16be() : reader.u8();
        if (value > maxValue) reader.fail(QStringLiteral("valeur hors limite"));
        return int((std::uint64_t(value) * 255 + maxValue / 2) / maxValue);
    };

    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* packedBits = kind == 4 ? reader.bytes((std::size_t(width) + 7) / 8) : nullptr;
        for (int x = 0; x < bitmap.width(); ++x) {
            Colour colour;
            if (family == 0) {
                const int black = packedBits ? packedValue(packedBits, std::size_t(x), 1) : scanner.bit();
                colour = black ? clBlack : clWhite;
            } else if (family == 1) {
                const int level = sample();
                colour = rgb(level, level, level);
            } else {
                const int r = sample(), g = sample();
                colour = rgb(r, g, sample());
            }
            putPixel(bitmap, x, y, colour);
        }
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs
