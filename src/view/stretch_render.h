#pragma once
// Scales a graphic into a destination rectangle by repeating or dropping
// pixels, producing only the part that falls inside a clip rectangle.
#include "graphics/geometry.h"

#include <QImage>
#include <QRect>

namespace kel {

class Graphic;

// An ARGB32 premultiplied image of clip's size, positioned at clip's top-left
// corner; what the picture does not cover, and the transparent parts of a
// transparent picture, stay fully transparent. Empty or inverted destinations
// produce a null image.
QImage renderStretched(const Graphic& graphic, const Rect& destination, const QRect& clip);

} // namespace kel
