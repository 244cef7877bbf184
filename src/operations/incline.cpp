#include "operations/incline.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <cmath>
#include <cstdint>
#include <numbers>

namespace kel {

int ClampByte(long long value) { return value > 255 ? 255 : value < 0 ? 0 : int(value); }

int ClampRange(int value, int low, int high) { return value > high ? high : value < low ? low : value; }

void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY)
{
    if (source.pixelFormat() != pf24bit || destination.pixelFormat() != pf24bit)
        throw RangeError(std::string("L'inclinaison demande des images 24 bits"));
    if (source.empty() || destination.empty()) return;

    // Extended precision throughout, rounding to nearest with halves to even.
    const long double theta = -static_cast<long double>(angle) * std::numbers::pi_v<long double> / 180;
    const long double c = std::cos(theta), s = std::sin(theta);
    const int sw = source.width(), sh = source.height();
    const int ox = (destination.width() - sw) / 2, oy = (destination.height() - sh) / 2;

    for (int y = 0; y < destination.height(); ++y) {
        std::uint8_t* out = destination.rowUnchecked(y);
        const long double dy = 2 * (static_cast<long double>(y) - centreY) + 1;
        for (int x = 0; x < destination.width(); ++x) {
            const long double dx = 2 * (static_cast<long double>(x) - centreX) + 1;
            const long double sx = (dx * c - dy * s - 1) / 2 + centreX - ox;
            const long double sy = (dx * s + dy * c - 1) / 2 + centreY - oy;
            const long double rx = std::nearbyint(sx), ry = std::nearbyint(sy);
            if (!(rx >= 0 && rx < sw && ry >= 0 && ry < sh)) continue; // also skips a NaN angle
            const int ix = int(rx), iy = int(ry);
            const long double fx = sx - ix, fy = sy - iy;
            const int ix1 = ClampRange(ix + 1, 0, sw - 1), iy1 = ClampRange(iy + 1, 0, sh - 1);
            const std::uint8_t* row0 = source.rowUnchecked(iy);
            const std::uint8_t* row1 = source.rowUnchecked(iy1);
            const std::uint8_t* p00 = row0 + std::ptrdiff_t(ix) * 3;
            const std::uint8_t* p10 = row0 + std::ptrdiff_t(ix1) * 3;
            const std::uint8_t* p01 = row1 + std::ptrdiff_t(ix) * 3;
            const std::uint8_t* p11 = row1 + std::ptrdiff_t(ix1) * 3;
            for (int k = 0; k < 3; ++k) {
                const long double top = p00[k] + fx * (p10[k] - p00[k]);
                const long double bottom = p01[k] + fx * (p11[k] - p01[k]);
                const long double value = top + fy * (bottom - top);
                out[std::ptrdiff_t(x) * 3 + k] = std::uint8_t(ClampByte(std::llrint(value)));
            }
        }
    }
}

Bitmap inclinedBitmap(const Bitmap& picture, double angle, Colour background)
{
    Bitmap source(picture.width(), picture.height(), pf24bit);
    picture.drawOnto(source, 0, 0);
    Bitmap destination(picture.width(), picture.height(), pf24bit);
    fillRows(destination, 0, destination.height(), background);
    TurnBitmap(source, destination, picture.width() / 2, angle, picture.height() / 2);
    return destination;
}

} // namespace kel
