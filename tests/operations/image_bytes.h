#pragma once
// Byte-exact comparison of two pixel stores, padding included, and small
// pictures for the image operation tests.
#include "graphics/bitmap.h"
#include "graphics/pixel_rows.h"

#include <gtest/gtest.h>

#include <cstring>

namespace kel::test {

// Same size, format and row bytes; a mismatch names the first differing byte.
inline testing::AssertionResult sameBytes(const Bitmap& expected, const Bitmap& actual)
{
    if (expected.width() != actual.width() || expected.height() != actual.height()
        || expected.pixelFormat() != actual.pixelFormat())
        return testing::AssertionFailure() << "size or format differ: " << actual.width() << " x "
                                           << actual.height() << ", expected " << expected.width() << " x "
                                           << expected.height();
    for (int y = 0; y < expected.height(); ++y)
        for (int i = 0; i < expected.bytesPerLine(); ++i)
            if (expected.rowUnchecked(y)[i] != actual.rowUnchecked(y)[i])
                return testing::AssertionFailure()
                       << "row " << y << " byte " << i << ": " << int(actual.rowUnchecked(y)[i]) << ", expected "
                       << int(expected.rowUnchecked(y)[i]);
    return testing::AssertionSuccess();
}

// A width x height picture in which no two pixels share a colour (up to 65536
// pixels), converted to `format`.
inline Bitmap distinctPicture(int width, int height, PixelFormat format = pf24bit)
{
    Bitmap bitmap(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const int n = y * width + x;
            writePixel(bitmap, x, y, rgb(n & 0xFF, (n >> 8) & 0xFF, (x * 7 + y * 3) & 0xFF));
        }
    bitmap.setPixelFormat(format);
    return bitmap;
}

} // namespace kel::test
