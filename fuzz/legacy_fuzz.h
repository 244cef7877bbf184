#pragma once
// The body shared by the fuzz targets of the hand-written readers: decode
// the input as a file of one extension; only InvalidGraphic may come out.
#include "codecs/codec.h"
#include "graphics/errors.h"

#include <cstddef>
#include <cstdint>

namespace kel::fuzz {

inline void decodeLegacy(const std::uint8_t* data, std::size_t size, const char* extension)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        codecs::decodeGraphic(bytes, QString::fromLatin1(extension));
    } catch (const InvalidGraphic&) {
    }
}

} // namespace kel::fuzz
