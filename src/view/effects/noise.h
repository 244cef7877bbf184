#pragma once
// The noise layers of the view: per pixel and channel, a value the tone chain
// adds before its clamp. Values come from the program's shared generator.
#include "graphics/bitmap.h"

namespace kel {

// How a layer is filled: one draw after the other, or many draws at once in
// the lanes of vector instructions (each lane's state jumped ahead to its own
// place in the sequence). The bytes and the generator's final state are the same.
enum class NoiseLanes { Plain, Vector };

// Vector when the processor has the instructions for it, Plain otherwise.
NoiseLanes bestNoiseLanes();

// A 24-bit bitmap of the given size; each channel of each pixel, drawn in the
// order red, green, blue, is Random(amplitude) - amplitude div 2 clamped to 0..255.
// The generator ends as if every draw had been made in turn.
Bitmap colourNoise(int width, int height, int amplitude, NoiseLanes lanes = bestNoiseLanes());

// The same with one value per pixel, stored in all three channels.
Bitmap monoNoise(int width, int height, int amplitude, NoiseLanes lanes = bestNoiseLanes());

} // namespace kel
