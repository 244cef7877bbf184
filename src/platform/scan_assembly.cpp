#include "platform/scan_assembly.h"

#include "graphics/errors.h"

#include <QString>

#include <algorithm>
#include <array>
#include <cstring>

namespace kel {

namespace {

int channelsOf(const ScanFrame& frame) { return frame.kind == ScanFrameKind::Rgb ? 3 : 1; }

void checkFrame(const ScanFrame& frame)
{
    if (frame.depth != 1 && frame.depth != 8 && frame.depth != 16)
        throw InvalidGraphic(QStringLiteral("Profondeur de numérisation non prise en charge : %1 bits").arg(frame.depth));
    if (frame.pixelsPerLine <= 0 || frame.bytesPerLine <= 0)
        throw InvalidGraphic(QStringLiteral("La numérisation ne décrit aucune image"));
    const std::int64_t needed = (std::int64_t(frame.pixelsPerLine) * channelsOf(frame) * frame.depth + 7) / 8;
    if (frame.bytesPerLine < needed)
        throw InvalidGraphic(QStringLiteral("Les lignes de la numérisation sont trop courtes"));
}

// The 8-bit value of sample `index` of a row (samples counted across the interleaved channels).
std::uint8_t sampleAt(const std::uint8_t* row, int depth, std::int64_t index, bool setBitIsBlack)
{
    switch (depth) {
    case 1: {
        const bool set = (row[index >> 3] >> (7 - (index & 7))) & 1;
        return set != setBitIsBlack ? 255 : 0;
    }
    case 16: {
        std::uint16_t value;
        std::memcpy(&value, row + index * 2, 2);
        return std::uint8_t(value >> 8);
    }
    default: return row[index];
    }
}

Bitmap assembleGray(const ScanFrame& frame, int height)
{
    const int width = frame.pixelsPerLine;
    if (frame.depth == 1) {
        checkBitmapSize(width, height, pf1bit);
        Bitmap bitmap(width, height, pf1bit);
        const int rowBytes = (width + 7) / 8;
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* in = frame.data.data() + std::size_t(y) * std::size_t(frame.bytesPerLine);
            std::uint8_t* out = bitmap.rowUnchecked(y);
            // A set bit is black here and index 0 is black in the bitmap.
            for (int i = 0; i < rowBytes; ++i) out[i] = std::uint8_t(~in[i]);
            if (width % 8) out[rowBytes - 1] &= std::uint8_t(0xFF << (8 - width % 8));
        }
        return bitmap;
    }
    checkBitmapSize(width, height, pf8bit);
    Bitmap bitmap(width, height, pf8bit);
    Palette greys(256);
    for (int i = 0; i < 256; ++i) greys[std::size_t(i)] = rgb(i, i, i);
    bitmap.setPalette(std::move(greys));
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* in = frame.data.data() + std::size_t(y) * std::size_t(frame.bytesPerLine);
        std::uint8_t* out = bitmap.rowUnchecked(y);
        for (int x = 0; x < width; ++x) out[x] = sampleAt(in, frame.depth, x, true);
    }
    return bitmap;
}

} // namespace

int completeLines(const ScanFrame& frame)
{
    if (frame.bytesPerLine <= 0) return 0;
    const std::size_t whole = frame.data.size() / std::size_t(frame.bytesPerLine);
    const std::size_t limit = frame.lines >= 0 ? std::size_t(frame.lines) : whole;
    return int(std::min({whole, limit, std::size_t(kMaxBitmapSide) + 1}));
}

Bitmap assembleScan(const std::vector<ScanFrame>& frames)
{
    for (const ScanFrame& frame : frames) checkFrame(frame);

    // The frame giving each of blue, green and red (bytes in that order in the bitmap).
    std::array<const ScanFrame*, 3> bands{};
    std::array<int, 3> offsets{};
    int stride = 1;
    if (frames.size() == 1 && frames[0].kind == ScanFrameKind::Gray) {
        const int height = completeLines(frames[0]);
        if (height <= 0) throw InvalidGraphic(QStringLiteral("La numérisation n' a livré aucune ligne"));
        return assembleGray(frames[0], height);
    }
    if (frames.size() == 1 && frames[0].kind == ScanFrameKind::Rgb) {
        bands = {&frames[0], &frames[0], &frames[0]};
        offsets = {2, 1, 0};
        stride = 3;
    } else if (frames.size() == 3) {
        for (const ScanFrame& frame : frames) {
            const int band = frame.kind == ScanFrameKind::Blue ? 0 : frame.kind == ScanFrameKind::Green ? 1
                             : frame.kind == ScanFrameKind::Red ? 2 : -1;
            if (band < 0 || bands[std::size_t(band)])
                throw InvalidGraphic(QStringLiteral("Les trois passes de la numérisation ne concordent pas"));
            bands[std::size_t(band)] = &frame;
        }
        for (const ScanFrame* band : bands) {
            if (band->pixelsPerLine != frames[0].pixelsPerLine || band->depth != frames[0].depth)
                throw InvalidGraphic(QStringLiteral("Les trois passes de la numérisation ne concordent pas"));
        }
    } else {
        throw InvalidGraphic(QStringLiteral("La numérisation ne décrit aucune image"));
    }

    const int width = frames[0].pixelsPerLine;
    int height = kMaxBitmapSide + 1;
    for (const ScanFrame* band : bands) height = std::min(height, completeLines(*band));
    if (height <= 0) throw InvalidGraphic(QStringLiteral("La numérisation n' a livré aucune ligne"));
    checkBitmapSize(width, height, pf24bit);
    Bitmap bitmap(width, height, pf24bit);
    for (int y = 0; y < height; ++y) {
        std::uint8_t* out = bitmap.rowUnchecked(y);
        for (std::size_t c = 0; c < 3; ++c) {
            const ScanFrame& band = *bands[c];
            const std::uint8_t* in = band.data.data() + std::size_t(y) * std::size_t(band.bytesPerLine);
            for (int x = 0; x < width; ++x)
                out[std::size_t(x) * 3 + c] = sampleAt(in, band.depth, std::int64_t(x) * stride + offsets[c], false);
        }
    }
    return bitmap;
}

} // namespace kel
