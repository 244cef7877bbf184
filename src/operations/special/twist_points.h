#pragma once
// The twist's source points, which depend only on the place: for each pixel of
// a row, the point the swirl takes it from, several pixels at a time where the
// processor allows, with the same bytes as one by one.

namespace kel::twist_detail {

enum class PointsPath { Plain, Avx2, Best }; // Avx2 falls back to Plain without it

// Pixels (0..width-1, y) of a width x height picture: the point (fx, fy) turned
// a quarter turn less r / strength about the centre, r its distance from it.
void sourcePoints(int y, int width, int height, float strength, float* fx, float* fy,
                  PointsPath path = PointsPath::Best);

} // namespace kel::twist_detail
