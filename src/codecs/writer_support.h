#pragma once
// Internal to the writers: the per-format encoders behind encodeBitmap and
// the helpers they share.
#include "codecs/writers.h"
#include "graphics/errors.h"

#include <new>

namespace kel::codecs::detail {

QByteArray encodeBmp(const Bitmap& bitmap);
void writeBmp(const Bitmap& bitmap, QIODevice& device);
QByteArray encodeGif(const Bitmap& bitmap);
QByteArray encodePng(const Bitmap& bitmap);
QByteArray encodeTarga(const Bitmap& bitmap);
QByteArray encodeJpegBytes(const Bitmap& bitmap, int quality);

// "Impossible d'enregistrer l'image <format> : <what>", as FileError.
[[noreturn]] void writeFailure(const char* format, const QString& what);

// Runs an encoder so that every failure comes out as FileError.
template <typename Encode>
auto guarded(const char* format, Encode encode) -> decltype(encode())
{
    try {
        return encode();
    } catch (const FileError&) {
        throw;
    } catch (const Error& e) {
        writeFailure(format, e.text());
    } catch (const std::bad_alloc&) {
        writeFailure(format, QStringLiteral("mémoire insuffisante"));
    }
}

// Rejects an empty bitmap (no pixels to write).
void requirePixels(const Bitmap& bitmap, const char* format);
// The bitmap itself when it is 24-bit, otherwise a 24-bit copy in `storage`.
const Bitmap& as24bit(const Bitmap& bitmap, Bitmap& storage);

} // namespace kel::codecs::detail
