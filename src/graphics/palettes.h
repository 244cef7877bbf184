#pragma once
// The fixed palettes of the indexed pixel formats and nearest-colour lookup.
#include "graphics/colour.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

namespace kel {

using Palette = std::vector<Colour>;

// The 20 static colours of the system palette: 10 first, then 10 last.
const std::array<Colour, 20>& systemStaticColours();
// Black and white, for 1-bit bitmaps.
const Palette& monochromePalette();
// The 16-colour system palette of 4-bit bitmaps.
const Palette& vga16Palette();
// The fixed 256-colour halftone palette of 8-bit bitmaps: the 10 first static
// colours, a 6 x 6 x 6 colour cube, a ramp of 20 greys, the 10 last static colours.
const Palette& halftonePalette();

// Maps colours to the index of the nearest palette entry (smallest squared
// distance in red, green, blue; the lowest index wins ties). Remembers every
// answer, so mapping a whole picture costs one search per distinct colour.
class NearestColour {
public:
    explicit NearestColour(Palette palette);
    ~NearestColour();
    NearestColour(const NearestColour&) = delete;
    NearestColour& operator=(const NearestColour&) = delete;

    int index(Colour c);
    Colour colour(Colour c) { return palette_[std::size_t(index(c))]; }
    const Palette& palette() const { return palette_; }

private:
    int search(Colour c) const;

    Palette palette_;
    std::unique_ptr<std::uint16_t, void (*)(void*)> cache_; // index + 1, 0 = not yet known
};

} // namespace kel
