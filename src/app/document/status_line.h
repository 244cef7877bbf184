#pragma once
// The two forms of the status line that describe the shown picture.
#include "graphics/picture.h"

#include <QString>

namespace kel {

// "<file> | <width> x <height> pixels | <count> couleurs".
QString fullStatusLine(const QString& fileName, const Picture& shown);
// The same with the colours already counted.
QString fullStatusLine(const QString& fileName, const Picture& shown, int colours);
// "<width> x <height> pixels".
QString shortStatusLine(int width, int height);

// Distinct colours of the shown picture. A graphic that is not a bitmap is
// counted on a 24-bit rendering; the holder itself is never changed.
int countShownColours(const Picture& shown);

} // namespace kel
