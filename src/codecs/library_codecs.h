#pragma once
// Internal to the library-backed codecs (BMP, GIF, JPEG, PNG, TIFF readers):
// the read functions that library_readers.cpp registers. What they share
// with the other readers is in reader_support.h. Not part of the codecs'
// public interface.
#include "codecs/reader_support.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace kel::codecs::detail {

std::unique_ptr<Graphic> readBmp(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readGif(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readJpeg(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readPng(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readTiff(const QByteArray& bytes, const QString& path);

} // namespace kel::codecs::detail
