#include "app/document/opened_picture.h"

#include "codecs/codec.h"
#include "graphics/canvas.h"

namespace kel {

Bitmap drawnOverWhite(const Graphic& loaded)
{
    Bitmap bitmap(loaded.width(), loaded.height(), pf24bit);
    Canvas(bitmap).draw(0, 0, loaded);
    return bitmap;
}

Bitmap loadOpenedPicture(const QString& path)
{
    // The decoded graphic is released as soon as it has been drawn.
    return drawnOverWhite(*codecs::loadGraphic(path));
}

} // namespace kel
