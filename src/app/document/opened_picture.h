#pragma once
// How an opened file becomes the document's picture.
#include "graphics/bitmap.h"

#include <QString>

namespace kel {

// Loads a picture file through the reader of its extension and returns it
// drawn over white. Throws InvalidGraphic for an unclaimed extension or
// rejected data, FileError when the file cannot be read.
Bitmap loadOpenedPicture(const QString& path);

} // namespace kel
