#include "operations/special/bevels.h"

#include "operations/special/ellipse_raster.h"
#include "operations/special/in_24bit.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace kel {

namespace {

// v + b (255 - v) / 255 and v - b v / 255, kept within 0..255.
int lighten(int v, int strength) { return std::clamp(v + (strength * (255 - v)) / 255, 0, 255); }
int darken(int v, int strength) { return std::clamp(v - (v * strength) / 255, 0, 255); }

using ChannelTable = std::array<std::uint8_t, 256>;

ChannelTable channelTable(int (*formula)(int, int), int strength)
{
    ChannelTable table{};
    for (int v = 0; v < 256; ++v) table[std::size_t(v)] = std::uint8_t(formula(v, strength));
    return table;
}

void shade(std::uint8_t* row, int x, const ChannelTable& table)
{
    std::uint8_t* pixel = row + std::ptrdiff_t(x) * 3;
    for (int c = 0; c < 3; ++c) pixel[c] = table[pixel[c]];
}

// Each channel := the mean of the four neighbours, in scan order, so the
// upper and left neighbours are already smoothed.
void smoothInterior(Bitmap& bitmap)
{
    const int width = bitmap.width(), height = bitmap.height();
    if (width < 3 || height < 3) return;
    for (int y = 1; y + 1 < height; ++y) {
        std::uint8_t* row = bitmap.rowUnchecked(y);
        const std::uint8_t* above = bitmap.rowUnchecked(y - 1);
        const std::uint8_t* below = bitmap.rowUnchecked(y + 1);
        for (int i = 3; i < (width - 1) * 3; ++i)
            row[i] = std::uint8_t((above[i] + below[i] + row[i - 3] + row[i + 3]) >> 2);
    }
}

// Mask codes: 0 leaves a pixel alone; otherwise a mode bit and the intensity.
constexpr std::uint8_t kDarkenMark = 0x40, kLightenMark = 0x80, kIntensityBits = 0x3F;

void drawRings(std::vector<std::uint8_t>& mask, int width, int height)
{
    for (int k = 0; k < kCircleButtonRings; ++k) {
        const InscribedEllipse ring(k, k, width - k, height - k);
        if (ring.empty()) break; // this ring and the inner ones do not fit
        const auto intensity = std::uint8_t(kCircleButtonRings - 1 - k);
        // Radials through (0, H) and (W, 0): the lower-right half runs
        // counter-clockwise from the first to the second, the upper-left half back.
        const std::int64_t fromX = ring.pointX(0), fromY = ring.pointY(height);
        const std::int64_t toX = ring.pointX(width), toY = ring.pointY(0);
        for (int y = ring.top(); y < ring.bottom(); ++y) {
            Span spans[2];
            const int count = ring.outline(y, spans);
            for (int s = 0; s < count; ++s)
                for (int x = spans[s].first; x <= spans[s].last; ++x) {
                    const std::int64_t px = ring.offsetX(x), py = ring.offsetY(y);
                    std::uint8_t& mark = mask[std::size_t(y) * std::size_t(width) + std::size_t(x)];
                    // The upper-left half is drawn second and wins on the shared radials.
                    if (inSweep(px, py, toX, toY, fromX, fromY)) mark = kLightenMark | intensity;
                    else if (inSweep(px, py, fromX, fromY, toX, toY)) mark = kDarkenMark | intensity;
                }
        }
    }
}

void circleButtonRows(Bitmap& bitmap)
{
    const int width = bitmap.width(), height = bitmap.height();
    std::vector<std::uint8_t> mask(std::size_t(width) * std::size_t(height), 0);
    drawRings(mask, width, height);

    std::array<ChannelTable, kCircleButtonRings> lighter, darker;
    for (int i = 0; i < kCircleButtonRings; ++i) {
        const int amount = (i * kCircleButtonStrength) / kCircleButtonRings;
        lighter[std::size_t(i)] = channelTable(lighten, amount);
        darker[std::size_t(i)] = channelTable(darken, amount);
    }
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = bitmap.rowUnchecked(y);
        const std::uint8_t* marks = mask.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t mark = marks[x];
            if (mark == 0) continue;
            const auto& tables = (mark & kLightenMark) ? lighter : darker;
            shade(row, x, tables[mark & kIntensityBits]);
        }
    }
    smoothInterior(bitmap);
}

} // namespace

void buttonize(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    bitmap.setPixelFormat(pf24bit);
    const ChannelTable light = channelTable(lighten, kButtonizeStrength);
    const ChannelTable dark = channelTable(darken, kButtonizeStrength);
    const int width = bitmap.width(), height = bitmap.height();
    // Band r: row r and row H-1-r across, columns r and W-1-r down; rows and
    // columns that the picture does not have are skipped.
    for (int r = 0; r <= kButtonizeBand && r < height; ++r) {
        std::uint8_t* top = bitmap.rowUnchecked(r);
        std::uint8_t* bottom = bitmap.rowUnchecked(height - 1 - r);
        for (int c = r; c <= width - 1 - r; ++c) {
            shade(top, c, light);
            shade(bottom, c, dark);
        }
        for (int c = 0; c <= r && c < width; ++c) {
            shade(top, c, light);
            shade(top, width - 1 - c, dark);
            shade(bottom, c, light);
            shade(bottom, width - 1 - c, dark);
        }
    }
    if (height < 2 * kButtonizeBand + 3) return;
    for (int y = kButtonizeBand + 1; y <= height - kButtonizeBand - 2; ++y) {
        std::uint8_t* row = bitmap.rowUnchecked(y);
        for (int c = 0; c <= kButtonizeBand && c < width; ++c) {
            shade(row, c, light);
            shade(row, width - 1 - c, dark);
        }
    }
}

void circleButton(Bitmap& bitmap)
{
    if (bitmap.empty()) return;
    workOn24BitRows(bitmap, circleButtonRows);
}

} // namespace kel
