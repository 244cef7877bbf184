#pragma once
// Exact picture comparison for tests: on a mismatch the message names the
// first differing pixels with both colours.
#include "graphics/bitmap.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

namespace kel::test {

testing::AssertionResult sameBitmap(const Bitmap& expected, const Bitmap& actual, int tolerance = 0);

// A 24-bit bitmap from colours listed row by row.
Bitmap bitmapFrom(int width, int height, std::initializer_list<Colour> colours);

std::string colourText(Colour c);

} // namespace kel::test
