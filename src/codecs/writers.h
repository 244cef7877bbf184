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
#include <QIODevice>
#include <QString>
#include <QStringList>

#include <vector>

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

// The writer table, beside the readers' (registry.cpp): what the save command
// dispatches on by the extension it forces on the file name. Each entry's
// encode function gives the bytes of encodeBitmap(bitmap, format).
// The program's own TIFF writer lives above the codecs, in io, which adds it:
// the save command asks io::pictureWriterFor (io/picture_writers.h).
using EncodeFunction = QByteArray (*)(const Bitmap& bitmap);
// Writes the same bytes straight to a device, for formats whose bytes are
// mostly the pixels as they stand: the file is never held whole in memory.
using StreamFunction = void (*)(const Bitmap& bitmap, QIODevice& device);

struct WriterEntry {
    WriteFormat format;
    QStringList extensions; // lower case, without the dot
    EncodeFunction encode;
    StreamFunction stream = nullptr;
};

// BMP, GIF, JPEG, PNG, Targa, in the order of the save command's format table.
const std::vector<WriterEntry>& writers();
// The writer that claims an extension (any case, without the dot), or nullptr.
EncodeFunction writerFor(const QString& extension);
// The streaming writer that claims an extension, or nullptr when the format
// is only encoded in memory.
StreamFunction streamWriterFor(const QString& extension);

} // namespace kel::codecs
