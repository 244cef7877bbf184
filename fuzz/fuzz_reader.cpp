// libFuzzer target of the reader of one extension (KELVARY_FUZZ_EXTENSION):
// each input must decode or be refused as an invalid graphic.
#include "codecs/reader_support.h"
#include "fuzz_reader.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Keep each input's memory and time small: pictures of more than 16
    // megapixels are refused here, by every reader family (the product keeps
    // the graphics layer's limit alone).
    static const bool limited = [] {
        kel::codecs::setDecodedPixelLimit(std::int64_t(16) * 1024 * 1024);
        return true;
    }();
    (void)limited;
    kel::fuzz::decodeFuzzInput(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)),
                               QStringLiteral(KELVARY_FUZZ_EXTENSION));
    return 0;
}
