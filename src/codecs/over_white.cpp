#include "codecs/over_white.h"

#include "graphics/pixel_rows.h"

namespace kel::codecs {

Bitmap drawnOver(const Graphic& graphic, int width, int height, Colour background)
{
    Bitmap bitmap(width, height, pf24bit); // white already
    if (background != clWhite) fillRows(bitmap, 0, height, background);
    graphic.drawOnto(bitmap, 0, 0);
    return bitmap;
}

Bitmap drawnOverWhite(const Graphic& graphic) { return drawnOver(graphic, graphic.width(), graphic.height()); }

} // namespace kel::codecs
