#include "operations/frame.h"

#include "graphics/canvas.h"
#include "graphics/errors.h"

#include <QString>

#include <cstdint>
#include <limits>

namespace kel {

void AddFrame(Bitmap& bitmap, int width, Colour colour)
{
    if (width < 0) throw RangeError(QStringLiteral("Largeur de cadre incorrecte (%1)").arg(width));
    const std::int64_t w = std::int64_t(bitmap.width()) + 2 * std::int64_t(width);
    const std::int64_t h = std::int64_t(bitmap.height()) + 2 * std::int64_t(width);
    if (w > std::numeric_limits<int>::max() || h > std::numeric_limits<int>::max())
        throw OutOfResources(QStringLiteral("Image trop grande"));
    Bitmap framed(int(w), int(h), pfDevice);
    Canvas canvas(framed);
    canvas.brush.colour = colour;
    canvas.fillRect(Rect{0, 0, framed.width(), framed.height()});
    canvas.draw(width, width, bitmap);
    bitmap = std::move(framed);
}

} // namespace kel
