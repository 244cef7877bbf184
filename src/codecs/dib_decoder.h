#pragma once
// Device-independent bitmaps as icons and metafiles embed them: an
// information header, a colour table for up to 8 bits per pixel, and
// uncompressed rows padded to 4 bytes, bottom row first unless the height is
// negative. Every size is checked against the file before anything is made.
#include "codecs/byte_reader.h"

#include <QImage>

namespace kel::codecs {

struct DibHeader {
    int width = 0;
    int height = 0; // rows of the picture (half the stored height for icons)
    bool bottomUp = true;
    int bits = 0;
    std::size_t headerSize = 0;
    int tableEntries = 0;
    std::size_t stride = 0;

    std::size_t infoSize() const { return headerSize + 4 * std::size_t(tableEntries); }
    std::size_t pixelBytes() const { return stride * std::size_t(height); }
};

// Reads the header at `offset`. Icons store the colour rows and the mask rows
// in one doubled height.
DibHeader readDibHeader(const ByteReader& reader, std::size_t offset, bool iconHeight);

// Decodes the rows at `bitsOffset` with the colour table that follows the
// header at `infoOffset`. Opaque pixels unless `keepAlpha` and 32 bits.
QImage decodeDib(const ByteReader& reader, std::size_t infoOffset, const DibHeader& header, std::size_t bitsOffset,
                 bool keepAlpha);

} // namespace kel::codecs
