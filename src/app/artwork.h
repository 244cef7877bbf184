#pragma once
// Pictures the main window draws for itself: the toolbar buttons, the icons
// of the special-effects list and the colour palette.
#include "graphics/bitmap.h"

#include <QIcon>
#include <QPixmap>

namespace kel {

// The 22 x 22 picture of a toolbar button, by the button's name.
QPixmap toolbarPicture(const QString& buttonName);
// A 16 x 16 icon for an entry of the special-effects list.
QIcon specialEffectIcon(int index);
// The 157 x 157 palette: rows of colour cells, hues across, shades down.
Bitmap colourSwatch();

} // namespace kel
