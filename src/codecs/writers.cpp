#include "codecs/writers.h"

#include "codecs/atomic_file.h"
#include "codecs/writer_support.h"

namespace kel::codecs {

namespace detail {

void writeFailure(const char* format, const QString& what)
{
    throw FileError(QStringLiteral("Impossible d'enregistrer l'image %1 : %2").arg(QString::fromLatin1(format), what));
}

void requirePixels(const Bitmap& bitmap, const char* format)
{
    if (bitmap.empty()) writeFailure(format, QStringLiteral("image vide"));
}

const Bitmap& as24bit(const Bitmap& bitmap, Bitmap& storage)
{
    if (bitmap.pixelFormat() == pf24bit) return bitmap;
    storage = bitmap;
    storage.setPixelFormat(pf24bit);
    return storage;
}

} // namespace detail

QByteArray encodeBitmap(const Bitmap& bitmap, WriteFormat format)
{
    for (const WriterEntry& entry : writers())
        if (entry.format == format) return entry.encode(bitmap);
    detail::writeFailure("?", QStringLiteral("format inconnu"));
}

QByteArray encodeJpeg(const Bitmap& bitmap, int quality)
{
    return detail::guarded("JPEG", [&] { return detail::encodeJpegBytes(bitmap, quality); });
}

void writeBitmap(const Bitmap& bitmap, const QString& path, WriteFormat format)
{
    writeFileAtomically(path, encodeBitmap(bitmap, format));
}

} // namespace kel::codecs
