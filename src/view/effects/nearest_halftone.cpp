#include "view/effects/nearest_halftone.h"

#include "graphics/palettes.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <string>
#if defined(__GNUC__) && defined(__x86_64__)
#include <immintrin.h>
#endif

namespace kel {

namespace {

// Inclusive ranges of channel values, red, green, blue.
struct Box {
    std::array<int, 3> low, high;
};

// Whether entry e (index ie) can be the nearer of e and f (index jf) for some
// colour of the box (ties going to the lower index): d(p, e) - d(p, f) is linear in p, so its least value is
// at a corner; ties go to the lower index.
bool canBeat(const std::int32_t* e, int ie, const std::int32_t* f, int jf, const Box& box)
{
    long least = 0;
    for (int c = 0; c < 3; ++c) {
        // (p - e)^2 - (p - f)^2 = 2 p (f - e) + e^2 - f^2
        const long slope = 2L * (f[c] - e[c]);
        least += std::min(slope * box.low[c], slope * box.high[c]) + long(e[c]) * e[c] - long(f[c]) * f[c];
    }
    return least < 0 || (least == 0 && ie < jf);
}

} // namespace

const HalftoneNearest& HalftoneNearest::instance()
{
    static const HalftoneNearest table;
    return table;
}

// The greys outside the cube: the nearest for each sum of the channels (the
// distance to grey v is r^2 + g^2 + b^2 - 2 v (r + g + b) + 3 v^2, so only
// 3 v^2 - 2 v s varies; the lower index on ties). The other entries outside
// the cube are static colours. Each cell is cut where a channel's nearest
// cube level changes, so every part has one nearest cube entry; a static
// colour is listed when in some part neither that entry nor any grey beats it
// everywhere. Equal lists are stored once.
HalftoneNearest::HalftoneNearest()
    : greys_(3 * 255 + 2), cells_(std::size_t(kCellsPerSide) * kCellsPerSide * kCellsPerSide + 1), lists_{0}
{
    const Palette& palette = halftonePalette();
    for (const Colour c : palette) colours_.insert(colours_.end(), {redOf(c), greenOf(c), blueOf(c)});
    const std::int32_t* const colours = colours_.data();
    std::vector<int> greys, statics;
    for (int i = 0; i < int(palette.size()); ++i) {
        if (i >= kCubeFirst && i < kCubeFirst + kCubeEntries) continue;
        const bool grey = colours[i * 3] == colours[i * 3 + 1] && colours[i * 3] == colours[i * 3 + 2];
        (grey ? greys : statics).push_back(i);
    }
    for (int sum = 0; sum <= 3 * 255; ++sum) {
        int best = greys.front();
        for (const int i : greys) {
            const int v = colours[i * 3], w = colours[best * 3];
            if (3 * v * v - 2 * v * sum < 3 * w * w - 2 * w * sum) best = i;
        }
        greys_[std::size_t(sum)] = {std::uint8_t(best), std::uint8_t(colours[best * 3])};
    }
    constexpr int kSide = 1 << kCellShift;
    std::map<std::string, std::uint16_t> stored; // the lists so far, by their indices
    for (int r = 0; r < 256; r += kSide)
        for (int g = 0; g < 256; g += kSide)
            for (int b = 0; b < 256; b += kSide) {
                // Per channel, the cell's ranges of one cube level each (one or two).
                std::array<std::vector<std::array<int, 2>>, 3> ranges;
                const int first[3] = {r, g, b};
                for (int c = 0; c < 3; ++c) {
                    const int low = first[c], high = first[c] + kSide - 1;
                    int split = low;
                    while (split <= high && level(split) == level(low)) ++split;
                    ranges[std::size_t(c)].push_back({low, split - 1});
                    if (split <= high) ranges[std::size_t(c)].push_back({split, high});
                }
                std::string list;
                for (const int e : statics) {
                    bool listed = false;
                    for (const auto& rr : ranges[0])
                        for (const auto& gr : ranges[1])
                            for (const auto& br : ranges[2]) {
                                const Box part{{rr[0], gr[0], br[0]}, {rr[1], gr[1], br[1]}};
                                const int cube = kCubeFirst + level(rr[0]) + 6 * level(gr[0]) + 36 * level(br[0]);
                                bool beaten = !canBeat(colours + e * 3, e, colours + cube * 3, cube, part);
                                for (auto grey = greys.begin(); grey != greys.end() && !beaten; ++grey)
                                    beaten = !canBeat(colours + e * 3, e, colours + *grey * 3, *grey, part);
                                listed = listed || !beaten;
                            }
                    if (listed) list.push_back(char(e));
                }
                if (list.empty()) continue;
                const auto [where, added] = stored.try_emplace(list, std::uint16_t(lists_.size()));
                if (added) {
                    lists_.push_back(std::uint8_t(list.size()));
                    lists_.insert(lists_.end(), list.begin(), list.end());
                }
                cells_[cellOf(r, g, b)] = where->second;
            }
}

int HalftoneNearest::nearestWithStatics(int list, int best, int bestDistance, int red, int green, int blue) const
{
    const std::uint8_t* entries = lists_.data() + list;
    for (int k = 1; k <= entries[0]; ++k) {
        const std::int32_t* colour = &colours_[std::size_t(entries[k]) * 3];
        const int d = square(red - colour[0]) + square(green - colour[1]) + square(blue - colour[2]);
        if (d < bestDistance || (d == bestDistance && entries[k] < best)) {
            bestDistance = d;
            best = entries[k];
        }
    }
    return best;
}

void HalftoneNearest::indexRow(const std::uint8_t* bgr, int width, std::uint8_t* indices, bool vectors) const
{
    int x = 0;
#if defined(__GNUC__) && defined(__x86_64__)
    static const bool avx2 = __builtin_cpu_supports("avx2");
    if (vectors && avx2) x = vectorIndexRow(bgr, width, indices);
#endif
    for (; x < width; ++x) indices[x] = std::uint8_t(index(bgr[3 * x + 2], bgr[3 * x + 1], bgr[3 * x]));
}

#if defined(__GNUC__) && defined(__x86_64__)
namespace {

// Products of lanes from 0 to 65535 whose product stays below 65536: the
// 16-bit multiply leaves the upper half of each 32-bit lane 0.
__attribute__((target("avx2"))) inline __m256i smallProducts(__m256i a, __m256i b) { return _mm256_mullo_epi16(a, b); }

__attribute__((target("avx2"))) inline __m256i levels(__m256i v)
{
    return _mm256_srli_epi32(smallProducts(_mm256_add_epi32(v, _mm256_set1_epi32(25)), _mm256_set1_epi32(161)), 13);
}

// Differences lie in -255..255, so their squares stay below 65536.
__attribute__((target("avx2"))) inline __m256i squares(__m256i v)
{
    const __m256i size = _mm256_abs_epi32(v);
    return smallProducts(size, size);
}

} // namespace

// The same arithmetic as index() in eight lanes; lanes whose cell lists static
// colours are redone one by one.
__attribute__((target("avx2"))) int HalftoneNearest::vectorIndexRow(const std::uint8_t* bgr, int width,
                                                                    std::uint8_t* indices) const
{
    const __m128i split = _mm_setr_epi8(0, 3, 6, 9, 1, 4, 7, 10, 2, 5, 8, 11, -1, -1, -1, -1);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7);
    const __m256i bytes = _mm256_set1_epi32(0xFF), halves = _mm256_set1_epi32(0xFFFF);
    const __m256i fiftyOne = _mm256_set1_epi32(51);
    int x = 0;
    // Each step reads 28 bytes from the eighth-last pixel of the step on.
    for (; x + 10 <= width; x += 8) {
        const std::uint8_t* p = bgr + 3 * x;
        const __m128i first = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), split);
        const __m128i second = _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 12)), split);
        const __m256i grouped = _mm256_permutevar8x32_epi32(_mm256_set_m128i(second, first), order);
        const __m128i blues = _mm256_castsi256_si128(grouped);
        const __m256i blue = _mm256_cvtepu8_epi32(blues);
        const __m256i green = _mm256_cvtepu8_epi32(_mm_srli_si128(blues, 8));
        const __m256i red = _mm256_cvtepu8_epi32(_mm256_extracti128_si256(grouped, 1));

        const __m256i r = levels(red), g = levels(green), b = levels(blue);
        const __m256i cube = _mm256_add_epi32(
            _mm256_add_epi32(_mm256_set1_epi32(kCubeFirst), r),
            _mm256_add_epi32(smallProducts(g, _mm256_set1_epi32(6)), smallProducts(b, _mm256_set1_epi32(36))));
        const __m256i cubeDistance = _mm256_add_epi32(
            _mm256_add_epi32(squares(_mm256_sub_epi32(red, smallProducts(r, fiftyOne))),
                             squares(_mm256_sub_epi32(green, smallProducts(g, fiftyOne)))),
            squares(_mm256_sub_epi32(blue, smallProducts(b, fiftyOne))));

        const __m256i sum = _mm256_add_epi32(_mm256_add_epi32(red, green), blue);
        const __m256i step = _mm256_i32gather_epi32(reinterpret_cast<const int*>(greys_.data()), sum, 2);
        const __m256i greyIndex = _mm256_and_si256(step, bytes);
        const __m256i grey = _mm256_and_si256(_mm256_srli_epi32(step, 8), bytes);
        const __m256i greyDistance = _mm256_add_epi32(
            _mm256_add_epi32(squares(_mm256_sub_epi32(red, grey)), squares(_mm256_sub_epi32(green, grey))),
            squares(_mm256_sub_epi32(blue, grey)));
        const __m256i greyWins = _mm256_or_si256(
            _mm256_cmpgt_epi32(cubeDistance, greyDistance),
            _mm256_and_si256(_mm256_cmpeq_epi32(cubeDistance, greyDistance), _mm256_cmpgt_epi32(cube, greyIndex)));
        const __m256i best = _mm256_blendv_epi8(cube, greyIndex, greyWins);

        const __m256i cell = _mm256_or_si256(
            _mm256_or_si256(_mm256_slli_epi32(_mm256_srli_epi32(red, kCellShift), 2 * (8 - kCellShift)),
                            _mm256_slli_epi32(_mm256_srli_epi32(green, kCellShift), 8 - kCellShift)),
            _mm256_srli_epi32(blue, kCellShift));
        const __m256i lists =
            _mm256_and_si256(_mm256_i32gather_epi32(reinterpret_cast<const int*>(cells_.data()), cell, 2), halves);

        const __m256i packed = _mm256_packus_epi32(best, best);
        const __m256i packed8 = _mm256_packus_epi16(packed, packed);
        const __m256i ordered = _mm256_permutevar8x32_epi32(packed8, order);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(indices + x), _mm256_castsi256_si128(ordered));
        int listed = ~_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(lists, _mm256_setzero_si256()))) & 0xFF;
        if (!listed) continue;
        alignas(32) std::int32_t bests[8], bestDistances[8], starts[8];
        _mm256_store_si256(reinterpret_cast<__m256i*>(bests), best);
        _mm256_store_si256(reinterpret_cast<__m256i*>(bestDistances), _mm256_min_epi32(cubeDistance, greyDistance));
        _mm256_store_si256(reinterpret_cast<__m256i*>(starts), lists);
        for (; listed; listed &= listed - 1) {
            const int lane = __builtin_ctz(unsigned(listed));
            indices[x + lane] = std::uint8_t(nearestWithStatics(starts[lane], bests[lane], bestDistances[lane],
                                                                p[3 * lane + 2], p[3 * lane + 1], p[3 * lane]));
        }
    }
    return x;
}
#endif

} // namespace kel
