#pragma once
// A 12-megapixel JPEG of the photo-like picture, written once per run, and
// the bare libjpeg writer (quality 80) that makes it.
#include "graphics/bitmap.h"

#include <QString>

namespace kel::bench {

void writeJpeg(const Bitmap& bitmap, const QString& path);

QString photoJpegPath();

} // namespace kel::bench
