// PNG writer through libpng with its default settings (compression level,
// filters, no interlacing): 1-, 4- and 8-bit bitmaps become palette PNGs of
// the same depth, every other bitmap an 8-bit RGB PNG of its 24-bit rendering.
// libpng's errors longjmp back to the setjmp in `compress` (png_common.h),
// which keeps only plain data; the output grows in a malloc'ed buffer that no
// C++ object owns while libpng runs.
#include "codecs/png_common.h"
#include "codecs/writer_support.h"

#include <cstdlib>
#include <vector>

namespace kel::codecs::detail {

namespace {

struct Encoder {
    png_structp png = nullptr;
    png_infop info = nullptr;
    PngErrorText error;
    PngSink sink;
};

struct Image {
    int width, height, bitDepth, colourType;
    png_colorp palette;
    int paletteSize;
    png_bytepp rows;
    bool bgr;
};

bool compress(Encoder& e, const Image& image)
{
    if (setjmp(png_jmpbuf(e.png))) return false;
    png_set_write_fn(e.png, &e.sink, pngWriteToMemory, pngFlushMemory);
    png_set_IHDR(e.png, e.info, png_uint_32(image.width), png_uint_32(image.height), image.bitDepth,
                 image.colourType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (image.palette) png_set_PLTE(e.png, e.info, image.palette, image.paletteSize);
    png_write_info(e.png, e.info);
    if (image.bgr) png_set_bgr(e.png);
    png_write_image(e.png, image.rows);
    png_write_end(e.png, e.info);
    return true;
}

struct EncoderCleanup {
    Encoder& e;
    ~EncoderCleanup()
    {
        png_destroy_write_struct(&e.png, e.info ? &e.info : nullptr);
        std::free(e.sink.output);
    }
};

} // namespace

QByteArray encodePng(const Bitmap& bitmap)
{
    requirePixels(bitmap, "PNG");
    const bool indexed = isIndexed(bitmap.pixelFormat());
    Bitmap storage;
    const Bitmap& source = indexed ? bitmap : as24bit(bitmap, storage);
    std::vector<png_color> palette;
    if (indexed)
        for (Colour c : bitmap.palette())
            palette.push_back(png_color{png_byte(redOf(c)), png_byte(greenOf(c)), png_byte(blueOf(c))});
    // Bitmap rows already hold what PNG wants: packed indexes, most
    // significant first, or blue-green-red bytes (png_set_bgr).
    std::vector<png_bytep> rows(std::size_t(source.height()));
    for (int y = 0; y < source.height(); ++y) rows[std::size_t(y)] = const_cast<png_bytep>(source.rowUnchecked(y));

    Encoder e;
    e.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &e.error, pngError, pngWarning);
    if (!e.png) writeFailure("PNG", QStringLiteral("mémoire insuffisante"));
    EncoderCleanup cleanup{e};
    e.info = png_create_info_struct(e.png);
    if (!e.info) writeFailure("PNG", QStringLiteral("mémoire insuffisante"));
    const Image image{source.width(), source.height(), indexed ? bitsPerPixel(source.pixelFormat()) : 8,
                      indexed ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB,
                      indexed ? palette.data() : nullptr, int(palette.size()), rows.data(), !indexed};
    if (!compress(e, image)) writeFailure("PNG", QString::fromLatin1(e.error.message));
    return QByteArray(reinterpret_cast<const char*>(e.sink.output), qsizetype(e.sink.size));
}

} // namespace kel::codecs::detail
