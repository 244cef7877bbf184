#pragma once
// The hand-written readers of the older picture formats, one source file each.
#include "graphics/graphic.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace kel::codecs {

std::unique_ptr<Graphic> readTarga(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readPcx(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readPhotoCd(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readPhotoshop(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readSgi(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readRla(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readPortableMap(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readAnimator(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readDrHalo(const QByteArray& bytes, const QString& path);

} // namespace kel::codecs
