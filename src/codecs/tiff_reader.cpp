// TIFF through libtiff: the first directory, read through libtiff's RGBA
// interface from memory (TIFFClientOpenExt). libtiff's messages go to
// handlers that keep the last error and print nothing.
//
// A picture whose alpha hides something becomes an RgbaGraphic; any other a
// 24-bit bitmap.
#include "codecs/library_codecs.h"

#include <QImage>

#include <tiffio.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace kel::codecs::detail {

namespace {

struct Source {
    const unsigned char* data;
    toff_t size;
    toff_t position;
    char message[256];
};

tmsize_t readProc(thandle_t handle, void* out, tmsize_t count)
{
    auto* s = static_cast<Source*>(handle);
    if (count <= 0 || s->position >= s->size) return 0;
    const toff_t n = std::min<toff_t>(toff_t(count), s->size - s->position);
    std::memcpy(out, s->data + s->position, n);
    s->position += n;
    return tmsize_t(n);
}
tmsize_t writeProc(thandle_t, void*, tmsize_t) { return -1; }
toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* s = static_cast<Source*>(handle);
    toff_t base = 0;
    if (whence == SEEK_CUR) base = s->position;
    else if (whence == SEEK_END) base = s->size;
    if (offset > ~toff_t(0) - base) return toff_t(-1);
    s->position = base + offset; // beyond the end: reads return nothing
    return s->position;
}
int closeProc(thandle_t) { return 0; }
toff_t sizeProc(thandle_t handle) { return static_cast<Source*>(handle)->size; }
int mapProc(thandle_t handle, void** base, toff_t* size)
{
    auto* s = static_cast<Source*>(handle);
    *base = const_cast<unsigned char*>(s->data);
    *size = s->size;
    return 1;
}
void unmapProc(thandle_t, void*, toff_t) {}

int keepError(TIFF*, void* user, const char*, const char* format, va_list arguments)
{
    auto* s = static_cast<Source*>(user);
    std::vsnprintf(s->message, sizeof s->message, format, arguments);
    return 1; // handled: nothing reaches the global handlers
}
int ignoreWarning(TIFF*, void*, const char*, const char*, va_list) { return 1; }

void silenceGlobalHandlers()
{
    // Messages raised before a handle exists go to the global handlers.
    static const bool done = [] {
        TIFFSetErrorHandler(nullptr);
        TIFFSetWarningHandler(nullptr);
        return true;
    }();
    (void)done;
}

struct TiffCloser {
    TIFF* tif = nullptr;
    TIFFOpenOptions* options = nullptr;
    ~TiffCloser()
    {
        if (tif) TIFFClose(tif);
        if (options) TIFFOpenOptionsFree(options);
    }
};

[[noreturn]] void fail(const QString& what) { rejectGraphic("TIFF", what); }

QString libtiffText(const Source& s, const char* fallback)
{
    return QStringLiteral("%1 (%2)").arg(QString::fromUtf8(fallback), QString::fromLatin1(s.message[0] ? s.message : "?"));
}

} // namespace

std::unique_ptr<Graphic> readTiff(const QByteArray& bytes, const QString&)
{
    if (bytes.size() < 8 || !((bytes.startsWith("II") && (bytes[2] == 42 || bytes[2] == 43) && bytes[3] == 0)
                              || (bytes.startsWith("MM") && bytes[2] == 0 && (bytes[3] == 42 || bytes[3] == 43))))
        fail(QStringLiteral("signature absente"));
    silenceGlobalHandlers();
    Source source{reinterpret_cast<const unsigned char*>(bytes.constData()), toff_t(bytes.size()), 0, {}};
    TiffCloser closer;
    closer.options = TIFFOpenOptionsAlloc();
    if (!closer.options) fail(QStringLiteral("mémoire insuffisante"));
    TIFFOpenOptionsSetErrorHandlerExtR(closer.options, keepError, &source);
    TIFFOpenOptionsSetWarningHandlerExtR(closer.options, ignoreWarning, &source);
    TIFFOpenOptionsSetMaxSingleMemAlloc(closer.options, tmsize_t(512) * 1024 * 1024);
    closer.tif = TIFFClientOpenExt("memory", "r", &source, readProc, writeProc, seekProc, closeProc, sizeProc,
                                   mapProc, unmapProc, closer.options);
    if (!closer.tif) fail(libtiffText(source, "en-tête illisible"));
    TIFF* tif = closer.tif;

    char reason[1024] = {};
    if (!TIFFRGBAImageOK(tif, reason)) fail(QStringLiteral("format de pixels non pris en charge (%1)").arg(QString::fromLatin1(reason)));
    std::uint32_t width = 0, height = 0;
    if (!TIFFGetField(tif, TIFFTAG_IMAGEWIDTH, &width) || !TIFFGetField(tif, TIFFTAG_IMAGELENGTH, &height))
        fail(QStringLiteral("dimensions absentes"));
    // libtiff fills the image's memory with packed A, B, G, R words (red in
    // the low byte, premultiplied); they are then turned, in place, into
    // QImage's ARGB32 words.
    QImage image = newDecodedImage("TIFF", width, height);
    const int w = int(width), h = int(height);
    static_assert(sizeof(QRgb) == sizeof(std::uint32_t));
    auto* raster = reinterpret_cast<std::uint32_t*>(image.bits());
    if (image.bytesPerLine() != qsizetype(w) * 4) fail(QStringLiteral("mémoire insuffisante pour l'image"));
    if (!TIFFReadRGBAImageOriented(tif, width, height, raster, ORIENTATION_TOPLEFT, 1))
        fail(libtiffText(source, "données illisibles"));

    bool opaque = true;
    const std::size_t count = std::size_t(w) * std::size_t(h);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint32_t v = raster[i];
        int r = int(TIFFGetR(v)), g = int(TIFFGetG(v)), b = int(TIFFGetB(v));
        const int a = int(TIFFGetA(v));
        if (a != 255) {
            opaque = false;
            if (a == 0) {
                r = g = b = 0;
            } else {
                r = std::min(255, (r * 255 + a / 2) / a);
                g = std::min(255, (g * 255 + a / 2) / a);
                b = std::min(255, (b * 255 + a / 2) / a);
            }
        }
        raster[i] = qRgba(r, g, b, a);
    }
    return graphicFromArgb("TIFF", std::move(image), opaque);
}

} // namespace kel::codecs::detail
