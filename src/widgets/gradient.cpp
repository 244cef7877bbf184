#include "widgets/gradient.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace kel {

std::vector<GradientBand> gradientBands(Colour from, Colour to, int length)
{
    std::vector<GradientBand> bands;
    if (length <= 0) return bands;
    // Components in hundredths, so that the per-band step keeps two decimals.
    const std::array<int, 3> start{100 * redOf(from), 100 * greenOf(from), 100 * blueOf(from)};
    const std::array<int, 3> diff{100 * (redOf(to) - redOf(from)), 100 * (greenOf(to) - greenOf(from)),
                                  100 * (blueOf(to) - blueOf(from))};
    const int largest = std::max({std::abs(diff[0]), std::abs(diff[1]), std::abs(diff[2])});
    if (largest == 0) return bands;

    const int band = largest < 100 * length ? ((largest / 100) + length - 1) * 100 / largest : 1;
    const int count = length / band;
    for (int h = 0; h <= count; ++h) {
        const int offset = h * band;
        const int size = std::min(band, length - offset);
        if (size <= 0) break;
        auto component = [&](int i) { return start[std::size_t(i)] / 100 + ((diff[std::size_t(i)] / count) * h) / 100; };
        bands.push_back({offset, size, rgb(component(0), component(1), component(2))});
    }
    return bands;
}

} // namespace kel
