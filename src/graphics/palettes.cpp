#include "graphics/palettes.h"

#include <cstdlib>
#include <limits>
#include <new>

namespace kel {

const std::array<Colour, 20>& systemStaticColours()
{
    static const std::array<Colour, 20> colours = {
        rgb(0, 0, 0),       rgb(128, 0, 0),     rgb(0, 128, 0),     rgb(128, 128, 0),
        rgb(0, 0, 128),     rgb(128, 0, 128),   rgb(0, 128, 128),   rgb(192, 192, 192),
        rgb(192, 220, 192), rgb(166, 202, 240), rgb(255, 251, 240), rgb(160, 160, 164),
        rgb(128, 128, 128), rgb(255, 0, 0),     rgb(0, 255, 0),     rgb(255, 255, 0),
        rgb(0, 0, 255),     rgb(255, 0, 255),   rgb(0, 255, 255),   rgb(255, 255, 255),
    };
    return colours;
}

const Palette& monochromePalette()
{
    static const Palette palette = {clBlack, clWhite};
    return palette;
}

const Palette& vga16Palette()
{
    static const Palette palette = {
        rgb(0, 0, 0),     rgb(128, 0, 0),   rgb(0, 128, 0),   rgb(128, 128, 0),
        rgb(0, 0, 128),   rgb(128, 0, 128), rgb(0, 128, 128), rgb(192, 192, 192),
        rgb(128, 128, 128), rgb(255, 0, 0), rgb(0, 255, 0),   rgb(255, 255, 0),
        rgb(0, 0, 255),   rgb(255, 0, 255), rgb(0, 255, 255), rgb(255, 255, 255),
    };
    return palette;
}

const Palette& halftonePalette()
{
    static const Palette palette = [] {
        Palette p;
        p.reserve(256);
        const auto& statics = systemStaticColours();
        for (int i = 0; i < 10; ++i) p.push_back(statics[std::size_t(i)]);
        for (int b = 0; b < 6; ++b)
            for (int g = 0; g < 6; ++g)
                for (int r = 0; r < 6; ++r) p.push_back(rgb(r * 51, g * 51, b * 51));
        // Greys between the cube's levels: 20 steps that avoid multiples of 51.
        for (int i = 1; i <= 20; ++i) {
            const int v = i * 255 / 21;
            p.push_back(rgb(v, v, v));
        }
        for (int i = 10; i < 20; ++i) p.push_back(statics[std::size_t(i)]);
        return p;
    }();
    return palette;
}

namespace {
void* allocateCache()
{
    void* memory = std::calloc(std::size_t(1) << 24, sizeof(std::uint16_t));
    if (!memory) throw std::bad_alloc();
    return memory;
}
} // namespace

NearestColour::NearestColour(Palette palette)
    : palette_(std::move(palette)), cache_(nullptr, std::free)
{
}

NearestColour::~NearestColour() = default;

int NearestColour::index(Colour c)
{
    c &= 0xFFFFFF;
    if (!cache_) cache_.reset(static_cast<std::uint16_t*>(allocateCache()));
    std::uint16_t& slot = cache_.get()[c];
    if (slot == 0) slot = std::uint16_t(search(c) + 1);
    return slot - 1;
}

int NearestColour::search(Colour c) const
{
    int best = 0;
    int bestDistance = std::numeric_limits<int>::max();
    for (std::size_t i = 0; i < palette_.size(); ++i) {
        const int dr = redOf(c) - redOf(palette_[i]);
        const int dg = greenOf(c) - greenOf(palette_[i]);
        const int db = blueOf(c) - blueOf(palette_[i]);
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = int(i);
            if (distance == 0) break;
        }
    }
    return best;
}

} // namespace kel
