#pragma once
// The spray's draws of the shared generator, made ahead of the moves: the
// generator's k-th state is a fixed affine function of the state now, so eight
// pixels' draws are made side by side, with the same integers as one by one.
#include <cstdint>

namespace kel::spray_detail {

// Avx2 falls back to Plain on a processor without it.
enum class DrawPath { Plain, Avx2, Best };

// For each of `count` pixels, three draws b := Random(radius), c := Random(2b),
// d := Random(2b) from `seed`, stored as the offsets b - c and b - d; `seed`
// ends where `count` pixels' draws one by one would leave it. radius <= 64.
void drawOffsets(std::uint32_t& seed, int radius, int count, std::int8_t* dx, std::int8_t* dy,
                 DrawPath path = DrawPath::Best);

// The seed `draws` draws after `seed`, without making them.
std::uint32_t seedAfter(std::uint32_t seed, std::uint64_t draws);

} // namespace kel::spray_detail
