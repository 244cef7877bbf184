#include "operations/colour_depth.h"

#include "graphics/pixel_rows.h"
#include "operations/bgr_planes.h"

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

namespace {

void blackAndWhitePixels(std::uint8_t* p, int count)
{
    for (int x = 0; x < count; ++x, p += 3) {
        const int sum = p[0] + p[1] + p[2];
        const std::uint8_t level = sum <= kBlackWhiteThreshold ? 0 : 255;
        p[0] = p[1] = p[2] = level;
    }
}

#ifdef KEL_HAS_BGR_PLANES
// Sixteen pixels a step; the rest of the row one by one.
KEL_SSSE3 void blackAndWhiteRowsVector(Bitmap& bitmap)
{
    const __m128i threshold = _mm_set1_epi16(kBlackWhiteThreshold);
    const int width = bitmap.width();
    for (int y = 0; y < bitmap.height(); ++y) {
        std::uint8_t* p = bitmap.rowUnchecked(y);
        int x = 0;
        for (; x + 16 <= width; x += 16, p += 48) {
            __m128i low, high;
            bgr::sums(bgr::split(p), low, high);
            // All ones above the threshold: white.
            bgr::spread(_mm_packs_epi16(_mm_cmpgt_epi16(low, threshold), _mm_cmpgt_epi16(high, threshold)), p);
        }
        blackAndWhitePixels(p, width - x);
    }
}
#endif

} // namespace

void blackAndWhite(Bitmap& bitmap)
{
    bitmap.setPixelFormat(pf24bit);
#ifdef KEL_HAS_BGR_PLANES
    if (bgr::ssse3Available()) {
        blackAndWhiteRowsVector(bitmap);
        return;
    }
#endif
    for (int y = 0; y < bitmap.height(); ++y) blackAndWhitePixels(bitmap.rowUnchecked(y), bitmap.width());
}

} // namespace kel
