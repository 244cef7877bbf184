// libFuzzer target: arbitrary bytes through the JPEG reader. Each input must
// decode or be refused as an invalid graphic; anything else (another
// exception, a sanitizer report, a leak) is a finding.
#include "fuzz_library_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return kel::fuzz::decodeOne(data, size, "jpg");
}
