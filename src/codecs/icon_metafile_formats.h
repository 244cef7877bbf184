#pragma once
// The readers of icons and metafiles, registered in icon_metafile_readers.cpp.
#include "graphics/graphic.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace kel::codecs {

std::unique_ptr<Graphic> readIcon(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readEnhancedMetafile(const QByteArray& bytes, const QString& path);
std::unique_ptr<Graphic> readWindowsMetafile(const QByteArray& bytes, const QString& path);

} // namespace kel::codecs
