#pragma once
// Internal to the library-backed codecs (BMP, GIF, JPEG, PNG, TIFF readers):
// the read functions that library_readers.cpp registers, and the helpers
// they share. Not part of the codecs' public interface.
#include "graphics/bitmap.h"
#include "graphics/errors.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <memory>

namespace kel::codecs::detail {

std::unique_ptr<Graphic> readBmp(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readGif(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readJpeg(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readPng(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readTiff(const QByteArray& bytes, const QString& path);

// "Fichier <format> incorrect : <what>", in the invalid-graphic category.
[[noreturn]] void rejectGraphic(const char* format, const QString& what);

// Checks a size read from a file before anything is allocated for it: zero
// or negative sides and sizes beyond the graphics layer's limit are rejected
// as invalid data (the limit's OutOfResources becomes InvalidGraphic).
void checkDecodedSize(const char* format, long long width, long long height, PixelFormat pixelFormat);

// An extra ceiling on the pixels of one decoded picture (0: none, the
// default). Only the fuzz targets set one, so that their memory and time per
// input stay small; the product keeps the graphics layer's limit alone.
void setDecodedPixelLimit(long long pixels);

// A new bitmap for decoded pixels, after checkDecodedSize; running out of
// memory is reported as InvalidGraphic as well.
Bitmap newDecodedBitmap(const char* format, long long width, long long height, PixelFormat pixelFormat);

// The decoded ARGB32 picture as a graphic: kept with its alpha when any pixel
// lets something through, otherwise a plain 24-bit bitmap.
std::unique_ptr<Graphic> graphicFromArgb(const char* format, QImage image, bool opaque);

} // namespace kel::codecs::detail
