// JPEG writer through libjpeg-turbo: the bitmap's 24-bit rendering, YCbCr
// with libjpeg's default 4:2:0 sampling, at the given quality, into memory.
// As in the reader, the function holding the setjmp keeps only plain data.
#include "codecs/jpeg_common.h"
#include "codecs/writer_support.h"

#include <cstdlib>
#include <cstring>

namespace kel::codecs::detail {

namespace {

struct Encoder {
    jpeg_compress_struct info;
    JpegErrorManager error;
    bool created = false;
    unsigned char* output = nullptr; // malloc'ed by libjpeg's memory destination
    unsigned long outputSize = 0;
};

bool compress(Encoder& e, const unsigned char* firstRow, long stride, int width, int height, int quality)
{
    if (setjmp(e.error.jump)) return false;
    jpeg_create_compress(&e.info);
    e.created = true;
    jpeg_mem_dest(&e.info, &e.output, &e.outputSize);
    e.info.image_width = JDIMENSION(width);
    e.info.image_height = JDIMENSION(height);
    e.info.input_components = 3;
    e.info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&e.info);
    jpeg_set_quality(&e.info, quality, TRUE);
    jpeg_start_compress(&e.info, TRUE);
    while (e.info.next_scanline < e.info.image_height) {
        JSAMPROW row = const_cast<unsigned char*>(firstRow + stride * long(e.info.next_scanline));
        jpeg_write_scanlines(&e.info, &row, 1);
    }
    jpeg_finish_compress(&e.info);
    return true;
}

struct EncoderCleanup {
    Encoder& e;
    ~EncoderCleanup()
    {
        if (e.created) jpeg_destroy_compress(&e.info);
        std::free(e.output);
    }
};

} // namespace

QByteArray encodeJpegBytes(const Bitmap& bitmap, int quality)
{
    requirePixels(bitmap, "JPEG");
    if (quality < 1 || quality > 100) writeFailure("JPEG", QStringLiteral("qualité incorrecte (%1)").arg(quality));
    Bitmap storage;
    const Bitmap& source = as24bit(bitmap, storage);
    Encoder e;
    std::memset(&e.info, 0, sizeof e.info);
    e.info.err = initJpegErrorManager(e.error);
    EncoderCleanup cleanup{e};
    if (!compress(e, source.rowUnchecked(0), source.bytesPerLine(), source.width(), source.height(), quality))
        writeFailure("JPEG", e.error.problem());
    return QByteArray(reinterpret_cast<const char*>(e.output), qsizetype(e.outputSize));
}

} // namespace kel::codecs::detail
