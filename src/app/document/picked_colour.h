#pragma once
// The picked colour (ValeurROUGE, ValeurVERT, ValeurBLEU): the one colour the
// frame, text, fill and incline pages share. The palette and the colour
// dialog set it; publishing shows it on the pages' edits and swatches.
#include "graphics/colour.h"

#include <functional>

namespace kel {

struct PickedColour {
    int red = 0;
    int green = 0;
    int blue = 0;
    // Writes the colour into the pages' edits and swatches, in their order.
    std::function<void(const PickedColour&)> publish;

    Colour value() const { return rgb(red, green, blue); }
    void set(Colour colour)
    {
        red = redOf(colour);
        green = greenOf(colour);
        blue = blueOf(colour);
    }
};

} // namespace kel
