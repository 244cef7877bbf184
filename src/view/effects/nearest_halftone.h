#pragma once
// Nearest entry of the 256-colour halftone palette for any colour, without
// scanning the palette. The palette's 6 x 6 x 6 cube has its nearest entry
// channel by channel (levels 51 apart); the nearest of its other greys (the
// ramp of 20 and four static colours) depends only on red + green + blue; the
// 16 other static colours can only win in small parts of the colour space, so
// the space is cut into cells of 8 x 8 x 8 and each cell keeps the few static
// colours that can win somewhere inside it.
// The answer is the palette search's own: smallest squared distance in red,
// green and blue, the lowest index on ties.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace kel {

class HalftoneNearest {
public:
    // The one table, built on first use.
    static const HalftoneNearest& instance();

    int index(int red, int green, int blue) const
    {
        const int r = level(red), g = level(green), b = level(blue);
        const int cube = kCubeFirst + r + 6 * g + 36 * b;
        const int cubeDistance = square(red - 51 * r) + square(green - 51 * g) + square(blue - 51 * b);
        const GreyStep grey = greys_[std::size_t(red + green + blue)];
        const int greyDistance = square(red - grey.value) + square(green - grey.value) + square(blue - grey.value);
        const bool greyWins = greyDistance < cubeDistance || (greyDistance == cubeDistance && grey.index < cube);
        const int best = greyWins ? grey.index : cube, bestDistance = greyWins ? greyDistance : cubeDistance;
        const std::uint16_t list = cells_[cellOf(red, green, blue)];
        return list == 0 ? best : nearestWithStatics(list, best, bestDistance, red, green, blue);
    }

    // A row of pixels stored blue, green, red, several at a time with vector
    // instructions when asked (and the processor has them); the same indices either way.
    void indexRow(const std::uint8_t* bgr, int width, std::uint8_t* indices, bool vectors = true) const;

private:
    static constexpr int kCubeFirst = 10; // the cube's entries follow the first ten static colours
    static constexpr int kCubeEntries = 216;

    struct GreyStep {
        std::uint8_t index, value;
    };
    static constexpr int kCellShift = 3;
    static constexpr int kCellsPerSide = 256 >> kCellShift;

    HalftoneNearest();
    // The cube level nearest to a channel value: levels are 51 apart, so no
    // value lies halfway. (t * 161) >> 13 is t div 51 for t up to 280.
    static int level(int value) { return ((value + 25) * 161) >> 13; }
    static int square(int v) { return v * v; }
    static std::size_t cellOf(int red, int green, int blue)
    {
        return (std::size_t(red >> kCellShift) * kCellsPerSide + std::size_t(green >> kCellShift)) * kCellsPerSide
               + std::size_t(blue >> kCellShift);
    }
    int nearestWithStatics(int list, int best, int bestDistance, int red, int green, int blue) const;
    // The row's first pixels eight at a time; answers how many were done.
    int vectorIndexRow(const std::uint8_t* bgr, int width, std::uint8_t* indices) const;

    // Both tables end with a spare entry, so vector loads of four bytes at any entry stay inside.
    std::vector<GreyStep> greys_;      // per red + green + blue, the nearest grey outside the cube
    std::vector<std::uint16_t> cells_; // where the cell's list starts, 0 for none
    std::vector<std::uint8_t> lists_;  // per list: the count, then the static colours' indices
    std::vector<std::int32_t> colours_; // the palette as red, green, blue triples
};

} // namespace kel
