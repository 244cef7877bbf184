#include "codecs/codec.h"

namespace kel::codecs {

std::vector<ReaderEntry> libraryReaders() { return {}; }

} // namespace kel::codecs
