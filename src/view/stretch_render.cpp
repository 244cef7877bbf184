#include "view/stretch_render.h"

#include "graphics/bitmap.h"
#include "graphics/colour.h"
#include "graphics/pixel_rows.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace kel {

namespace {

// Source index of each destination position in [first, last) of a side of
// `extent` pixels drawn from `origin`, for a source of `sourceSize` pixels.
std::vector<int> sourceIndexes(int first, int last, int origin, int extent, int sourceSize)
{
    std::vector<int> indexes;
    indexes.reserve(std::size_t(std::max(0, last - first)));
    for (int d = first; d < last; ++d)
        indexes.push_back(int(std::int64_t(d - origin) * sourceSize / extent));
    return indexes;
}

} // namespace

QImage renderStretched(const Graphic& graphic, const Rect& destination, const QRect& clip)
{
    if (graphic.empty() || destination.width() <= 0 || destination.height() <= 0) return {};
    const int left = std::max(destination.left, clip.left());
    const int top = std::max(destination.top, clip.top());
    const int right = std::min(destination.right, clip.right() + 1);
    const int bottom = std::min(destination.bottom, clip.bottom() + 1);
    if (left >= right || top >= bottom) return {};

    const auto* bitmap = dynamic_cast<const Bitmap*>(&graphic);
    const QImage source =
        bitmap ? QImage() : graphic.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int sourceWidth = bitmap ? bitmap->width() : source.width();
    const int sourceHeight = bitmap ? bitmap->height() : source.height();
    if (sourceWidth <= 0 || sourceHeight <= 0) return {};

    QImage out(clip.size(), QImage::Format_ARGB32_Premultiplied);
    out.fill(Qt::transparent);
    const std::vector<int> columns = sourceIndexes(left, right, destination.left, destination.width(), sourceWidth);
    const std::vector<int> rows = sourceIndexes(top, bottom, destination.top, destination.height(), sourceHeight);

    if (bitmap) {
        const bool keyed = bitmap->transparent();
        const Colour key = bitmap->transparentColour();
        const bool direct = bitmap->pixelFormat() == pf24bit;
        // A 24-bit row is read only where it is sampled: a view of a large
        // picture takes a few hundred of its thousands of columns.
        std::vector<Colour> row(direct ? 0 : std::size_t(bitmap->width()));
        int loaded = -1;
        for (int y = top; y < bottom; ++y) {
            const int sy = rows[std::size_t(y - top)];
            if (!direct && sy != loaded) readRow(*bitmap, sy, row.data());
            loaded = sy;
            const std::uint8_t* bytes = bitmap->rowUnchecked(sy);
            auto* line = reinterpret_cast<QRgb*>(out.scanLine(y - clip.top()));
            for (int x = left; x < right; ++x) {
                const auto sx = std::size_t(columns[std::size_t(x - left)]);
                const Colour c = direct ? colourFromBgr(bytes + 3 * sx) : row[sx];
                if (keyed && c == key) continue;
                line[x - clip.left()] = qRgb(redOf(c), greenOf(c), blueOf(c));
            }
        }
        return out;
    }

    for (int y = top; y < bottom; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(rows[std::size_t(y - top)]));
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y - clip.top()));
        for (int x = left; x < right; ++x) line[x - clip.left()] = in[columns[std::size_t(x - left)]];
    }
    return out;
}

} // namespace kel
