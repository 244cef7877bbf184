#pragma once
// The picture shown in the open dialog's preview pane.
#include <QImage>
#include <QString>

namespace kel {

// The file as " Ouvrir" would show it (transparent parts white), or a null
// image when it is not a picture the program reads.
QImage picturePreview(const QString& path);

} // namespace kel
