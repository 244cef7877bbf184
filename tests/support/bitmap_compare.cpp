#include "support/bitmap_compare.h"

#include "graphics/pixel_rows.h"

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace kel::test {

std::string colourText(Colour c)
{
    char text[32];
    std::snprintf(text, sizeof text, "(%d,%d,%d)", redOf(c), greenOf(c), blueOf(c));
    return text;
}

testing::AssertionResult sameBitmap(const Bitmap& expected, const Bitmap& actual, int tolerance)
{
    if (expected.width() != actual.width() || expected.height() != actual.height())
        return testing::AssertionFailure() << "size " << actual.width() << " x " << actual.height()
                                           << ", expected " << expected.width() << " x " << expected.height();
    std::ostringstream differences;
    int count = 0;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x) {
            const Colour e = readPixel(expected, x, y), a = readPixel(actual, x, y);
            const bool close = std::abs(redOf(e) - redOf(a)) <= tolerance
                               && std::abs(greenOf(e) - greenOf(a)) <= tolerance
                               && std::abs(blueOf(e) - blueOf(a)) <= tolerance;
            if (close) continue;
            if (count < 8)
                differences << "\n  at (" << x << ", " << y << "): " << colourText(a) << ", expected "
                            << colourText(e);
            ++count;
        }
    if (count == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << count << " pixels differ" << differences.str();
}

Bitmap bitmapFrom(int width, int height, std::initializer_list<Colour> colours)
{
    Bitmap bitmap(width, height, pf24bit);
    auto it = colours.begin();
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width && it != colours.end(); ++x, ++it) writePixel(bitmap, x, y, *it);
    return bitmap;
}

} // namespace kel::test
