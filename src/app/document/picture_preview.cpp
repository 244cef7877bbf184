#include "app/document/picture_preview.h"

#include "app/document/opened_picture.h"
#include "graphics/errors.h"

#include <QFileInfo>

namespace kel {

QImage picturePreview(const QString& path)
{
    if (!QFileInfo(path).isFile()) return {};
    try {
        return loadOpenedPicture(path).toImage();
    } catch (const Error&) {
        return {};
    }
}

} // namespace kel
