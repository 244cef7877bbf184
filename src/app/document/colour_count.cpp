#include "app/document/colour_count.h"

#include "graphics/pixel_rows.h"

#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <vector>

namespace kel {

namespace {

// One set of 256 bits (one per blue value) for each (red, green) pair that
// occurs. The index holds, per pair, 1 + the position of its set, or 0. The
// sets are taken in order from a block reserved for the largest possible
// number; only the sets actually taken are written, so only their memory is
// committed.
class ColourSets {
public:
    ColourSets() : index_(new std::uint32_t[kPairs]()), sets_(new BlueSet[kPairs]) {}

    void add(int red, int green, int blue)
    {
        std::uint32_t& slot = index_[std::size_t(red) << 8 | std::size_t(green)];
        if (slot == 0) {
            sets_[used_] = BlueSet{};
            slot = ++used_;
        }
        sets_[slot - 1][std::size_t(blue) >> 6] |= std::uint64_t(1) << (blue & 63);
    }

    int count() const
    {
        int total = 0;
        for (std::uint32_t i = 0; i < used_; ++i)
            for (std::uint64_t word : sets_[i]) total += std::popcount(word);
        return total;
    }

private:
    static constexpr std::size_t kPairs = 65536;
    using BlueSet = std::array<std::uint64_t, 4>;

    std::unique_ptr<std::uint32_t[]> index_;
    std::unique_ptr<BlueSet[]> sets_;
    std::uint32_t used_ = 0;
};

} // namespace

int CountColors(const Bitmap& bitmap)
{
    const int width = bitmap.width();
    const int height = bitmap.height();
    if (width <= 0 || height <= 0) return 0;

    ColourSets sets;
    if (bitmap.pixelFormat() == pf24bit) {
        for (int y = 0; y < height; ++y) {
            const std::uint8_t* p = bitmap.rowUnchecked(y);
            for (int x = 0; x < width; ++x, p += 3) sets.add(p[2], p[1], p[0]);
        }
    } else {
        // Other formats are read through their own row layout, one row at a time.
        std::vector<Colour> row(std::size_t(width), 0);
        for (int y = 0; y < height; ++y) {
            readRow(bitmap, y, row.data());
            for (Colour c : row) sets.add(redOf(c), greenOf(c), blueOf(c));
        }
    }
    return sets.count();
}

} // namespace kel
