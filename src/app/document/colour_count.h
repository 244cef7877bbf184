#pragma once
// The number of distinct colours of a picture, for the status line.
#include "graphics/bitmap.h"

#include <cstdint>
#include <memory>

namespace kel {

// Counts the distinct colours of a bitmap of any pixel format, reading only
// its own rows. A bitmap of zero width or height gives 0.
int CountColors(const Bitmap& bitmap);

// The distinct colours of the rows added so far: one bit for each of the 2^24
// colours, so that a pixel costs one read-modify-write of a word and no
// lookup. The 2 MB set is taken from, and given back to, a small pool: a
// fresh block would cost its page faults at every count.
class ColourTally {
public:
    ColourTally();
    ~ColourTally();
    ColourTally(const ColourTally&) = delete;
    ColourTally& operator=(const ColourTally&) = delete;

    void addBgrRow(const std::uint8_t* row, int width)
    {
        for (int x = 0; x < width; ++x, row += 3) add(std::uint32_t(row[2]) << 16 | std::uint32_t(row[1]) << 8 | row[0]);
    }
    void add(std::uint32_t rgb) { bits_[rgb >> 6] |= std::uint64_t(1) << (rgb & 63); }
    int count() const;

private:
    std::unique_ptr<std::uint64_t[]> bits_;
};

} // namespace kel
