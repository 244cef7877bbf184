#include "view/effects/noise.h"

#include "graphics/pixel_rows.h"
#include "graphics/random.h"

#include <algorithm>

namespace kel {

namespace {

// A layer that adds nothing, for an amplitude of 0 or less.
Bitmap silentLayer(Bitmap layer)
{
    fillRows(layer, 0, layer.height(), clBlack);
    return layer;
}

std::uint8_t noiseValue(RandomGenerator& random, int amplitude)
{
    return std::uint8_t(std::clamp(random.random(amplitude) - amplitude / 2, 0, 255));
}

} // namespace

Bitmap colourNoise(int width, int height, int amplitude)
{
    Bitmap layer(width, height, pf24bit);
    if (amplitude <= 0) return silentLayer(std::move(layer));
    RandomGenerator& random = programRandom();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = layer.rowUnchecked(y);
        for (int x = 0; x < width; ++x, p += 3) {
            p[2] = noiseValue(random, amplitude);
            p[1] = noiseValue(random, amplitude);
            p[0] = noiseValue(random, amplitude);
        }
    }
    return layer;
}

Bitmap monoNoise(int width, int height, int amplitude)
{
    Bitmap layer(width, height, pf24bit);
    if (amplitude <= 0) return silentLayer(std::move(layer));
    RandomGenerator& random = programRandom();
    for (int y = 0; y < height; ++y) {
        std::uint8_t* p = layer.rowUnchecked(y);
        for (int x = 0; x < width; ++x, p += 3) p[0] = p[1] = p[2] = noiseValue(random, amplitude);
    }
    return layer;
}

} // namespace kel
