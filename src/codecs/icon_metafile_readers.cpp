#include "codecs/codec.h"
#include "codecs/icon_metafile_formats.h"

namespace kel::codecs {

std::vector<ReaderEntry> iconAndMetafileReaders()
{
    return {
        {{QStringLiteral("ico")}, readIcon},
        {{QStringLiteral("emf")}, readEnhancedMetafile},
        {{QStringLiteral("wmf")}, readWindowsMetafile},
    };
}

} // namespace kel::codecs
