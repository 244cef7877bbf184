#include "document_bench_support.h"

#include "bench_support.h"

#include <QDir>
#include <QTemporaryDir>

#include <cstdio>
#include <jpeglib.h>
#include <map>
#include <utility>
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

QString photoJpegPath(int width, int height)
{
    static QTemporaryDir folder;
    static std::map<std::pair<int, int>, QString> written;
    auto [place, fresh] = written.try_emplace({width, height});
    if (fresh) {
        place->second = QDir(folder.path()).filePath(QStringLiteral("photo-%1x%2.jpg").arg(width).arg(height));
        writeJpeg(photoLikeBitmap(width, height), place->second);
    }
    return place->second;
}

} // namespace kel::bench
