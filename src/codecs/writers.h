#pragma once
// The picture writers of the save command and the JPEG bytes of the PDF
// export.
//
// Every function reports a failure (nothing to write, a library error, a
// file that cannot be created or written) as FileError. writeBitmap goes
// through writeFileAtomically, so a failed save never destroys the file that
// was there.
#include "graphics/bitmap.h"

#include <QByteArray>
#include <QString>

namespace kel::codecs {

enum class WriteFormat { Bmp, Gif, Jpeg, Png, Targa };

// The file's bytes:
// - Bmp: the bitmap as it stands, in its own pixel format (1, 4, 8 bits with
//   its palette, 16 bits as 5-5-5 or 5-6-5 bit fields, 24, 32 bits).
// - Gif: reduced to 256 colours, the 20 static system colours plus 236
//   chosen from the picture by median cut, with Floyd-Steinberg dithering.
// - Jpeg: quality 80, colour (encodeJpeg).
// - Png: libpng's default settings; indexed bitmaps as palette PNGs.
// - Targa: run-length compressed; 24 bits, or 8 bits with a colour map for
//   indexed bitmaps (1- and 4-bit ones written as 8-bit).
QByteArray encodeBitmap(const Bitmap& bitmap, WriteFormat format);

// Encodes and writes the file atomically.
void writeBitmap(const Bitmap& bitmap, const QString& path, WriteFormat format);

// Baseline JPEG of the bitmap's 24-bit rendering, YCbCr (greyscale off).
QByteArray encodeJpeg(const Bitmap& bitmap, int quality = 80);

} // namespace kel::codecs
