#pragma once
// The flaxen mix on sixteen rows at once, one row to a vector lane: the mix
// runs left to right along each row, but the rows are independent.
#include <cstddef>
#include <cstdint>

namespace kel::flaxen_detail {

inline constexpr int kLaneRows = 16;

// (s * kThird) >> 16 is s / 3 for every s below 32768; the sums of three
// channels stay below 766.
inline constexpr unsigned kThird = 21846;

// Whether the processor has the vector instructions the lanes need.
bool lanesAvailable();

// Mixes the sixteen rows starting at `top`, `stride` bytes apart, from pixel
// 0 up to the returned pixel p (a multiple of 16, or 0 when the rows are too
// short): the reds of pixels below p and the greens and blues of pixels up to
// p inclusive are final, everything from p on still reads as before except
// pixel p's green and blue. The plain steps carry on from pixel p.
int mixLaneRows(std::uint8_t* top, std::ptrdiff_t stride, int width);

} // namespace kel::flaxen_detail
