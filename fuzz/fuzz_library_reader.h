#pragma once
// What the library readers' fuzz targets share: decode, draw a corner of the
// result as the open command would, and let only InvalidGraphic pass.
#include "codecs/codec.h"
#include "codecs/library_codecs.h"
#include "graphics/bitmap.h"
#include "graphics/errors.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace kel::fuzz {

inline int decodeOne(const std::uint8_t* data, std::size_t size, const char* extension)
{
    // Keep each input's memory and time small: pictures of more than 16
    // megapixels are refused here (the product keeps the graphics layer's limit).
    static const bool limited = [] {
        codecs::detail::setDecodedPixelLimit(std::int64_t(16) * 1024 * 1024);
        return true;
    }();
    (void)limited;
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    try {
        const auto graphic = codecs::decodeGraphic(bytes, QString::fromLatin1(extension));
        if (!graphic || graphic->width() <= 0 || graphic->height() <= 0) __builtin_trap();
        Bitmap target(std::min(graphic->width(), 64), std::min(graphic->height(), 64), pf24bit);
        graphic->drawOnto(target, 0, 0);
    } catch (const InvalidGraphic&) {
    }
    return 0;
}

} // namespace kel::fuzz
