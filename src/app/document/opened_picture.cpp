#include "app/document/opened_picture.h"

#include "codecs/codec.h"
#include "codecs/over_white.h"

namespace kel {

Bitmap loadOpenedPicture(const QString& path)
{
    std::unique_ptr<Graphic> loaded = codecs::loadGraphic(path);
    // An opaque 24-bit bitmap drawn over white is itself: it is kept instead
    // of being copied. Anything else is drawn, then released.
    auto* bitmap = dynamic_cast<Bitmap*>(loaded.get());
    if (bitmap && bitmap->pixelFormat() == pf24bit && !bitmap->transparent()) return std::move(*bitmap);
    return codecs::drawnOverWhite(*loaded);
}

} // namespace kel
