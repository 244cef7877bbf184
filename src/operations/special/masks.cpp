#include "operations/special/masks.h"

#include "operations/special/ellipse_raster.h"
#include "operations/special/in_24bit.h"

#include <cstring>

namespace kel {

void circleMask(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    const int width = bitmap.width(), height = bitmap.height();
    const InscribedEllipse disc(0, 0, width, height);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.rowUnchecked(y);
        const Span inside = disc.row(y);
        if (inside.empty()) {
            std::memset(row, 0, std::size_t(width) * 3);
            continue;
        }
        std::memset(row, 0, std::size_t(inside.first) * 3);
        std::memset(row + std::ptrdiff_t(inside.last + 1) * 3, 0, std::size_t(width - 1 - inside.last) * 3);
    }
}

void dither(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    workOn24BitRows(bitmap, [](Bitmap& rows) {
        const int pairs = rows.width() / 2;
        for (int y = 0; y < rows.height(); ++y) {
            std::uint8_t* row = rows.rowUnchecked(y);
            for (int p = 0; p < pairs; ++p) std::memset(row + std::ptrdiff_t(2 * p + 1) * 3, 0, 3);
        }
    });
}

} // namespace kel
