// Wavefront RLA (and the RPF files that share its layout): the colour
// channels of each scan line, run-length encoded, bottom line first. Matte
// and auxiliary channels are left out.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

#include <QtEndian>

namespace kel::codecs {

namespace {

constexpr std::size_t kHeaderSize = 740;
constexpr std::size_t kActiveWindowOffset = 8;
constexpr std::size_t kChannelCountOffset = 20;
constexpr std::size_t kChannelBitsOffset = 658;

} // namespace

std::unique_ptr<Graphic> readRla(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("RLA"));
    if (reader.size() < kHeaderSize) reader.fail(QStringLiteral("en-tête tronqué"));
    const auto field = [&](std::size_t offset) { return int(qFromBigEndian<std::int16_t>(reader.at(offset, 2))); };
    const int left = field(kActiveWindowOffset), right = field(kActiveWindowOffset + 2);
    const int bottom = field(kActiveWindowOffset + 4), top = field(kActiveWindowOffset + 6);
    const int channels = field(kChannelCountOffset);
    const int channelBits = field(kChannelBitsOffset);
    if (channels != 1 && channels != 3) reader.fail(QStringLiteral("%1 canaux de couleur non pris en charge").arg(channels));
    // Older files leave the sample size at zero, meaning 8 bits.
    if (channelBits < 0 || channelBits > 8) reader.fail(QStringLiteral("profondeur de %1 bits non prise en charge").arg(channelBits));

    const std::int64_t width = std::int64_t(right) - left + 1, height = std::int64_t(top) - bottom + 1;
    if (width <= 0 || height <= 0) reader.fail(QStringLiteral("dimensions impossibles"));
    // Every line has its offset and at least a two-byte length per channel.
    requireBytes(reader, kHeaderSize, std::uint64_t(height) * (4 + 2 * std::uint64_t(channels)));
    for (std::int64_t line = 0; line < height; ++line) {
        const std::size_t offset = qFromBigEndian<std::uint32_t>(reader.at(kHeaderSize + 4 * std::size_t(line), 4));
        requireBytes(reader, offset, 2 * std::uint64_t(channels));
    }
    Bitmap bitmap = newDecodedBitmap(reader.format(), width, height);

    std::vector<std::uint8_t> samples(static_cast<std::size_t>(width));
    for (int line = 0; line < bitmap.height(); ++line) {
        const std::size_t offset = qFromBigEndian<std::uint32_t>(reader.at(kHeaderSize + 4 * std::size_t(line), 4));
        reader.seek(offset);
        std::uint8_t* out = bitmap.rowUnchecked(bitmap.height() - 1 - line);
        for (int channel = 0; channel < channels; ++channel) {
            const std::size_t length = reader.u16be();
            const std::uint8_t* in = reader.bytes(length);
            decodeByteRuns(reader, in, in + length, ByteRuns::Rla, samples);
            for (std::size_t x = 0; x < samples.size(); ++x) {
                if (channels == 1) out[3 * x] = out[3 * x + 1] = out[3 * x + 2] = samples[x];
                else out[3 * x + 2 - std::size_t(channel)] = samples[x];
            }
        }
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs
