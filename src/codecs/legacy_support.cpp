#include "codecs/legacy_support.h"

#include "codecs/rgba_graphic.h"

#include <QImage>

#include <algorithm>

namespace kel::codecs {

Bitmap makeBitmap(const ByteReader& reader, std::int64_t width, std::int64_t height)
{
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide)
        reader.fail(QStringLiteral("dimensions impossibles (%1 x %2)").arg(width).arg(height));
    try {
        checkBitmapSize(int(width), int(height), pf24bit);
        return Bitmap(int(width), int(height), pf24bit);
    } catch (const OutOfResources&) {
        reader.fail(QStringLiteral("image trop grande (%1 x %2)").arg(width).arg(height));
    }
}

void requireBytes(const ByteReader& reader, std::size_t offset, std::uint64_t count)
{
    if (offset > reader.size() || count > reader.size() - offset) reader.fail(QStringLiteral("données tronquées"));
}

std::unique_ptr<Graphic> withAlpha(Bitmap bitmap, const std::vector<std::uint8_t>& alpha)
{
    if (std::all_of(alpha.begin(), alpha.end(), [](std::uint8_t a) { return a == 255; }))
        return std::make_unique<Bitmap>(std::move(bitmap));
    QImage image(bitmap.width(), bitmap.height(), QImage::Format_ARGB32);
    if (image.isNull()) throw OutOfResources(QStringLiteral("Mémoire insuffisante pour l'image"));
    const std::size_t width = std::size_t(bitmap.width());
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* in = bitmap.rowUnchecked(y);
        const std::uint8_t* a = alpha.data() + std::size_t(y) * width;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::size_t x = 0; x < width; ++x, in += 3) out[x] = qRgba(in[2], in[1], in[0], a[x]);
    }
    return std::make_unique<RgbaGraphic>(std::move(image));
}

const Palette& greyRamp()
{
    static const Palette ramp = [] {
        Palette p(256);
        for (int i = 0; i < 256; ++i) p[std::size_t(i)] = rgb(i, i, i);
        return p;
    }();
    return ramp;
}

} // namespace kel::codecs
