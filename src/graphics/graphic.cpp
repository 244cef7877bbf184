#include "graphics/graphic.h"

#include "graphics/bitmap.h"
#include "graphics/pixel_rows.h"

#include <QImage>

#include <algorithm>

namespace kel {

void Graphic::drawOnto(Bitmap& target, int x, int y) const
{
    const QImage image = toImage().convertToFormat(QImage::Format_ARGB32);
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(target.width(), x + image.width());
    const int y1 = std::min(target.height(), y + image.height());
    for (int ty = y0; ty < y1; ++ty) {
        const auto* in = reinterpret_cast<const QRgb*>(image.constScanLine(ty - y));
        for (int tx = x0; tx < x1; ++tx) {
            const QRgb s = in[tx - x];
            const int a = qAlpha(s);
            if (a == 0) continue;
            if (a == 255) {
                writePixel(target, tx, ty, rgb(qRed(s), qGreen(s), qBlue(s)));
                continue;
            }
            const Colour d = readPixel(target, tx, ty);
            auto mix = [a](int src, int dst) { return (src * a + dst * (255 - a) + 127) / 255; };
            writePixel(target, tx, ty,
                       rgb(mix(qRed(s), redOf(d)), mix(qGreen(s), greenOf(d)), mix(qBlue(s), blueOf(d))));
        }
    }
}

} // namespace kel
