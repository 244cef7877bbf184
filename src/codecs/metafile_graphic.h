#pragma once
// A metafile reduced to what this program draws into one: bitmaps stretched
// into rectangles of a picture of fixed size. What no bitmap covers stays
// transparent.
#include "graphics/graphic.h"

#include <QImage>
#include <QRect>

#include <vector>

namespace kel::codecs {

struct MetafileBitmapDraw {
    QImage source;     // the bitmap as stored, top row first
    QRect sourceRect;  // part of `source` drawn, within it
    QRect destination; // where it lands, in picture pixels
};

class MetafileGraphic final : public Graphic {
public:
    MetafileGraphic(int width, int height, std::vector<MetafileBitmapDraw> draws)
        : width_(width), height_(height), draws_(std::move(draws))
    {
    }

    int width() const override { return width_; }
    int height() const override { return height_; }
    QImage toImage() const override;
    std::unique_ptr<Graphic> clone() const override { return std::make_unique<MetafileGraphic>(*this); }
    bool isMetafile() const override { return true; }

private:
    int width_;
    int height_;
    std::vector<MetafileBitmapDraw> draws_;
};

} // namespace kel::codecs
