// Registration of the library-backed readers (BMP, GIF, JPEG, PNG, TIFF) and
// the helpers they share.
#include "codecs/codec.h"
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
