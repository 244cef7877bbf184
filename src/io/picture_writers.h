#pragma once
// The save command's writers, found by the extension it forces on the file
// name: the codecs' writer table (BMP, GIF, JPEG, PNG, Targa) and the
// program's own TIFF writer. TIFF lives here, above the codecs, so the codecs'
// table cannot name it; this is where the two meet.
#include "codecs/writers.h"

namespace kel::io {

// "tif" and "tiff" (any case, without the dot) give encodeTiff, which raises
// InvalidOperation for a bitmap that gives no TIFF image; any other extension
// gives codecs::writerFor's answer, nullptr when no writer claims it.
codecs::EncodeFunction pictureWriterFor(const QString& extension);

} // namespace kel::io
