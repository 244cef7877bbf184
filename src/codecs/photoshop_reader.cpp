// Adobe Photoshop: the merged composite image that follows the layers.
// Bitmap, greyscale, duotone (read as grey), indexed, RGB and CMYK modes;
// 8 and 16 bits per sample (16-bit samples keep their high byte); raw or
// PackBits rows. Extra channels such as alpha are left out.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

namespace kel::codecs {

namespace {

enum ColourMode { kBitmap = 0, kGreyscale = 1, kIndexed = 2, kRgb = 3, kCmyk = 4, kDuotone = 8 };

int coloursChannels(int mode)
{
    switch (mode) {
    case kRgb: return 3;
    case kCmyk: return 4;
    default: return 1;
    }
}

} // namespace

std::unique_ptr<Graphic> readPhotoshop(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("Photoshop"));
    if (reader.size() < 26 || reader.u32be() != 0x38425053) reader.fail(QStringLiteral("signature absente"));
    if (reader.u16be() != 1) reader.fail(QStringLiteral("version non prise en charge"));
    reader.skip(6);
    const int channels = reader.u16be();
    const std::uint32_t height = reader.u32be(), width = reader.u32be();
    const int depth = reader.u16be();
    const int mode = reader.u16be();

    const bool modeKnown = mode == kBitmap || mode == kGreyscale || mode == kIndexed || mode == kRgb
                           || mode == kCmyk || mode == kDuotone;
    if (!modeKnown) reader.fail(QStringLiteral("mode de couleur %1 non pris en charge").arg(mode));
    const bool depthKnown = mode == kBitmap ? depth == 1 : mode == kIndexed ? depth == 8 : depth == 8 || depth == 16;
    if (!depthKnown) reader.fail(QStringLiteral("profondeur de %1 bits non prise en charge").arg(depth));
    const int used = coloursChannels(mode);
    if (channels < used || channels > 56) reader.fail(QStringLiteral("nombre de canaux incorrect"));
    checkDecodedSize(reader.format(), width, height, pf24bit); // before the row tables are sized by it

    Palette palette;
    const std::uint32_t modeDataLength = reader.u32be();
    if (mode == kIndexed) {
        if (modeDataLength < 768) reader.fail(QStringLiteral("palette absente"));
        const std::uint8_t* p = reader.at(reader.position(), 768);
        palette.resize(256);
        for (std::size_t i = 0; i < 256; ++i) palette[i] = rgb(p[i], p[256 + i], p[512 + i]);
    }
    reader.skip(modeDataLength);
    reader.skip(reader.u32be()); // image resources
    reader.skip(reader.u32be()); // layers and masks

    const int compression = reader.u16be();
    if (compression > 1) reader.fail(QStringLiteral("compression %1 non prise en charge").arg(compression));
    const std::size_t rowBytes = (std::size_t(width) * std::size_t(depth) + 7) / 8;
    const std::size_t rows = std::size_t(height);

    // Where each row of the used channels starts, and where its data ends.
    std::vector<std::size_t> rowStart(std::size_t(used) * rows + 1);
    if (compression == 0) {
        requireBytes(reader, reader.position(), std::uint64_t(used) * rows * rowBytes);
        for (std::size_t i = 0; i < rowStart.size(); ++i) rowStart[i] = reader.position() + i * rowBytes;
    } else {
        const std::size_t tableRows = std::size_t(channels) * rows;
        requireBytes(reader, reader.position(), std::uint64_t(tableRows) * 2);
        // A PackBits row needs two bytes for every 128 bytes it yields.
        requireBytes(reader, reader.position() + tableRows * 2,
                     std::uint64_t(used) * rows * 2 * ((rowBytes + 127) / 128));
        ByteReader table = reader;
        std::size_t offset = reader.position() + tableRows * 2;
        rowStart[0] = offset;
        for (std::size_t i = 0; i < std::size_t(used) * rows; ++i) {
            offset += table.u16be();
            rowStart[i + 1] = offset;
        }
        requireBytes(reader, rowStart[0], offset - rowStart[0]);
    }
    Bitmap bitmap = newDecodedBitmap(reader.format(), width, height);

    std::vector<std::uint8_t> row(rowBytes);
    const int sampleBytes = depth == 16 ? 2 : 1;
    for (int channel = 0; channel < used; ++channel) {
        for (std::size_t y = 0; y < rows; ++y) {
            const std::size_t index = std::size_t(channel) * rows + y;
            if (compression == 0) {
                const std::uint8_t* in = reader.at(rowStart[index], rowBytes);
                std::copy(in, in + rowBytes, row.begin());
            } else {
                const std::uint8_t* in = reader.at(rowStart[index], rowStart[index + 1] - rowStart[index]);
                decodeByteRuns(reader, in, in + (rowStart[index + 1] - rowStart[index]), ByteRuns::PackBits, row);
            }
            std::uint8_t* out = bitmap.rowUnchecked(int(y));
            for (std::size_t x = 0; x < width; ++x, out += 3) {
                if (mode == kBitmap) {
                    const int level = packedValue(row.data(), x, 1) ? 0 : 255;
                    out[0] = out[1] = out[2] = std::uint8_t(level);
                    continue;
                }
                const std::uint8_t sample = row[x * std::size_t(sampleBytes)];
                switch (mode) {
                case kIndexed: colourToBgr(palette[sample], out); break;
                case kRgb: out[2 - channel] = sample; break;
                case kCmyk:
                    // Ink samples are stored inverted, 255 meaning no ink; black darkens all three.
                    if (channel < 3) out[2 - channel] = sample;
                    else for (int i = 0; i < 3; ++i) out[i] = std::uint8_t((out[i] * sample + 127) / 255);
                    break;
                default: out[0] = out[1] = out[2] = sample; break;
                }
            }
        }
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs
