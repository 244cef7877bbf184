#pragma once
// A picture exported as a one-page PDF of its size.
#include "graphics/bitmap.h"

#include <QString>

namespace kel::io {

// Compresses the bitmap to JPEG at quality 80 in a temporary ".bak" file,
// wraps it with JpegFileToPdf and removes the temporary file. Returns the
// writer's result. A temporary file that cannot be written raises FileError.
int exportBitmapAsPdf(const Bitmap& bitmap, const QString& pdfFileName);

} // namespace kel::io
