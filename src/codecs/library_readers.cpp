// Registration of the library-backed readers (BMP, GIF, JPEG, PNG, TIFF).
#include "codecs/codec.h"
#include "codecs/library_codecs.h"

namespace kel::codecs {

std::vector<ReaderEntry> libraryReaders()
{
    using namespace detail;
    return {
        {{QStringLiteral("bmp"), QStringLiteral("dib"), QStringLiteral("rle")}, &readBmp},
        {{QStringLiteral("gif")}, &readGif},
        {{QStringLiteral("jpg"), QStringLiteral("jpeg")}, &readJpeg},
        {{QStringLiteral("png")}, &readPng},
        {{QStringLiteral("tif"), QStringLiteral("tiff")}, &readTiff},
    };
}

} // namespace kel::codecs
