#include "codecs/dib_encoder.h"

namespace kel::codecs {

void writeDibInfoHeader(ByteWriter& out, const DibInfo& info)
{
    out.u32(kDibInfoHeaderSize);
    out.i32(info.width);
    out.i32(info.height);
    out.u16(1); // planes
    out.u16(std::uint16_t(info.bits));
    out.u32(info.compression);
    out.u32(info.imageBytes);
    out.u32(0); // horizontal and vertical resolution
    out.u32(0);
    out.u32(info.coloursUsed);
    out.u32(0); // colours important: all
}

void writeDibColourTable(ByteWriter& out, const Palette& palette, std::size_t entries)
{
    for (std::size_t i = 0; i < entries; ++i) {
        out.bgr(i < palette.size() ? palette[i] : clBlack);
        out.u8(0);
    }
}

} // namespace kel::codecs
