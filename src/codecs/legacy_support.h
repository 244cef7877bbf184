#pragma once
// Pieces shared by the hand-written readers: checked bitmap creation, the
// alpha channel of formats that carry one, palette lookups.
#include "codecs/byte_reader.h"
#include "graphics/bitmap.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace kel::codecs {

// A white 24-bit bitmap of a header's size. Sizes that are not positive or
// that the graphics layer cannot hold are rejected as invalid data.
Bitmap makeBitmap(const ByteReader& reader, std::int64_t width, std::int64_t height);

// Rejects a header that announces more bytes than the file holds from
// `offset` on, before anything is allocated for them.
void requireBytes(const ByteReader& reader, std::size_t offset, std::uint64_t count);

// The picture with its alpha channel (one byte per pixel, rows top to
// bottom): an RgbaGraphic when some pixel is not opaque, else the bitmap.
std::unique_ptr<Graphic> withAlpha(Bitmap bitmap, const std::vector<std::uint8_t>& alpha);

// Index i maps to grey level i, for indexed files that come without a palette.
const Palette& greyRamp();

// The palette entry of a pixel, rejecting indexes the palette does not have.
inline Colour paletteColour(const ByteReader& reader, const Palette& palette, std::size_t index)
{
    if (index >= palette.size()) reader.fail(QStringLiteral("indice de palette hors limite"));
    return palette[index];
}

inline void putPixel(Bitmap& bitmap, int x, int y, Colour colour)
{
    colourToBgr(colour, bitmap.rowUnchecked(y) + 3 * std::ptrdiff_t(x));
}

} // namespace kel::codecs
