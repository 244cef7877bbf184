#include "io/icon_writer.h"

#include "codecs/atomic_file.h"
#include "codecs/dib_encoder.h"
#include "codecs/over_white.h"
#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <vector>

namespace kel::io {
namespace {

constexpr int kDirectorySize = 6 + 16;

int paddedRowBytes(int width, int bits) { return (width * bits + 31) / 32 * 4; }

// The icon file; with `withLength` its total length comes first.
QByteArray iconFile(const codecs::IconGraphic& icon, bool withLength)
{
    if (icon.empty()) throw InvalidGraphic(QStringLiteral("Bitmap image is not valid"));
    const int width = icon.width(), height = icon.height();
    if (width > 256 || height > 256)
        throw InvalidOperation(QStringLiteral("Icône trop grande (%1 x %2 pixels, 256 au plus)").arg(width).arg(height));

    const QImage image = icon.toImage();
    const int colourRowBytes = paddedRowBytes(width, 8);
    const int maskRowBytes = paddedRowBytes(width, 1);
    std::vector<std::uint8_t> colourRows(std::size_t(colourRowBytes) * std::size_t(height), 0);
    std::vector<std::uint8_t> maskRows(std::size_t(maskRowBytes) * std::size_t(height), 0);
    NearestColour nearest(halftonePalette());
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        const int stored = height - 1 - y; // bottom row first
        std::uint8_t* colourRow = colourRows.data() + std::size_t(stored) * std::size_t(colourRowBytes);
        std::uint8_t* maskRow = maskRows.data() + std::size_t(stored) * std::size_t(maskRowBytes);
        for (int x = 0; x < width; ++x) {
            const bool transparent = qAlpha(in[x]) < 128;
            const Colour c = transparent ? clBlack : rgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x]));
            colourRow[x] = std::uint8_t(nearest.index(c));
            if (transparent) maskRow[x >> 3] |= std::uint8_t(0x80 >> (x & 7));
        }
    }

    const Palette& palette = halftonePalette();
    const auto imageSize =
        std::uint32_t(codecs::kDibInfoHeaderSize + 4 * palette.size() + colourRows.size() + maskRows.size());
    codecs::ByteWriter out;
    if (withLength) out.u32(imageSize + kDirectorySize);

    out.u16(0); // reserved
    out.u16(1); // icon
    out.u16(1); // one image
    out.u8(std::uint8_t(width));
    out.u8(std::uint8_t(height));
    out.u16(1 * 8); // planes times bits per pixel, where readers expect the colour count
    out.u16(0);
    out.u16(0);
    out.u32(imageSize);
    out.u32(kDirectorySize);

    // The colour rows and the mask rows make up twice the height.
    codecs::writeDibInfoHeader(out, {width, 2 * height, 8, 0, std::uint32_t(colourRows.size()), 0});
    codecs::writeDibColourTable(out, palette, palette.size());
    out.bytes(colourRows.data(), qsizetype(colourRows.size()));
    out.bytes(maskRows.data(), qsizetype(maskRows.size()));
    return out.take();
}

} // namespace

std::unique_ptr<codecs::IconGraphic> TjvIcon::GraphicToIcon(const Graphic& graphic) const
{
    const Bitmap colour = codecs::drawnOver(graphic, width_, height_);
    const Colour transparent = colour.pixel(0, height_ - 1);

    QImage icon(width_, height_, QImage::Format_ARGB32);
    std::vector<Colour> row(static_cast<std::size_t>(width_));
    for (int y = 0; y < height_; ++y) {
        readRow(colour, y, row.data());
        auto* out = reinterpret_cast<QRgb*>(icon.scanLine(y));
        for (int x = 0; x < width_; ++x) {
            const Colour c = row[std::size_t(x)];
            if (c == transparent)
                out[x] = qRgba(0, 0, 0, 0);
            else if (c == kIconPlaceholderColour)
                out[x] = qRgb(0, 0, 0);
            else
                out[x] = qRgb(redOf(c), greenOf(c), blueOf(c));
        }
    }
    return std::make_unique<codecs::IconGraphic>(std::move(icon));
}

void TjvIcon::WriteIconToStream(QIODevice& stream, const codecs::IconGraphic& icon, bool withLength) const
{
    codecs::writeToDevice(stream, iconFile(icon, withLength));
}

void TjvIcon::WriteIconFile(const codecs::IconGraphic& icon, const QString& fileName) const
{
    codecs::writeFileAtomically(fileName, iconFile(icon, false));
}

void TjvIcon::SaveGraphicAsIcon(const Graphic& graphic, const QString& fileName) const
{
    WriteIconFile(*GraphicToIcon(graphic), fileName);
}

} // namespace kel::io
