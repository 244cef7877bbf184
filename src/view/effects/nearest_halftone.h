#pragma once
// Nearest entry of the 256-colour halftone palette for any colour, without
// scanning the palette: the colour cube is cut into cells of 4 x 4 x 4 and
// each cell keeps the few entries that can be nearest to one of its colours.
// The answer is the palette search's own: smallest squared distance in red,
// green and blue, the lowest index on ties.
#include <cstdint>
#include <vector>

namespace kel {

class HalftoneNearest {
public:
    // The one table, built on first use.
    static const HalftoneNearest& instance();

    int index(int red, int green, int blue) const
    {
        const std::uint16_t entry = cells_[cellOf(red, green, blue)];
        if (entry < kListed) return entry;
        return nearestListed(entry - kListed, red, green, blue);
    }

    // Three bytes stored blue, green, red.
    int indexOfBgr(const std::uint8_t* bgr) const { return index(bgr[2], bgr[1], bgr[0]); }

private:
    static constexpr int kCellShift = 2;
    static constexpr int kCellsPerSide = 256 >> kCellShift;
    // Cells answer an index below 256 directly, or 256 + where their list starts.
    static constexpr std::uint16_t kListed = 256;

    HalftoneNearest();
    static std::size_t cellOf(int red, int green, int blue)
    {
        return (std::size_t(red >> kCellShift) * kCellsPerSide + std::size_t(green >> kCellShift)) * kCellsPerSide
               + std::size_t(blue >> kCellShift);
    }
    int nearestListed(int at, int red, int green, int blue) const;

    std::vector<std::uint16_t> cells_;
    std::vector<std::uint8_t> lists_;  // per list: the count, then the indices in increasing order
    std::vector<std::int32_t> colours_; // the palette as red, green, blue triples
};

} // namespace kel
