#pragma once
// Pieces shared by the hand-written readers of the older formats besides
// reader_support.h: the byte-count check before allocation and palette lookups.
#include "codecs/reader_support.h"

#include <cstdint>
#include <vector>

namespace kel::codecs {

// Rejects a header that announces more bytes than the file holds from
// `offset` on, before anything is allocated for them.
void requireBytes(const ByteReader& reader, std::size_t offset, std::uint64_t count);

// The two ways of coding a row as runs of bytes, each run led by a signed count byte n:
// - PackBits (Photoshop): n >= 0 copies the next n + 1 bytes, -127 <= n < 0
//   repeats the next byte 1 - n times, -128 is skipped;
// - Wavefront RLA: n >= 0 repeats the next byte n + 1 times, n < 0 copies
//   the next -n bytes.
enum class ByteRuns { PackBits, Rla };

// Decodes one row of `out.size()` bytes from [in, end), rejecting runs that
// overrun the row or the data.
void decodeByteRuns(const ByteReader& reader, const std::uint8_t* in, const std::uint8_t* end, ByteRuns coding,
                    std::vector<std::uint8_t>& out);

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
