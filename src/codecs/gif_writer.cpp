// GIF writer through giflib: the picture reduced to the 256-colour palette of
// gifPalette (20 static system colours + 236 by median cut) with
// Floyd-Steinberg dithering, one non-interlaced frame.
#include "codecs/colour_quantiser.h"
#include "codecs/gif_common.h"
#include "codecs/writer_support.h"

#include <new>
#include <vector>

namespace kel::codecs::detail {

namespace {

int writeBytes(GifFileType* gif, const GifByteType* data, int count)
{
    auto* out = static_cast<QByteArray*>(gif->UserData);
    try {
        out->append(reinterpret_cast<const char*>(data), count);
    } catch (const std::bad_alloc&) {
        return 0; // giflib then reports a write failure
    }
    return count;
}

struct MapFree {
    ColorMapObject* map = nullptr;
    ~MapFree() { GifFreeMapObject(map); }
};

[[noreturn]] void giflibFailure(int error)
{
    writeFailure("GIF", QStringLiteral("%1 (code %2)").arg(QString::fromLatin1(GifErrorString(error))).arg(error));
}

} // namespace

QByteArray encodeGif(const Bitmap& bitmap)
{
    requirePixels(bitmap, "GIF");
    if (bitmap.width() > 0xFFFF || bitmap.height() > 0xFFFF) writeFailure("GIF", QStringLiteral("image trop grande"));
    const Palette palette = gifPalette(bitmap);
    const std::vector<std::uint8_t> indexes = ditherFloydSteinberg(bitmap, palette);

    std::vector<GifColorType> colours;
    for (Colour c : palette)
        colours.push_back(GifColorType{GifByteType(redOf(c)), GifByteType(greenOf(c)), GifByteType(blueOf(c))});
    MapFree map;
    map.map = GifMakeMapObject(int(colours.size()), colours.data());
    if (!map.map) writeFailure("GIF", QStringLiteral("mémoire insuffisante"));

    QByteArray out;
    int error = 0;
    GifCloser<EGifCloseFile> closer;
    closer.gif = EGifOpen(&out, writeBytes, &error);
    if (!closer.gif) giflibFailure(error);
    GifFileType* gif = closer.gif;
    const int w = bitmap.width(), h = bitmap.height();
    if (EGifPutScreenDesc(gif, w, h, 8, 0, map.map) == GIF_ERROR) giflibFailure(gif->Error);
    if (EGifPutImageDesc(gif, 0, 0, w, h, false, nullptr) == GIF_ERROR) giflibFailure(gif->Error);
    for (int y = 0; y < h; ++y)
        if (EGifPutLine(gif, const_cast<GifPixelType*>(indexes.data() + std::size_t(y) * std::size_t(w)), w)
            == GIF_ERROR)
            giflibFailure(gif->Error);
    closer.gif = nullptr;
    if (EGifCloseFile(gif, &error) == GIF_ERROR) giflibFailure(error);
    return out;
}

} // namespace kel::codecs::detail
