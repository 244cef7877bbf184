#include "operations/incline.h"

#include "graphics/errors.h"
#include "graphics/pixel_rows.h"
#include "graphics/split_rows.h"
#include "operations/incline_turn.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

namespace kel {

namespace {

using namespace turn_detail;
using Simd = TurnSimd;

// Destination rows from..to, tile by tile; every pixel is computed alone, so
// neither the order nor the split between threads changes the result.
void turnRows(const Turn& turn, int width, int fromRow, int toRow, double c, double s, Simd simd, Bitmap& destination)
{
    struct Row {
        double sinPart, cosPart; // dy x sin and dy x cos
        int from, to;            // the columns whose source point lies inside
    };
    Row rows[kTile];
    for (int tileY = fromRow; tileY < toRow; tileY += kTile) {
        const int endY = std::min(toRow, tileY + kTile);
        for (int y = tileY; y < endY; ++y) {
            Row& row = rows[y - tileY];
            const double dy = 2 * (static_cast<double>(y) - turn.centreY) + 1;
            row = {dy * s, dy * c, 0, width};
            turn.insideColumns(row.sinPart, row.cosPart, row.from, row.to);
        }
        for (int tileX = 0; tileX < width; tileX += kTile)
            for (int y = tileY; y < endY; ++y) {
                const Row& row = rows[y - tileY];
                const int from = std::max(tileX, row.from), to = std::min(tileX + kTile, row.to);
                if (from >= to) continue;
                std::uint8_t* out = destination.rowUnchecked(y);
                if (simd != Simd::None) {
                    insideColumnsSimd(turn, simd, from, to, row.sinPart, row.cosPart, out);
                    continue;
                }
                turn.columns(from, to, row.sinPart, row.cosPart, out);
            }
    }
}

} // namespace

void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY)
{
    TurnBitmap(source, destination, centreX, angle, centreY, bestTurnSimd());
}

void TurnBitmap(const Bitmap& source, Bitmap& destination, int centreX, double angle, int centreY, TurnSimd level)
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
    // products the formula takes at every pixel, worked out once. Seven more
    // columns let the last group of eight be read whole.
    const int dw = destination.width(), dh = destination.height();
    std::vector<double> dxc(static_cast<std::size_t>(dw) + 7), dxs(static_cast<std::size_t>(dw) + 7);
    for (int x = 0; x < dw + 7; ++x) {
        const double dx = 2 * (static_cast<double>(x) - centreX) + 1;
        dxc[std::size_t(x)] = dx * c;
        dxs[std::size_t(x)] = dx * s;
    }
    // A destination row further down moves the source point by (-sin, cos).
    const double rowsAhead = std::round(kRowsAhead * c), columnsAhead = std::round(-kRowsAhead * s);
    const double ahead = rowsAhead * source.bytesPerLine() + columnsAhead * 3;
    const Turn turn{source,           sw,         sh,         double(centreX),
                    double(centreY),  double(ox), double(oy), dxc.data(),
                    dxs.data(),       std::isfinite(ahead) ? std::ptrdiff_t(ahead) : 0};
    const Simd simd = std::min(level, bestTurnSimd());
    // Rows are independent: a large picture is split between the cores.
    destination.detach();
    splitRows(dh, std::int64_t(dw) * dh, kTile,
              [&](int from, int to) { turnRows(turn, dw, from, to, c, s, simd, destination); });
}

TurnSimd bestTurnSimd()
{
#if defined(__GNUC__) && defined(__x86_64__)
    static const Simd level = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512dq") ? Simd::Avx512
                              : __builtin_cpu_supports("avx2")                                        ? Simd::Avx2
                                                                                                      : Simd::None;
    return level;
#else
    return Simd::None;
#endif
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
