#include "app/document/colour_count.h"

#include "graphics/pixel_rows.h"

#include <bit>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

namespace kel {

namespace {

// One bit for each of the 2^24 colours, 2 MB, kept by each thread that counts:
// a fresh block would cost its page faults at every count. One flat set beats
// a set per (red, green) pair: a pixel then costs one read-modify-write of a
// word and no lookup.
class ColourBits {
public:
    ColourBits()
    {
        if (!bits_) bits_.reset(new std::uint64_t[kWords]);
        std::memset(bits_.get(), 0, kWords * sizeof(std::uint64_t));
    }

    void add(std::uint32_t rgb) { bits_[rgb >> 6] |= std::uint64_t(1) << (rgb & 63); }

    int count() const
    {
        int total = 0;
        for (std::size_t i = 0; i < kWords; ++i) total += std::popcount(bits_[i]);
        return total;
    }

private:
    static constexpr std::size_t kWords = (std::size_t(1) << 24) / 64;
    static thread_local std::unique_ptr<std::uint64_t[]> bits_;
};

thread_local std::unique_ptr<std::uint64_t[]> ColourBits::bits_;

} // namespace

int CountColors(const Bitmap& bitmap)
{
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (width <= 0 || height <= 0) return 0;

    ColourBits colours;
    if (bitmap.pixelFormat() == pf24bit) {
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* p = bitmap.rowUnchecked(y);
            for (int x = 0; x < width; ++x, p += 3)
                colours.add(std::uint32_t(p[2]) << 16 | std::uint32_t(p[1]) << 8 | p[0]);
        }
    } else {
        // Other formats are read through their own row layout, one row at a time.
        std::vector<Colour> row(std::size_t(width), 0);
        for (int y = 0; y < height; ++y) {
            readRow(bitmap, y, row.data());
            for (Colour c : row)
                colours.add(std::uint32_t(redOf(c)) << 16 | std::uint32_t(greenOf(c)) << 8 | std::uint32_t(blueOf(c)));
        }
    }
    return colours.count();
}

} // namespace kel
