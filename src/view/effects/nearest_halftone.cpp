#include "view/effects/nearest_halftone.h"

#include "graphics/palettes.h"

#include <algorithm>
#include <limits>
#include <map>
#include <string>

namespace kel {

namespace {

// A box of colours, lowest and highest value per channel (red, green, blue), inclusive.
struct Box {
    int low[3], high[3];
};

// The smallest and the largest squared distance from a palette colour to any colour of the box.
int nearestDistance(const std::int32_t* colour, const Box& box)
{
    int sum = 0;
    for (int c = 0; c < 3; ++c) {
        const int d = colour[c] < box.low[c] ? box.low[c] - colour[c] : colour[c] > box.high[c] ? colour[c] - box.high[c] : 0;
        sum += d * d;
    }
    return sum;
}

int farthestDistance(const std::int32_t* colour, const Box& box)
{
    int sum = 0;
    for (int c = 0; c < 3; ++c) {
        const int d = std::max(std::abs(colour[c] - box.low[c]), std::abs(colour[c] - box.high[c]));
        sum += d * d;
    }
    return sum;
}

// The entries among `from` (in increasing order) that can be nearest, or tie
// for nearest, to some colour of the box: an entry whose nearest point is
// farther than some other entry's farthest point loses everywhere in it.
std::vector<std::uint8_t> candidates(const std::vector<std::int32_t>& colours, const std::vector<std::uint8_t>& from,
                                     const Box& box)
{
    int bound = std::numeric_limits<int>::max();
    for (const std::uint8_t i : from) bound = std::min(bound, farthestDistance(&colours[i * std::size_t(3)], box));
    std::vector<std::uint8_t> kept;
    for (const std::uint8_t i : from)
        if (nearestDistance(&colours[i * std::size_t(3)], box) <= bound) kept.push_back(i);
    return kept;
}

Box cube(int red, int green, int blue, int size)
{
    return {{red, green, blue}, {red + size - 1, green + size - 1, blue + size - 1}};
}

} // namespace

const HalftoneNearest& HalftoneNearest::instance()
{
    static const HalftoneNearest table;
    return table;
}

// Cells of 16 first, against the whole palette; then the cells of 4 inside
// each against their larger cell's candidates (an entry that loses
// everywhere in a box loses everywhere in any part of it). Equal lists are
// stored once.
HalftoneNearest::HalftoneNearest() : cells_(std::size_t(kCellsPerSide) * kCellsPerSide * kCellsPerSide)
{
    const Palette& palette = halftonePalette();
    std::vector<std::uint8_t> all;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        colours_.insert(colours_.end(), {redOf(palette[i]), greenOf(palette[i]), blueOf(palette[i])});
        all.push_back(std::uint8_t(i));
    }
    constexpr int kLarge = 16, kSmall = 1 << kCellShift;
    std::map<std::string, std::uint16_t> listed; // the lists stored so far, by their indices
    for (int r0 = 0; r0 < 256; r0 += kLarge)
        for (int g0 = 0; g0 < 256; g0 += kLarge)
            for (int b0 = 0; b0 < 256; b0 += kLarge) {
                const std::vector<std::uint8_t> large = candidates(colours_, all, cube(r0, g0, b0, kLarge));
                for (int r = r0; r < r0 + kLarge; r += kSmall)
                    for (int g = g0; g < g0 + kLarge; g += kSmall)
                        for (int b = b0; b < b0 + kLarge; b += kSmall) {
                            const std::vector<std::uint8_t> small = candidates(colours_, large, cube(r, g, b, kSmall));
                            std::uint16_t& cell = cells_[cellOf(r, g, b)];
                            if (small.size() == 1) {
                                cell = small[0];
                                continue;
                            }
                            const auto [where, added] = listed.try_emplace(std::string(small.begin(), small.end()), std::uint16_t(kListed + lists_.size()));
                            if (added) {
                                lists_.push_back(std::uint8_t(small.size()));
                                lists_.insert(lists_.end(), small.begin(), small.end());
                            }
                            cell = where->second;
                        }
            }
}

int HalftoneNearest::nearestListed(int at, int red, int green, int blue) const
{
    const std::uint8_t* list = lists_.data() + at;
    int best = 0, bestDistance = std::numeric_limits<int>::max();
    for (int k = 1; k <= list[0]; ++k) {
        const std::int32_t* colour = &colours_[list[k] * std::size_t(3)];
        const int dr = red - colour[0], dg = green - colour[1], db = blue - colour[2];
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = list[k];
        }
    }
    return best;
}

} // namespace kel
