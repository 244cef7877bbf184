#include "legacy_fuzz.h"

#include <vector>

namespace {
constexpr std::size_t kBaseImageEnd = 0x30000 + 256 * 2304;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    kel::fuzz::decodeLegacy(data, size, "pcd");
    // A whole base image is too large to mutate well: short inputs are also
    // read padded with zeros, so the header reaches the decoder.
    if (size < kBaseImageEnd) {
        std::vector<std::uint8_t> padded(data, data + size);
        padded.resize(kBaseImageEnd);
        kel::fuzz::decodeLegacy(padded.data(), padded.size(), "pcd");
    }
    return 0;
}
