#include "codecs/colour_quantiser.h"

#include "graphics/pixel_rows.h"

#include <algorithm>
#include <array>

namespace kel::codecs {

namespace {

struct Entry {
    Colour colour;
    std::uint32_t count;
};

int component(Colour c, int channel) { return int((c >> (8 * channel)) & 0xFF); }

struct Box {
    std::size_t begin, end; // entries [begin, end)
    std::uint64_t pixels = 0;
    int low[3] = {255, 255, 255};
    int high[3] = {0, 0, 0};

    int longestChannel() const
    {
        int best = 0;
        for (int c = 1; c < 3; ++c)
            if (high[c] - low[c] > high[best] - low[best]) best = c;
        return best;
    }
    int range() const { return high[longestChannel()] - low[longestChannel()]; }
};

Box makeBox(const std::vector<Entry>& entries, std::size_t begin, std::size_t end)
{
    Box box{begin, end};
    for (std::size_t i = begin; i < end; ++i) {
        box.pixels += entries[i].count;
        for (int c = 0; c < 3; ++c) {
            box.low[c] = std::min(box.low[c], component(entries[i].colour, c));
            box.high[c] = std::max(box.high[c], component(entries[i].colour, c));
        }
    }
    return box;
}

} // namespace

Palette medianCutColours(const Bitmap& bitmap, int count, const Palette& fixed)
{
    // Every pixel's colour, sorted, gives the distinct colours with their weights.
    std::vector<Colour> all;
    all.reserve(std::size_t(bitmap.width()) * std::size_t(bitmap.height()));
    std::vector<Colour> row(std::size_t(bitmap.width()));
    for (int y = 0; y < bitmap.height(); ++y) {
        readRow(bitmap, y, row.data());
        for (Colour c : row) all.push_back(c & 0xFFFFFF);
    }
    std::sort(all.begin(), all.end());
    std::vector<Entry> entries;
    for (std::size_t i = 0; i < all.size();) {
        std::size_t j = i;
        while (j < all.size() && all[j] == all[i]) ++j;
        if (std::find(fixed.begin(), fixed.end(), all[i]) == fixed.end())
            entries.push_back({all[i], std::uint32_t(j - i)});
        i = j;
    }
    all.clear();
    all.shrink_to_fit();

    Palette result;
    if (count <= 0 || entries.empty()) return result;
    if (entries.size() <= std::size_t(count)) {
        for (const Entry& e : entries) result.push_back(e.colour);
        return result;
    }

    // Split the box with the most pixels times the widest spread along its
    // widest channel, at the pixel-weighted median, until there are `count`.
    std::vector<Box> boxes{makeBox(entries, 0, entries.size())};
    while (int(boxes.size()) < count) {
        std::size_t pick = boxes.size();
        double bestScore = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].end - boxes[i].begin < 2) continue;
            const double score = double(boxes[i].pixels) * double(boxes[i].range() + 1);
            if (pick == boxes.size() || score > bestScore) {
                pick = i;
                bestScore = score;
            }
        }
        if (pick == boxes.size()) break; // every box holds a single colour
        const Box box = boxes[pick];
        const int channel = box.longestChannel();
        std::sort(entries.begin() + std::ptrdiff_t(box.begin), entries.begin() + std::ptrdiff_t(box.end),
                  [channel](const Entry& a, const Entry& b) {
                      const int ca = component(a.colour, channel), cb = component(b.colour, channel);
                      return ca != cb ? ca < cb : a.colour < b.colour;
                  });
        std::uint64_t seen = 0;
        std::size_t split = box.begin + 1;
        for (std::size_t i = box.begin; i < box.end - 1; ++i) {
            seen += entries[i].count;
            split = i + 1;
            if (2 * seen >= box.pixels) break;
        }
        boxes[pick] = makeBox(entries, box.begin, split);
        boxes.push_back(makeBox(entries, split, box.end));
    }
    for (const Box& box : boxes) {
        std::uint64_t sum[3] = {0, 0, 0};
        for (std::size_t i = box.begin; i < box.end; ++i)
            for (int c = 0; c < 3; ++c) sum[c] += std::uint64_t(component(entries[i].colour, c)) * entries[i].count;
        const std::uint64_t n = box.pixels;
        result.push_back(rgb(int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n)));
    }
    return result;
}

Palette gifPalette(const Bitmap& bitmap)
{
    const auto& statics = systemStaticColours();
    const Palette fixed(statics.begin(), statics.end());
    Palette chosen = medianCutColours(bitmap, 236, fixed);
    chosen.resize(236, clBlack);
    Palette palette;
    palette.reserve(256);
    palette.insert(palette.end(), statics.begin(), statics.begin() + 10);
    palette.insert(palette.end(), chosen.begin(), chosen.end());
    palette.insert(palette.end(), statics.begin() + 10, statics.end());
    return palette;
}

std::vector<std::uint8_t> ditherFloydSteinberg(const Bitmap& bitmap, const Palette& palette)
{
    const int w = bitmap.width(), h = bitmap.height();
    std::vector<std::uint8_t> indexes(std::size_t(w) * std::size_t(h));
    NearestColour nearest(palette);
    // Errors in sixteenths, per channel, for this row and the next, with a
    // spare column on each side.
    std::vector<int> current(std::size_t(w + 2) * 3, 0), next(std::size_t(w + 2) * 3, 0);
    std::vector<Colour> row(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
        readRow(bitmap, y, row.data());
        std::fill(next.begin(), next.end(), 0);
        for (int x = 0; x < w; ++x) {
            int wanted[3];
            for (int c = 0; c < 3; ++c) {
                const int error = current[std::size_t(x + 1) * 3 + std::size_t(c)];
                // Round the sixteenths to the nearest whole value, halves away from zero.
                const int adjust = error >= 0 ? (error + 8) / 16 : -((-error + 8) / 16);
                wanted[c] = std::clamp(component(row[std::size_t(x)], c) + adjust, 0, 255);
            }
            const int index = nearest.index(rgb(wanted[0], wanted[1], wanted[2]));
            indexes[std::size_t(y) * std::size_t(w) + std::size_t(x)] = std::uint8_t(index);
            const Colour got = palette[std::size_t(index)];
            for (int c = 0; c < 3; ++c) {
                const int e = wanted[c] - component(got, c);
                if (!e) continue;
                current[std::size_t(x + 2) * 3 + std::size_t(c)] += 7 * e;
                next[std::size_t(x) * 3 + std::size_t(c)] += 3 * e;
                next[std::size_t(x + 1) * 3 + std::size_t(c)] += 5 * e;
                next[std::size_t(x + 2) * 3 + std::size_t(c)] += 1 * e;
            }
        }
        std::swap(current, next);
    }
    return indexes;
}

} // namespace kel::codecs
