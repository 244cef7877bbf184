#pragma once
// The clipboard of the running Qt application.
#include "platform/clipboard.h"

class QImage;

namespace kel {

class QtClipboard final : public Clipboard {
public:
    void putPicture(const Graphic& picture) override;
    std::optional<Bitmap> picture() const override;
};

// An image as a bitmap in the screen's pixel format, partly transparent
// pixels laid over white; nothing for a null image or one beyond the bitmap limits.
std::optional<Bitmap> bitmapFromImage(const QImage& image);

} // namespace kel
