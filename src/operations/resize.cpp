#include "operations/resize.h"

#include "graphics/canvas.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace kel {

namespace {

// 64-bit quotient brought back to int; only absurd inputs reach the limits,
// and those are refused later by the bitmap size check.
int toInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

PictureSize proposedSize(int width, int height, int percent)
{
    return {toInt(std::int64_t(width) * percent / 100), toInt(std::int64_t(height) * percent / 100)};
}

PictureSize committedSize(int width, int height, int editWidth, int editHeight)
{
    if (width == height) return {editWidth, editHeight};
    if (height > width) return {toInt(std::int64_t(width) * editHeight / height), editHeight};
    return {editWidth, toInt(std::int64_t(height) * editWidth / width)};
}

Bitmap stretchedBitmap(const Bitmap& source, int width, int height)
{
    checkBitmapSize(width, height, pfDevice);
    Bitmap target(width, height, pfDevice);
    Canvas(target).stretchDraw(Rect{0, 0, width, height}, source);
    return target;
}

} // namespace kel
