#pragma once
// The tone chain on 16 pixels at a time for processors with SSSE3, bit for
// bit the same as the scalar chain, for the settings it covers: contrast,
// lightness, darkness and brightness within -255..255, then grey or a
// saturation within -255..255, then invert, with or without noise added
// before the clamp. Posterize, solarize and split light stay with the tables
// (which may run first, see channelsDone).
#include <cstdint>

namespace kel {

struct VectorTone {
    enum class Stage { None, Grey, Saturation };
    int brightness = 0;
    int contrast = 0;
    int lightness = 0;
    int darkness = 0;
    Stage stage = Stage::None;
    int saturation = 0;
    bool invert = false;
};

bool vectorToneAvailable();

// Treats the leading pixels of a 24-bit row in groups of 16, reading `src` and
// writing `out` (which may be the same row), and answers how many it treated;
// the caller finishes the rest. With channelsDone the source values already
// went through steps 1 to 6 and only the pixel-wide steps and invert remain;
// otherwise `noise`, when given, is the noise layer's row, each byte added to
// its channel's sum before the clamp.
int toneRowVector(const std::uint8_t* src, std::uint8_t* out, int width, const VectorTone& tone, bool channelsDone,
                  const std::uint8_t* noise = nullptr);

} // namespace kel
