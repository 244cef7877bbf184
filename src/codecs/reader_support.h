#pragma once
// Internal to the readers, every family alike: the rejection text, the one
// way a reader makes the bitmap or image it decodes into (after the size
// check that keeps every family under the graphics layer's pixel ceiling),
// and the turning of decoded pixels with an alpha channel into a graphic.
// Not part of the codecs' public interface.
#include "codecs/byte_reader.h"
#include "graphics/bitmap.h"

#include <QImage>
#include <QString>

#include <cstdint>
#include <memory>
#include <vector>

namespace kel::codecs {

// Checks a size read from a file before anything is allocated for it: zero
// or negative sides, sides beyond kMaxBitmapSide, a pixel store beyond
// kMaxBitmapBytes (checkBitmapSize) and pictures beyond the extra pixel
// ceiling are rejected as invalid data ("Fichier <format> incorrect : ...").
void checkDecodedSize(const QString& format, long long width, long long height, PixelFormat pixelFormat);

// An extra ceiling on the pixels of one decoded picture (0: none, the
// default). Only the fuzz targets set one, so that their memory and time per
// input stay small; the product keeps the graphics layer's limit alone.
void setDecodedPixelLimit(long long pixels);

// A new white bitmap for decoded pixels, after checkDecodedSize; running out
// of memory is reported as InvalidGraphic as well.
Bitmap newDecodedBitmap(const QString& format, long long width, long long height, PixelFormat pixelFormat = pf24bit);
// A new ARGB32 image for decoded pixels, checked as a 32-bit bitmap would be.
QImage newDecodedImage(const QString& format, long long width, long long height);

// The decoded ARGB32 picture as a graphic: kept with its alpha (RgbaGraphic)
// unless `opaque`, in which case it becomes a plain 24-bit bitmap.
std::unique_ptr<Graphic> graphicFromArgb(const QString& format, QImage image, bool opaque);

// A 24-bit bitmap with its alpha channel (one byte per pixel, rows top to
// bottom): an RgbaGraphic when some pixel is not opaque, else the bitmap.
std::unique_ptr<Graphic> withAlpha(const QString& format, Bitmap bitmap, const std::vector<std::uint8_t>& alpha);

} // namespace kel::codecs
