#include "legacy_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kel::fuzz::decodeLegacy(data, size, "cut");
    return 0;
}
