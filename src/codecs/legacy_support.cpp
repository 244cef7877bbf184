#include "codecs/legacy_support.h"

#include <algorithm>

namespace kel::codecs {

void requireBytes(const ByteReader& reader, std::size_t offset, std::uint64_t count)
{
    if (offset > reader.size() || count > reader.size() - offset) reader.fail(QStringLiteral("données tronquées"));
}

void decodeByteRuns(const ByteReader& reader, const std::uint8_t* in, const std::uint8_t* end, ByteRuns coding,
                    std::vector<std::uint8_t>& out)
{
    std::size_t filled = 0;
    while (filled < out.size()) {
        if (in >= end) reader.fail(QStringLiteral("ligne compressée tronquée"));
        const auto n = std::int8_t(*in++);
        if (coding == ByteRuns::PackBits && n == -128) continue;
        const bool copy = coding == ByteRuns::PackBits ? n >= 0 : n < 0;
        const std::size_t count = n >= 0 ? std::size_t(n) + 1
                                  : coding == ByteRuns::PackBits ? std::size_t(1 - n)
                                                                 : std::size_t(-n);
        if (count > out.size() - filled) reader.fail(QStringLiteral("compression RLE incorrecte"));
        if (copy) {
            if (std::size_t(end - in) < count) reader.fail(QStringLiteral("ligne compressée tronquée"));
            std::copy(in, in + count, out.begin() + std::ptrdiff_t(filled));
            in += count;
        } else {
            if (in >= end) reader.fail(QStringLiteral("ligne compressée tronquée"));
            std::fill_n(out.begin() + std::ptrdiff_t(filled), count, *in++);
        }
        filled += count;
    }
}

const Palette& greyRamp()
{
    static const Palette ramp = [] {
        Palette p(256);
        for (int i = 0; i < 256; ++i) p[std::size_t(i)] = rgb(i, i, i);
        return p;
    }();
    return ramp;
}

} // namespace kel::codecs
