#pragma once
// The banded gradient of the gradient panel: each band steps each colour
// component by about one unit and is at least one pixel long.
#include "graphics/colour.h"

#include <vector>

namespace kel {

struct GradientBand {
    int start = 0;  // offset along the gradient
    int length = 0; // pixels
    Colour colour = 0;
};

// The bands of a gradient from `from` to `to` over `length` pixels; none
// when both give the same red, green and blue or the length is not positive.
std::vector<GradientBand> gradientBands(Colour from, Colour to, int length);

} // namespace kel
