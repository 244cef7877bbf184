// Feeds arbitrary bytes to one icon or metafile reader: each input decodes or
// raises InvalidGraphic; anything else (a crash, a sanitizer report, another
// exception) is a finding.
#include "codecs/codec.h"
#include "graphics/errors.h"

#include <QImage>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const auto graphic = kel::codecs::decodeGraphic(bytes, QStringLiteral(KELVARY_FUZZ_EXTENSION));
        // Draw pictures of a sensible size, so that rendering is exercised too.
        if (std::int64_t(graphic->width()) * graphic->height() <= (1 << 22)) graphic->toImage();
    } catch (const kel::InvalidGraphic&) {
    }
    return 0;
}
