// Dr. Halo CUT: 8-bit indexes in run-length encoded lines, top line first.
// The colours come from the ".pal" file of the same name in the same folder,
// and are a grey ramp when there is none.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"
#include "graphics/system_error_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace kel::codecs {

namespace {

constexpr std::size_t kPaletteHeaderSize = 40;
constexpr std::size_t kPaletteBlock = 512; // colour triples never straddle two blocks
constexpr std::size_t kTripleBytes = 6;

// The palette file beside `path` (any case of ".pal"), or an empty name.
QString paletteFileFor(const QString& path)
{
    if (path.isEmpty()) return {};
    const QFileInfo image(path);
    const QString wanted = image.completeBaseName() + QStringLiteral(".pal");
    const QDir folder = image.absoluteDir();
    for (const QString& name : folder.entryList(QDir::Files))
        if (name.compare(wanted, Qt::CaseInsensitive) == 0) return folder.filePath(name);
    return {};
}

Palette readPalette(const QString& file)
{
    QFile input(file);
    if (!input.open(QIODevice::ReadOnly))
        throw FileError(QStringLiteral("Impossible d'ouvrir le fichier %1 : %2").arg(file, deviceErrorText(input)));
    const QByteArray bytes = input.read(1 << 20);
    ByteReader reader(bytes, QStringLiteral("palette Dr. Halo"));
    if (reader.size() < kPaletteHeaderSize || reader.u8() != 'A' || reader.u8() != 'H')
        reader.fail(QStringLiteral("signature absente"));
    reader.seek(12);
    const std::size_t count = std::size_t(reader.u16le()) + 1;
    const int maxRed = reader.u16le(), maxGreen = reader.u16le(), maxBlue = reader.u16le();
    if (maxRed == 0 || maxGreen == 0 || maxBlue == 0) reader.fail(QStringLiteral("valeurs maximales nulles"));
    if (count > 256) reader.fail(QStringLiteral("trop de couleurs"));

    auto scale = [&reader](int value, int max) {
        if (value > max) reader.fail(QStringLiteral("composante hors limite"));
        return (value * 255 + max / 2) / max;
    };
    Palette palette;
    reader.seek(kPaletteHeaderSize);
    for (std::size_t i = 0; i < count; ++i) {
        if (kPaletteBlock - reader.position() % kPaletteBlock < kTripleBytes)
            reader.seek(std::min(reader.size(), (reader.position() / kPaletteBlock + 1) * kPaletteBlock));
        const int r = reader.u16le(), g = reader.u16le(), b = reader.u16le();
        palette.push_back(rgb(scale(r, maxRed), scale(g, maxGreen), scale(b, maxBlue)));
    }
    return palette;
}

} // namespace

std::unique_ptr<Graphic> readDrHalo(const QByteArray& bytes, const QString& path)
{
    ByteReader reader(bytes, QStringLiteral("Dr. Halo"));
    const int width = reader.u16le();
    const int height = reader.u16le();
    reader.skip(2);
    // Each line carries its two-byte length and at least two bytes per 127 pixels.
    requireBytes(reader, reader.position(), std::uint64_t(height) * (2 + 2 * ((std::uint64_t(width) + 126) / 127)));
    Bitmap bitmap = newDecodedBitmap(reader.format(), width, height);

    const QString paletteFile = paletteFileFor(path);
    const Palette palette = paletteFile.isEmpty() ? greyRamp() : readPalette(paletteFile);

    std::vector<std::uint8_t> line(static_cast<std::size_t>(width));
    for (int y = 0; y < height; ++y) {
        const std::size_t length = reader.u16le();
        const std::size_t end = reader.position() + length;
        requireBytes(reader, reader.position(), length);
        std::size_t filled = 0;
        while (reader.position() < end) {
            const int control = reader.u8();
            const std::size_t count = std::size_t(control & 0x7F);
            if (count == 0) break;
            if (count > line.size() - filled) reader.fail(QStringLiteral("compression RLE incorrecte"));
            if (control & 0x80) {
                if (reader.position() >= end) reader.fail(QStringLiteral("ligne compressée tronquée"));
                std::fill_n(line.begin() + std::ptrdiff_t(filled), count, reader.u8());
            } else {
                if (end - reader.position() < count) reader.fail(QStringLiteral("ligne compressée tronquée"));
                const std::uint8_t* in = reader.bytes(count);
                std::copy(in, in + count, line.begin() + std::ptrdiff_t(filled));
            }
            filled += count;
        }
        if (filled != line.size()) reader.fail(QStringLiteral("ligne incomplète"));
        reader.seek(end);
        for (int x = 0; x < width; ++x) putPixel(bitmap, x, y, paletteColour(reader, palette, line[std::size_t(x)]));
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs
