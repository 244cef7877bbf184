#pragma once
// Turns the raw frames a scanner delivers into one bitmap, trusting nothing
// in them: unknown line counts, padded or short rows, 1-, 8- and 16-bit
// samples, and colour delivered as one frame or as three.
#include "graphics/bitmap.h"

#include <cstdint>
#include <vector>

namespace kel {

enum class ScanFrameKind { Gray, Rgb, Red, Green, Blue };

struct ScanFrame {
    ScanFrameKind kind = ScanFrameKind::Gray;
    int depth = 8;          // bits per sample: 1, 8 or 16 (16-bit samples in the machine's byte order)
    int pixelsPerLine = 0;
    int bytesPerLine = 0;
    int lines = -1;         // -1 when the source did not know in advance
    std::vector<std::uint8_t> data;
};

// Lines the frame's data really holds: whole rows only, never more than announced.
int completeLines(const ScanFrame& frame);

// One frame of grey or interleaved colour, or three frames (red, green, blue
// in any order). 1-bit grey gives a black-and-white bitmap (a set bit is
// black), 8- and 16-bit grey an 8-bit grey bitmap, colour a 24-bit bitmap;
// 16-bit samples keep their high byte. Throws InvalidGraphic for frames that
// do not fit together or describe no picture, OutOfResources beyond the
// bitmap limits.
Bitmap assembleScan(const std::vector<ScanFrame>& frames);

} // namespace kel
