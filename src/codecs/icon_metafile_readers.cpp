#include "codecs/codec.h"

namespace kel::codecs {

std::vector<ReaderEntry> iconAndMetafileReaders() { return {}; }

} // namespace kel::codecs
