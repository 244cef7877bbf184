#include "codecs/metafile_graphic.h"

#include <algorithm>

namespace kel::codecs {

// Each destination pixel takes the source pixel its position falls on, as a
// stretching copy that repeats or drops pixels does.
QImage MetafileGraphic::toImage() const
{
    QImage image(width_, height_, QImage::Format_ARGB32);
    if (image.isNull()) return image;
    image.fill(Qt::transparent);
    for (const MetafileBitmapDraw& draw : draws_) {
        const QRect& d = draw.destination;
        const QRect& s = draw.sourceRect;
        const int x0 = std::max(0, d.left()), x1 = std::min(width_, d.left() + d.width());
        const int y0 = std::max(0, d.top()), y1 = std::min(height_, d.top() + d.height());
        for (int y = y0; y < y1; ++y) {
            const int sy = s.top() + int(std::int64_t(y - d.top()) * s.height() / d.height());
            const auto* in = reinterpret_cast<const QRgb*>(draw.source.constScanLine(sy));
            auto* out = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = x0; x < x1; ++x)
                out[x] = in[s.left() + int(std::int64_t(x - d.left()) * s.width() / d.width())] | 0xFF000000u;
        }
    }
    return image;
}

} // namespace kel::codecs
