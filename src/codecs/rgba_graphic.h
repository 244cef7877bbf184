#pragma once
// A decoded picture with an alpha channel (PNG, TIFF, 32-bit Targa and the
// like): drawn over what lies beneath, fully transparent pixels left out.
#include "graphics/graphic.h"

#include <QImage>

namespace kel::codecs {

class RgbaGraphic final : public Graphic {
public:
    // `image` is converted to non-premultiplied ARGB32.
    explicit RgbaGraphic(QImage image) : image_(image.convertToFormat(QImage::Format_ARGB32)) {}

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    QImage toImage() const override { return image_; }
    std::unique_ptr<Graphic> clone() const override { return std::make_unique<RgbaGraphic>(*this); }

private:
    QImage image_;
};

} // namespace kel::codecs
