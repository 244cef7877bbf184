#pragma once
// The program's own TIFF writer: one uncompressed strip, little-endian,
// palette colour from 4- and 8-bit bitmaps, RGB from the deeper ones.
#include "graphics/bitmap.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

namespace kel::io {

// Writes the TIFF image to a writable device. Empty and 1-bit bitmaps write
// nothing. 4-bit bitmaps drop up to three right-hand columns (the written
// width is a multiple of 4); 15- and 16-bit bitmaps are written as RGB. Sides that do not fit the file's 16-bit
// fields, and 4-bit bitmaps narrower than 4 pixels, raise InvalidOperation.
// A failing write raises FileError.
void WriteBitmapAsTiff(QIODevice& stream, const Bitmap& bitmap);

// The file's bytes. A bitmap that gives no TIFF image (empty or 1-bit)
// raises InvalidOperation; so do the sides and widths WriteBitmapAsTiff refuses.
QByteArray encodeTiff(const Bitmap& bitmap);

// Writes encodeTiff's bytes to a file through an atomic replace: on any
// failure the old file stays as it was, and a bitmap that gives no TIFF image
// leaves no empty file.
void SaveBitmapAsTiff(const QString& fileName, const Bitmap& bitmap);

} // namespace kel::io
