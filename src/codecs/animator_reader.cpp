// Autodesk Animator PIC and CEL: a 32-byte header, a 256-colour palette of
// 6-bit components and one byte per pixel, top row first.
#include "codecs/legacy_formats.h"
#include "codecs/legacy_support.h"

#include <algorithm>

namespace kel::codecs {

namespace {

constexpr int kMagic = 0x9119;
constexpr std::size_t kHeaderSize = 32;
constexpr std::size_t kPaletteSize = 768;

} // namespace

std::unique_ptr<Graphic> readAnimator(const QByteArray& bytes, const QString&)
{
    ByteReader reader(bytes, QStringLiteral("Animator"));
    if (reader.size() < kHeaderSize || reader.u16le() != kMagic) reader.fail(QStringLiteral("signature absente"));
    const int width = reader.u16le();
    const int height = reader.u16le();
    reader.skip(4); // position on screen
    const int bits = reader.u8();
    const int compression = reader.u8();
    if (bits != 8) reader.fail(QStringLiteral("profondeur de %1 bits non prise en charge").arg(bits));
    if (compression != 0) reader.fail(QStringLiteral("compression non prise en charge"));

    const std::uint8_t* entries = reader.at(kHeaderSize, kPaletteSize);
    // Components run from 0 to 63; a palette with larger values already has 8-bit ones.
    const bool sixBits = std::all_of(entries, entries + kPaletteSize, [](std::uint8_t v) { return v < 64; });
    auto component = [sixBits](std::uint8_t v) { return sixBits ? (v << 2) | (v >> 4) : int(v); };
    Palette palette(256);
    for (std::size_t i = 0; i < 256; ++i)
        palette[i] = rgb(component(entries[3 * i]), component(entries[3 * i + 1]), component(entries[3 * i + 2]));

    const std::size_t dataOffset = kHeaderSize + kPaletteSize;
    requireBytes(reader, dataOffset, std::uint64_t(width) * std::uint64_t(height));
    Bitmap bitmap = newDecodedBitmap(reader.format(), width, height);
    const std::uint8_t* pixels = reader.at(dataOffset, std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) putPixel(bitmap, x, y, palette[*pixels++]);
    return std::make_unique<Bitmap>(std::move(bitmap));
}

} // namespace kel::codecs
