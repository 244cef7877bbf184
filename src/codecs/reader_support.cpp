#include "codecs/reader_support.h"

#include "codecs/rgba_graphic.h"

#include <algorithm>

namespace kel::codecs {

void rejectGraphic(const QString& format, const QString& what)
{
    throw InvalidGraphic(QStringLiteral("Fichier %1 incorrect : %2").arg(format, what));
}

namespace {
long long decodedPixelLimit = 0;
}

void setDecodedPixelLimit(long long pixels) { decodedPixelLimit = pixels; }

void checkDecodedSize(const QString& format, long long width, long long height, PixelFormat pixelFormat)
{
    if (width <= 0 || height <= 0) rejectGraphic(format, QStringLiteral("dimensions nulles"));
    if (width > kMaxBitmapSide || height > kMaxBitmapSide
        || (decodedPixelLimit > 0 && width * height > decodedPixelLimit))
        rejectGraphic(format, QStringLiteral("dimensions impossibles (%1 x %2)").arg(width).arg(height));
    try {
        checkBitmapSize(int(width), int(height), pixelFormat);
    } catch (const OutOfResources&) {
        rejectGraphic(format, QStringLiteral("dimensions impossibles (%1 x %2)").arg(width).arg(height));
    }
}

Bitmap newDecodedBitmap(const QString& format, long long width, long long height, PixelFormat pixelFormat)
{
    checkDecodedSize(format, width, height, pixelFormat);
    try {
        return Bitmap(int(width), int(height), pixelFormat);
    } catch (const OutOfResources&) {
        rejectGraphic(format, QStringLiteral("mémoire insuffisante pour l'image"));
    }
}

QImage newDecodedImage(const QString& format, long long width, long long height)
{
    checkDecodedSize(format, width, height, pf32bit);
    QImage image(int(width), int(height), QImage::Format_ARGB32);
    if (image.isNull()) rejectGraphic(format, QStringLiteral("mémoire insuffisante pour l'image"));
    return image;
}

std::unique_ptr<Graphic> graphicFromArgb(const QString& format, QImage image, bool opaque)
{
    if (!opaque) return std::make_unique<RgbaGraphic>(std::move(image));
    Bitmap bitmap = newDecodedBitmap(format, image.width(), image.height(), pf24bit);
    for (int y = 0; y < image.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        std::uint8_t* out = bitmap.rowUnchecked(y);
        for (int x = 0; x < image.width(); ++x) colourToBgr(rgb(qRed(in[x]), qGreen(in[x]), qBlue(in[x])), out + 3 * x);
    }
    return std::make_unique<Bitmap>(std::move(bitmap));
}

std::unique_ptr<Graphic> withAlpha(const QString& format, Bitmap bitmap, const std::vector<std::uint8_t>& alpha)
{
    if (std::all_of(alpha.begin(), alpha.end(), [](std::uint8_t a) { return a == 255; }))
        return std::make_unique<Bitmap>(std::move(bitmap));
    QImage image = newDecodedImage(format, bitmap.width(), bitmap.height());
    const std::size_t width = std::size_t(bitmap.width());
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* in = bitmap.rowUnchecked(y);
        const std::uint8_t* a = alpha.data() + std::size_t(y) * width;
        auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (std::size_t x = 0; x < width; ++x, in += 3) out[x] = qRgba(in[2], in[1], in[0], a[x]);
    }
    return std::make_unique<RgbaGraphic>(std::move(image));
}

} // namespace kel::codecs
