#include "document_bench_support.h"

#include "bench_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <jpeglib.h>
#include <stdexcept>

namespace kel::bench {

void writeJpeg(const Bitmap& bitmap, const QString& path)
{
    FILE* file = std::fopen(path.toLocal8Bit().constData(), "wb");
    if (!file) throw std::runtime_error("cannot write the benchmark JPEG");
    jpeg_compress_struct info;
    jpeg_error_mgr errors;
    info.err = jpeg_std_error(&errors);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = JDIMENSION(bitmap.width());
    info.image_height = JDIMENSION(bitmap.height());
    info.input_components = 3;
    info.in_color_space = JCS_EXT_BGR;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 80, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(bitmap.rowUnchecked(int(info.next_scanline)));
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
    std::fclose(file);
}

QString photoJpegPath()
{
    static QTemporaryDir folder;
    static const QString path = [] {
        const QString file = QDir(folder.path()).filePath(QStringLiteral("photo.jpg"));
        writeJpeg(photoLikeBitmap(), file);
        return file;
    }();
    return path;
}

} // namespace kel::bench
