#pragma once
// A 12-megapixel JPEG of the photo-like picture, written once per run.
#include <QString>

namespace kel::bench {

QString photoJpegPath();

} // namespace kel::bench
