#include "operations/special/displacements.h"

#include "operations/special/in_24bit.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>

namespace kel {

namespace {

inline void copyPixel(std::uint8_t* to, const std::uint8_t* from)
{
    to[0] = from[0];
    to[1] = from[1];
    to[2] = from[2];
}

void marbleRows(Bitmap& rows)
{
    const int width = rows.width(), height = rows.height();
    constexpr double s = kMarbleAmplitude;
    std::array<double, kMarblePeriod> columnShift{}; // rx by x mod the period
    for (int i = 0; i < kMarblePeriod; ++i) columnShift[std::size_t(i)] = -s * std::sin(i / s);
    for (int y = 0; y < height; ++y) {
        const double ry = s * std::cos((y % kMarblePeriod) / s);
        const std::uint8_t* source = rows.rowUnchecked(y);
        int phase = 0;
        for (int x = 0; x < width; ++x) {
            const double rx = columnShift[std::size_t(phase)];
            if (++phase == kMarblePeriod) phase = 0;
            const long column = std::lrint(std::abs(x + rx - ry));
            const long row = std::lrint(std::abs(y + ry - rx));
            if (row < height && column < width) copyPixel(rows.rowUnchecked(int(row)) + 3 * column, source + 3 * x);
        }
    }
}

void plasmaRows(Bitmap& rows)
{
    const double amplitude = std::max(kPlasmaAmplitude, 5.0);
    const double divisor = std::max(kPlasmaAngleDivisor, 10.0);
    std::array<int, 256> dx{}, dy{};
    for (int i = 0; i < 256; ++i) {
        dx[std::size_t(i)] = int(std::lrint(-amplitude * std::sin(i / divisor)));
        dy[std::size_t(i)] = int(std::lrint(amplitude * std::cos(i / divisor)));
    }
    const int width = rows.width(), height = rows.height();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows.rowUnchecked(y);
        for (int x = 0; x < width; ++x) {
            std::uint8_t* pixel = row + 3 * x;
            const int sx = x + dx[pixel[0]], sy = y + dy[pixel[0]];
            if (sx >= 0 && sx < width && sy >= 0 && sy < height) copyPixel(pixel, rows.rowUnchecked(sy) + 3 * sx);
        }
    }
}

// The two weights of a coordinate f whose truncation is i; past the left or
// top edge they are taken the other way round.
inline void weights(float f, int i, float& w0, float& w1)
{
    if (f >= 0) {
        w1 = f - float(i);
        w0 = 1.0f - w1;
    } else {
        w0 = -(f - float(i));
        w1 = 1.0f - w0;
    }
}

// A truncated coordinate brought into 0..size-1 (size > 0).
inline int wrap(int i, int size)
{
    if (i < 0) return size - 1 - (-i) % size;
    if (i > size - 1) return i % size;
    return i;
}

// The second tap after a wrapped coordinate: the next one, or from the near edge.
inline int nextTap(int i, int size) { return i + 1 < size ? i + 1 : size - i - 1; }

void twistRows(Bitmap& rows)
{
    const int width = rows.width(), height = rows.height();
    const float cx = float(width - 1) / 2.0f, cy = float(height - 1) / 2.0f;
    constexpr float pi = 3.14159265358979323846f;
    constexpr float halfPi = pi / 2.0f;
    for (int y = 0; y < height; ++y) {
        std::uint8_t* target = rows.rowUnchecked(y);
        const float dy = float(y) - cy;
        for (int x = 0; x < width; ++x) {
            const float dx = float(x) - cx;
            const float r = std::sqrt(dx * dx + dy * dy);
            float fx = 0.0f, fy = 0.0f;
            if (r != 0.0f) {
                float theta;
                if (dx == 0.0f) {
                    theta = dy > 0.0f ? halfPi : -halfPi;
                } else {
                    theta = std::atan(dy / dx);
                    if (dx < 0.0f) theta += pi;
                }
                const float phi = theta - r / kTwistStrength + halfPi;
                fx = r * std::cos(phi);
                fy = r * std::sin(phi);
            }
            fx += cx;
            fy += cy;
            int ix = int(fx), iy = int(fy);
            float wx0, wx1, wy0, wy1;
            weights(fx, ix, wx0, wx1);
            weights(fy, iy, wy0, wy1);
            ix = wrap(ix, width);
            iy = wrap(iy, height);
            const int ix1 = nextTap(ix, width), iy1 = nextTap(iy, height);
            const std::uint8_t* top = rows.rowUnchecked(iy);
            const std::uint8_t* bottom = rows.rowUnchecked(iy1);
            const float w00 = wx0 * wy0, w10 = wx1 * wy0, w01 = wx0 * wy1, w11 = wx1 * wy1;
            for (int c = 0; c < 3; ++c) {
                const float sum = float(top[3 * ix + c]) * w00 + float(top[3 * ix1 + c]) * w10 +
                                  float(bottom[3 * ix + c]) * w01 + float(bottom[3 * ix1 + c]) * w11;
                target[3 * x + c] = std::uint8_t(std::clamp(std::lrint(sum), 0L, 255L));
            }
        }
    }
}

} // namespace

void marble(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.changed();
    workOn24BitRows(bitmap, marbleRows);
}

void plasma(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    workOn24BitRows(bitmap, plasmaRows);
}

void twist(Bitmap& bitmap)
{
    // The wrap divides by the width and the height.
    if (bitmap.width() <= 0 || bitmap.height() <= 0) return;
    workOn24BitRows(bitmap, twistRows);
}

} // namespace kel
