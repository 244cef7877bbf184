#pragma once
// Device-independent bitmaps as BMP files, icons and metafiles store them:
// the 40-byte information header and the colour table (dib_decoder.h reads
// them back).
#include "codecs/byte_writer.h"
#include "graphics/palettes.h"

#include <cstdint>

namespace kel::codecs {

inline constexpr int kDibInfoHeaderSize = 40;

struct DibInfo {
    int width = 0;
    int height = 0; // as stored: positive for bottom-up rows; icons double it for the mask
    int bits = 0;
    std::uint32_t compression = 0; // BI_RGB
    std::uint32_t imageBytes = 0;
    std::uint32_t coloursUsed = 0;
};

// BITMAPINFOHEADER: one plane, no resolution, every colour important.
void writeDibInfoHeader(ByteWriter& out, const DibInfo& info);

// `entries` colour table entries (blue, green, red, 0); entries past the
// palette's end are black.
void writeDibColourTable(ByteWriter& out, const Palette& palette, std::size_t entries);

} // namespace kel::codecs
