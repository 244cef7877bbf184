// Registration of the library-backed readers (BMP, GIF, JPEG, PNG, TIFF) and
// the helpers they share.
#include "codecs/codec.h"
#include "codecs/rgba_graphic.h"
#include "codecs/library_codecs.h"

namespace kel::codecs {

namespace detail {

void rejectGraphic(const char* format, const QString& what)
{
    throw InvalidGraphic(QStringLiteral("Fichier %1 incorrect : %2").arg(QString::fromLatin1(format), what));
}

namespace {
long long decodedPixelLimit = 0;
}

void setDecodedPixelLimit(long long pixels) { decodedPixelLimit = pixels; }

void checkDecodedSize(const char* format, long long width, long long height, PixelFormat pixelFormat)
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

Bitmap newDecodedBitmap(const char* format, long long width, long long height, PixelFormat pixelFormat)
{
    checkDecodedSize(format, width, height, pixelFormat);
    try {
        return Bitmap(int(width), int(height), pixelFormat);
    } catch (const OutOfResources&) {
        rejectGraphic(format, QStringLiteral("mémoire insuffisante pour l'image"));
    }
}

std::unique_ptr<Graphic> graphicFromArgb(const char* format, QImage image, bool opaque)
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

} // namespace detail

std::vector<ReaderEntry> libraryReaders()
{
    using namespace detail;
    return {
        {{QStringLiteral("bmp"), QStringLiteral("dib"), QStringLiteral("rle")}, &readBmp},
        {{QStringLiteral("gif")}, &readGif},
        {{QStringLiteral("jpg"), QStringLiteral("jpeg")}, &readJpeg},
        {{QStringLiteral("png")}, &readPng},
        {{QStringLiteral("tif"), QStringLiteral("tiff")}, &readTiff},
    };
}

} // namespace kel::codecs
