#include "operations/incline.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace kel {

void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY)
{
    if (source.pixelFormat() != pf24bit || destination.pixelFormat() != pf24bit)
        throw RangeError(std::string("L'inclinaison demande des images 24 bits"));
    if (source.empty() || destination.empty()) return;

    // Cosine and sine in extended precision, the per-pixel work in double:
    // extended arithmetic at every pixel is many times slower and changes only
    // points within a few units in the last place of a rounding tie.
    const long double theta = -static_cast<long double>(angle) * std::numbers::pi_v<long double> / 180;
    const double c = double(std::cos(theta)), s = double(std::sin(theta));
    const int sw = source.width(), sh = source.height();
    const int ox = (destination.width() - sw) / 2, oy = (destination.height() - sh) / 2;

    // dx x c and dx x s per column, dy x s and dy x c per row: the same
    // products the formula takes at every pixel, worked out once.
    const int dw = destination.width();
    std::vector<double> dxc(static_cast<std::size_t>(dw)), dxs(static_cast<std::size_t>(dw));
    for (int x = 0; x < dw; ++x) {
        const double dx = 2 * (static_cast<double>(x) - centreX) + 1;
        dxc[std::size_t(x)] = dx * c;
        dxs[std::size_t(x)] = dx * s;
    }
    // Square tiles of the destination keep the slanted run of source pixels
    // each tile reads within a few pages; every pixel is computed alone, so
    // the order does not change the result.
    constexpr int kTile = 64;
    const int dh = destination.height();
    for (int tileY = 0; tileY < dh; tileY += kTile)
        for (int tileX = 0; tileX < dw; tileX += kTile) {
            const int endY = std::min(dh, tileY + kTile), endX = std::min(dw, tileX + kTile);
            for (int y = tileY; y < endY; ++y) {
                std::uint8_t* out = destination.rowUnchecked(y);
                const double dy = 2 * (static_cast<double>(y) - centreY) + 1;
                const double dys = dy * s, dyc = dy * c;
                for (int x = tileX; x < endX; ++x) {
                    const double sx = (dxc[std::size_t(x)] - dys - 1) / 2 + centreX - ox;
                    const double sy = (dxs[std::size_t(x)] + dyc - 1) / 2 + centreY - oy;
                    // rint rounds halves to even in the default rounding mode.
                    const double rx = std::rint(sx), ry = std::rint(sy);
                    if (!(rx >= 0 && rx < sw && ry >= 0 && ry < sh)) continue; // also skips a NaN angle
                    const int ix = int(rx), iy = int(ry);
                    const double fx = sx - ix, fy = sy - iy;
                    const int ix1 = ClampRange(ix + 1, 0, sw - 1), iy1 = ClampRange(iy + 1, 0, sh - 1);
                    const std::uint8_t* row0 = source.rowUnchecked(iy);
                    const std::uint8_t* row1 = source.rowUnchecked(iy1);
                    const std::uint8_t* p00 = row0 + std::ptrdiff_t(ix) * 3;
                    const std::uint8_t* p10 = row0 + std::ptrdiff_t(ix1) * 3;
                    const std::uint8_t* p01 = row1 + std::ptrdiff_t(ix) * 3;
                    const std::uint8_t* p11 = row1 + std::ptrdiff_t(ix1) * 3;
                    for (int k = 0; k < 3; ++k) {
                        const double top = p00[k] + fx * (p10[k] - p00[k]);
                        const double bottom = p01[k] + fx * (p11[k] - p01[k]);
                        const double value = top + fy * (bottom - top);
                        out[std::ptrdiff_t(x) * 3 + k] = std::uint8_t(ClampByte(static_cast<long long>(std::rint(value))));
                    }
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
