#include "operations/colour_depth.h"

#include "graphics/pixel_rows.h"

#include <cstdint>

namespace kel {

PixelFormat depthFormat(ColourDepth depth)
{
    switch (depth) {
    case ColourDepth::Bits32: return pf32bit;
    case ColourDepth::Bits24: return pf24bit;
    case ColourDepth::Bits16: return pf16bit;
    case ColourDepth::Bits8: return pf8bit;
    case ColourDepth::Bits4: return pf4bit;
    }
    return pf24bit;
}

void convertToDepth(Bitmap& bitmap, ColourDepth depth) { bitmap.setPixelFormat(depthFormat(depth)); }

Bitmap copyAtDepth(const Bitmap& source, ColourDepth depth)
{
    Bitmap result(source.width(), source.height(), depthFormat(depth));
    convertRows(source, result);
    return result;
}

void reduceColours(Bitmap& bitmap, ColourDepth depth)
{
    convertToDepth(bitmap, depth);
    bitmap.setPixelFormat(pf24bit);
}

void blackAndWhite(Bitmap& bitmap)
{
    bitmap.setPixelFormat(pf24bit);
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* p = bitmap.rowUnchecked(y);
        for (int x = 0; x < width; ++x, p += 3) {
            const int sum = p[0] + p[1] + p[2];
            const std::uint8_t level = sum <= kBlackWhiteThreshold ? 0 : 255;
            p[0] = p[1] = p[2] = level;
        }
    }
}

} // namespace kel
