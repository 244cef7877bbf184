#pragma once
// The system clipboard as the edit commands use it: one picture in, one picture out.
#include "graphics/bitmap.h"

#include <optional>

namespace kel {

class Clipboard {
public:
    virtual ~Clipboard() = default;

    // Replaces the clipboard's content with the picture (opaque, as shown).
    virtual void putPicture(const Graphic& picture) = 0;
    // The clipboard's picture in the screen's pixel format; nothing when the
    // clipboard holds no picture or one too large for a bitmap.
    virtual std::optional<Bitmap> picture() const = 0;
};

} // namespace kel
