// ZSoft PCX: 1, 2, 4 and 8-bit indexed pixels packed in one plane, 1-bit
// planes making up to 16 colours, and 24-bit colour as three 8-bit planes.
// Lines are run-length encoded; runs may carry over from one line to the next.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

namespace kel::codecs {

namespace {

constexpr int kHeaderSize = 128;
constexpr int kVgaPaletteSize = 769; // the 0x0C marker and 256 RGB triples

// The decoded byte stream of the picture.
class PcxStream {
public:
    PcxStream(ByteReader& reader, bool rle) : reader_(reader), rle_(rle) {}

    void read(std::uint8_t* out, std::size_t count)
    {
        for (std::size_t i = 0; i < count; ++i) {
            if (!rle_) {
                out[i] = reader_.u8();
                continue;
            }
            if (pending_ == 0) {
                const std::uint8_t b = reader_.u8();
                if (b >= 0xC0) {
                    pending_ = b & 0x3F;
                    value_ = reader_.u8();
                } else {
                    pending_ = 1;
                    value_ = b;
                }
                if (pending_ == 0) { // an empty run
                    --i;
                    continue;
                }
            }
            out[i] = value_;
            --pending_;
        }
    }
    // A run still pending after the last line wrote past the picture.
    bool overran() const { return pending_ != 0; }

private:
    ByteReader& reader_;
    bool rle_;
    int pending_ = 0;
    std::uint8_t value_ = 0;
};

Palette headerPalette(const ByteReader& reader)
{
    const std::uint8_t* p = reader.at(16, 48);
    Palette palette(16);
    for (std::size_t i = 0; i < 16; ++i) palette[i] = rgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    return palette;
}

Palette vgaPalette(const ByteReader& reader)
{
    if (reader.size() < kHeaderSize + kVgaPaletteSize || *reader.at(reader.size() - kVgaPaletteSize, 1) != 0x0C)
        return greyRamp();
    const std::uint8_t* p = reader.at(reader.size() - 768, 768);
    Palette palette(256);
    for (std::size_t i = 0; i < 256; ++i) palette[i] = rgb(p[3 * i], p[3 * i + 1], p[3 * i + 2]);
    return palette;
}

} // namespace

std::unique_ptr<Graphic> readPcx(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("PCX"));
    if (reader.size() < kHeaderSize) reader.fail(QStringLiteral("en-tête tronqué"));
    if (reader.u8() != 0x0A) reader.fail(QStringLiteral("signature absente"));
    reader.skip(1); // version
    const int encoding = reader.u8();
    const int bits = reader.u8();
    const int xMin = reader.u16le(), yMin = reader.u16le(), xMax = reader.u16le(), yMax = reader.u16le();
    reader.seek(65);
    const int planes = reader.u8();
    const int bytesPerLine = reader.u16le();
    if (encoding > 1) reader.fail(QStringLiteral("compression inconnue"));

    const bool packed = planes == 1 && (bits == 1 || bits == 2 || bits == 4 || bits == 8);
    const bool planar = bits == 1 && planes >= 2 && planes <= 4;
    const bool trueColour = bits == 8 && (planes == 3 || planes == 4);
    if (!packed && !planar && !trueColour)
        reader.fail(QStringLiteral("%1 plans de %2 bits non pris en charge").arg(planes).arg(bits));

    const std::int64_t width = std::int64_t(xMax) - xMin + 1, height = std::int64_t(yMax) - yMin + 1;
    if (width <= 0 || height <= 0) reader.fail(QStringLiteral("dimensions impossibles"));
    if (std::int64_t(bytesPerLine) * 8 < width * bits) reader.fail(QStringLiteral("longueur de ligne incorrecte"));
    const std::size_t lineBytes = std::size_t(planes) * std::size_t(bytesPerLine);
    // Each two-byte run yields at most 63 bytes.
    const std::uint64_t decodedBytes = std::uint64_t(lineBytes) * std::uint64_t(height);
    requireBytes(reader, kHeaderSize, encoding == 1 ? (decodedBytes + 62) / 63 : decodedBytes);
    Bitmap bitmap = newDecodedBitmap(reader.format(), width, height);

    Palette palette = trueColour ? Palette{} : bits == 8 ? vgaPalette(reader) : headerPalette(reader);
    // Two-colour files often leave the header palette blank: they mean black and white.
    if (packed && bits == 1 && palette[0] == palette[1]) palette = monochromePalette();

    reader.seek(kHeaderSize);
    PcxStream stream(reader, encoding == 1);
    std::vector<std::uint8_t> line(lineBytes);
    const int w = int(width);
    for (int y = 0; y < bitmap.height(); ++y) {
        stream.read(line.data(), lineBytes);
        const std::uint8_t* plane0 = line.data();
        for (int x = 0; x < w; ++x) {
            Colour colour;
            if (trueColour) {
                colour = rgb(plane0[x], plane0[bytesPerLine + x], plane0[2 * bytesPerLine + x]);
            } else if (planar) {
                int index = 0;
                for (int p = 0; p < planes; ++p)
                    index |= packedValue(plane0 + p * bytesPerLine, std::size_t(x), 1) << p;
                colour = paletteColour(reader, palette, std::size_t(index));
            } else {
                const int index = packedValue(plane0, std::size_t(x), bits);
                colour = paletteColour(reader, palette, std::size_t(index));
            }
            putPixel(bitmap, x, y, colour);
        }
    }
    if (stream.overran()) reader.fail(QStringLiteral("compression RLE incorrecte"));
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs
