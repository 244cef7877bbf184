#pragma once
// Small picture files written by the document tests: indexed BMPs, a GIF
// with a transparent colour and a PNG with transparent pixels.
#include "graphics/bitmap.h"

#include <QString>

#include <vector>

namespace kel::test {

// An uncompressed bottom-up BMP of 4 or 8 bits per pixel.
void writeIndexedBmp(const QString& path, int width, int height, int bitsPerPixel, const std::vector<Colour>& palette,
                     const std::vector<int>& indexes);
// A 24-bit BMP of the bitmap.
void writeBmp(const QString& path, const Bitmap& bitmap);
// A 2 x 1 GIF: a red pixel, then a green pixel marked transparent.
void writeTransparentGif(const QString& path);
// A PNG with one fully transparent pixel, given in the colour list as 0xFF000000.
void writeTransparentPng(const QString& path, int width, int height, const std::vector<std::uint32_t>& colours);
// Writes raw bytes.
void writeBytes(const QString& path, const QByteArray& bytes);

} // namespace kel::test
