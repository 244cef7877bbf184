#include "io/picture_writers.h"

#include "io/tiff_writer.h"

namespace kel::io {

codecs::EncodeFunction pictureWriterFor(const QString& extension)
{
    const QString wanted = extension.toLower();
    if (wanted == QLatin1String("tif") || wanted == QLatin1String("tiff")) return &encodeTiff;
    return codecs::writerFor(extension);
}

} // namespace kel::io
