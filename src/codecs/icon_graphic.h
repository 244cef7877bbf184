#pragma once
// An icon: colour pixels with a transparency mask, held as one ARGB image in
// which alpha 0 marks the transparent pixels.
#include "graphics/graphic.h"

#include <QImage>

namespace kel::codecs {

class IconGraphic final : public Graphic {
public:
    explicit IconGraphic(QImage image) : image_(image.convertToFormat(QImage::Format_ARGB32)) {}

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    QImage toImage() const override { return image_; }
    std::unique_ptr<Graphic> clone() const override { return std::make_unique<IconGraphic>(*this); }
    bool isIcon() const override { return true; }

private:
    QImage image_;
};

} // namespace kel::codecs
