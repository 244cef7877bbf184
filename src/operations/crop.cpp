#include "operations/crop.h"

#include "graphics/pixel_rows.h"

#include <algorithm>
#include <utility>

namespace kel {

Rect selectionRect(int startX, int startY, int endX, int endY, int pictureWidth, int pictureHeight)
{
    const int maxX = std::max(0, pictureWidth - 1), maxY = std::max(0, pictureHeight - 1);
    startX = std::clamp(startX, 0, maxX);
    endX = std::clamp(endX, 0, maxX);
    startY = std::clamp(startY, 0, maxY);
    endY = std::clamp(endY, 0, maxY);
    return Rect{std::min(startX, endX), std::min(startY, endY), std::max(startX, endX), std::max(startY, endY)};
}

Bitmap croppedBitmap(const Bitmap& source, Rect rect)
{
    if (rect.left > rect.right) std::swap(rect.left, rect.right);
    if (rect.top > rect.bottom) std::swap(rect.top, rect.bottom);
    const int left = std::clamp(rect.left, 0, source.width());
    const int right = std::clamp(rect.right, 0, source.width());
    const int top = std::clamp(rect.top, 0, source.height());
    const int bottom = std::clamp(rect.bottom, 0, source.height());
    Bitmap target(right - left, bottom - top, pfDevice);
    copyPixels(source, left, top, target.width(), target.height(), target, 0, 0, false);
    return target;
}

} // namespace kel
