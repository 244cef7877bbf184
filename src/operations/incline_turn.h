#pragma once
// What the turn of incline.cpp shares with its vector steps in incline_simd.cpp.
#include "operations/incline.h"

#include <cstddef>
#include <cstdint>

namespace kel::turn_detail {

// Round to nearest, halves to even, as rint does in the default rounding mode,
// for |v| below 2^51: adding 1.5 x 2^52 leaves no fraction bits, so the sum is
// rounded to a whole number. Far cheaper than the library call in the loop.
constexpr double kRoundShift = 6755399441055744.0; // 1.5 x 2^52
inline double roundHalfEven(double v) { return (v + kRoundShift) - kRoundShift; }

// Narrows [from, to) to the columns where `holds` is true, for a predicate that
// is true on a prefix or on a suffix of any range of columns.
template <typename Predicate>
void keepWhere(int& from, int& to, Predicate holds)
{
    if (from >= to) return;
    const bool first = holds(from), last = holds(to - 1);
    if (first && last) return;
    if (!first && !last) {
        to = from;
        return;
    }
    int lo = from, hi = to - 1; // holds(lo) == first, holds(hi) == last
    while (hi - lo > 1) {
        const int mid = lo + (hi - lo) / 2;
        (holds(mid) == first ? lo : hi) = mid;
    }
    if (first) to = hi;
    else from = hi;
}

// What every destination pixel of a turn shares.
struct Turn {
    const Bitmap& source;
    int sourceWidth, sourceHeight;
    double centreX, centreY; // the turning point
    double offsetX, offsetY; // where the source's corner lies on the destination
    const double* dxc;       // dx x cos per destination column
    const double* dxs;       // dx x sin per destination column
    std::ptrdiff_t rowsAhead; // how far the source point moves in bytes over a few destination rows

    // The source point of column x on a row, from that row's dy x sin and dy x cos.
    double sourceX(int x, double dys) const { return (dxc[x] - dys - 1) / 2 + centreX - offsetX; }
    double sourceY(int x, double dyc) const { return (dxs[x] + dyc - 1) / 2 + centreY - offsetY; }

    // Narrows [from, to) to the columns of a row whose nearest source pixel
    // lies inside the source. Each step of the source point's formula is
    // monotonic in x, so its rounded coordinates are too: each bound holds on
    // a prefix or a suffix of the row, and together on one run of columns.
    void insideColumns(double dys, double dyc, int& from, int& to) const
    {
        const auto column = [&](int x) { return roundHalfEven(sourceX(x, dys)); };
        const auto row = [&](int x) { return roundHalfEven(sourceY(x, dyc)); };
        keepWhere(from, to, [&](int x) { return column(x) >= 0; });
        keepWhere(from, to, [&](int x) { return column(x) < sourceWidth; });
        keepWhere(from, to, [&](int x) { return row(x) >= 0; });
        keepWhere(from, to, [&](int x) { return row(x) < sourceHeight; });
    }

    // One destination pixel from the source point (sx, sy); a point whose
    // nearest pixel lies outside the source leaves it unchanged.
    void pixel(double sx, double sy, std::uint8_t* out) const
    {
        const double rx = roundHalfEven(sx), ry = roundHalfEven(sy);
        // Also skips a NaN angle, and coordinates too large to round this way.
        if (!(rx >= 0 && rx < sourceWidth && ry >= 0 && ry < sourceHeight)) return;
        const int ix = int(rx), iy = int(ry);
        const double fx = sx - ix, fy = sy - iy;
        const int ix1 = ClampRange(ix + 1, 0, sourceWidth - 1), iy1 = ClampRange(iy + 1, 0, sourceHeight - 1);
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
            out[k] = std::uint8_t(ClampByte(static_cast<long long>(roundHalfEven(value))));
        }
    }

    void columns(int from, int to, double dys, double dyc, std::uint8_t* out) const
    {
        for (int x = from; x < to; ++x) pixel(sourceX(x, dys), sourceY(x, dyc), out + std::ptrdiff_t(x) * 3);
    }
};

// Destination pixels are worked in square tiles, which keep the slanted run
// of source pixels each tile reads within a few pages.
constexpr int kTile = 64;

// Destination rows between a source read and the read it prepares.
constexpr int kRowsAhead = 8;

// Columns from..to of one row, all of whose source points lie inside the
// source, with the vector instructions of `simd` (not None).
void insideColumnsSimd(const Turn& turn, TurnSimd simd, int from, int to, double dys, double dyc, std::uint8_t* out);

} // namespace kel::turn_detail
