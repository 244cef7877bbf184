#include "codecs/writers.h"

#include "codecs/atomic_file.h"
#include "codecs/writer_support.h"

#include <new>

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

namespace {

// Runs an encoder so that every failure comes out as FileError.
template <typename Encode>
QByteArray guarded(const char* format, Encode encode)
{
    try {
        return encode();
    } catch (const FileError&) {
        throw;
    } catch (const Error& e) {
        detail::writeFailure(format, e.text());
    } catch (const std::bad_alloc&) {
        detail::writeFailure(format, QStringLiteral("mémoire insuffisante"));
    }
}

} // namespace

QByteArray encodeBitmap(const Bitmap& bitmap, WriteFormat format)
{
    switch (format) {
    case WriteFormat::Bmp: return guarded("BMP", [&] { return detail::encodeBmp(bitmap); });
    case WriteFormat::Gif: return guarded("GIF", [&] { return detail::encodeGif(bitmap); });
    case WriteFormat::Jpeg: return encodeJpeg(bitmap, 80);
    case WriteFormat::Png: return guarded("PNG", [&] { return detail::encodePng(bitmap); });
    case WriteFormat::Targa: return guarded("Targa", [&] { return detail::encodeTarga(bitmap); });
    }
    detail::writeFailure("?", QStringLiteral("format inconnu"));
}

QByteArray encodeJpeg(const Bitmap& bitmap, int quality)
{
    return guarded("JPEG", [&] { return detail::encodeJpegBytes(bitmap, quality); });
}

void writeBitmap(const Bitmap& bitmap, const QString& path, WriteFormat format)
{
    writeFileAtomically(path, encodeBitmap(bitmap, format));
}

} // namespace kel::codecs
