#include "codecs/codec.h"

namespace kel::codecs {

std::vector<ReaderEntry> legacyReaders() { return {}; }

} // namespace kel::codecs
