// Silicon Graphics image: 1 to 4 channels (grey, grey and alpha, RGB, RGBA)
// of 8 or 16-bit big-endian samples, stored verbatim or as run-length encoded
// rows, bottom row first. 16-bit samples keep their high byte; alpha is kept.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

#include <QtEndian>

#include <algorithm>

namespace kel::codecs {

namespace {

constexpr std::size_t kHeaderSize = 512;
constexpr int kMagic = 474;

// Decodes one RLE row of `out.size()` samples of `sampleBytes` bytes from [in, end).
void decodeRow(const ByteReader& reader, const std::uint8_t* in, const std::uint8_t* end, int sampleBytes,
               std::vector<std::uint8_t>& out)
{
    auto next = [&] {
        if (end - in < sampleBytes) reader.fail(QStringLiteral("ligne compressée tronquée"));
        const int value = sampleBytes == 2 ? (in[0] << 8) | in[1] : in[0];
        in += sampleBytes;
        return value;
    };
    std::size_t filled = 0;
    for (;;) {
        const int control = next();
        const std::size_t count = std::size_t(control & 0x7F);
        if (count == 0) break;
        if (count > out.size() - filled) reader.fail(QStringLiteral("compression RLE incorrecte"));
        if (control & 0x80) {
            for (std::size_t i = 0; i < count; ++i) out[filled++] = std::uint8_t(next() >> (8 * (sampleBytes - 1)));
        } else {
            const auto value = std::uint8_t(next() >> (8 * (sampleBytes - 1)));
            for (std::size_t i = 0; i < count; ++i) out[filled++] = value;
        }
    }
    if (filled != out.size()) reader.fail(QStringLiteral("ligne incomplète"));
}

} // namespace

std::unique_ptr<Graphic> readSgi(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("SGI"));
    if (reader.size() < kHeaderSize || reader.u16be() != kMagic) reader.fail(QStringLiteral("signature absente"));
    const int storage = reader.u8();
    const int sampleBytes = reader.u8();
    const int dimension = reader.u16be();
    const int width = reader.u16be();
    int height = reader.u16be();
    int channels = reader.u16be();
    reader.seek(104);
    const std::uint32_t colourMap = reader.u32be();
    if (storage > 1) reader.fail(QStringLiteral("stockage inconnu"));
    if (sampleBytes != 1 && sampleBytes != 2) reader.fail(QStringLiteral("profondeur non prise en charge"));
    if (dimension < 1 || dimension > 3) reader.fail(QStringLiteral("dimension incorrecte"));
    if (colourMap != 0) reader.fail(QStringLiteral("palette non prise en charge"));
    if (dimension == 1) height = 1;
    if (dimension < 3) channels = 1;
    if (channels < 1) reader.fail(QStringLiteral("nombre de canaux incorrect"));

    const std::size_t rowCount = std::size_t(height) * std::size_t(channels);
    const std::size_t rowBytes = std::size_t(width) * std::size_t(sampleBytes);
    if (storage == 0) {
        requireBytes(reader, kHeaderSize, std::uint64_t(rowCount) * rowBytes);
    } else {
        // Rows may share data, but each must lie in the file and be long
        // enough for a whole row: two samples per 127 and the end mark.
        requireBytes(reader, kHeaderSize, std::uint64_t(rowCount) * 8);
        const std::size_t leastRow = std::size_t(sampleBytes) * (2 * ((std::size_t(width) + 126) / 127) + 1);
        for (std::size_t index = 0; index < rowCount; ++index) {
            const std::size_t start = qFromBigEndian<std::uint32_t>(reader.at(kHeaderSize + 4 * index, 4));
            const std::size_t length = qFromBigEndian<std::uint32_t>(reader.at(kHeaderSize + 4 * (rowCount + index), 4));
            if (length < leastRow) reader.fail(QStringLiteral("ligne compressée tronquée"));
            requireBytes(reader, start, length);
        }
    }
    Bitmap bitmap = newDecodedBitmap(reader.format(), width, height);

    const int used = std::min(channels, 4);
    const bool hasAlpha = used == 2 || used == 4;
    std::vector<std::uint8_t> alpha(hasAlpha ? std::size_t(width) * std::size_t(height) : 0);
    std::vector<std::uint8_t> samples(static_cast<std::size_t>(width));
    for (int channel = 0; channel < used; ++channel) {
        for (int row = 0; row < height; ++row) {
            const std::size_t index = std::size_t(channel) * std::size_t(height) + std::size_t(row);
            if (storage == 0) {
                const std::uint8_t* in = reader.at(kHeaderSize + index * rowBytes, rowBytes);
                for (std::size_t x = 0; x < samples.size(); ++x) samples[x] = in[x * std::size_t(sampleBytes)];
            } else {
                const std::size_t start = qFromBigEndian<std::uint32_t>(reader.at(kHeaderSize + 4 * index, 4));
                const std::size_t length =
                    qFromBigEndian<std::uint32_t>(reader.at(kHeaderSize + 4 * (rowCount + index), 4));
                const std::uint8_t* in = reader.at(start, length);
                decodeRow(reader, in, in + length, sampleBytes, samples);
            }
            const int y = height - 1 - row;
            std::uint8_t* out = bitmap.rowUnchecked(y);
            const bool isAlpha = hasAlpha && channel == used - 1;
            for (std::size_t x = 0; x < samples.size(); ++x, out += 3) {
                if (isAlpha) alpha[std::size_t(y) * std::size_t(width) + x] = samples[x];
                else if (used <= 2) out[0] = out[1] = out[2] = samples[x];
                else out[2 - channel] = samples[x];
            }
        }
    }
    if (!hasAlpha) return std::make_unique<Bitmap>(std::move(bitmap));
    return withAlpha(reader.format(), std::move(bitmap), alpha);
}

} // namespace kel::codecs
