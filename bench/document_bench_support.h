#pragma once
// A 12-megapixel JPEG of the photo-like picture, written once per run, and
// the bare libjpeg writer (quality 80) that makes it.
#include "graphics/bitmap.h"

#include <QString>

namespace kel::bench {

void writeJpeg(const Bitmap& bitmap, const QString& path);

// The photo-like picture as a JPEG file, written once per size.
QString photoJpegPath(int width = 4000, int height = 3000);

} // namespace kel::bench
