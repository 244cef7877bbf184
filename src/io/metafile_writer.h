#pragma once
// Metafiles holding one drawing of a bitmap at full size, at 96 pixels per inch.
#include "graphics/bitmap.h"

#include <QIODevice>
#include <QString>

namespace kel::io {

// Enhanced metafile: header record, EMR_STRETCHDIBITS, end-of-file record.
void writeEnhancedMetafile(QIODevice& stream, const Bitmap& bitmap);
// Placeable Windows metafile: placeable header, metafile header,
// META_STRETCHDIB, end record.
void writeWindowsMetafile(QIODevice& stream, const Bitmap& bitmap);

// A name ending in ".wmf" (any case) gives a Windows metafile, any other an
// enhanced metafile. The file is replaced atomically. An empty bitmap raises
// InvalidOperation, a failing write FileError.
void saveBitmapAsMetafile(const Bitmap& bitmap, const QString& fileName);

} // namespace kel::io
