#pragma once
// A drawable picture: a bitmap, a codec's decoded picture, an icon or a metafile.
#include "graphics/colour.h"

#include <memory>

class QImage;

namespace kel {

class Bitmap;

class Graphic {
public:
    virtual ~Graphic() = default;

    virtual int width() const = 0;
    virtual int height() const = 0;
    bool empty() const { return width() <= 0 || height() <= 0; }

    // The graphic's pixels as a non-premultiplied ARGB32 image; alpha 0 marks
    // what is drawn through (transparent colour, mask or alpha channel).
    virtual QImage toImage() const = 0;
    virtual std::unique_ptr<Graphic> clone() const = 0;

    // Draws the graphic with its top-left corner at (x, y); transparent and
    // partly transparent pixels are blended over what lies beneath.
    virtual void drawOnto(Bitmap& target, int x, int y) const;

    // Whether drawing skips the transparent parts. Bitmaps skip their
    // transparent colour; other graphics keep their own transparency.
    virtual bool transparent() const { return transparent_; }
    virtual void setTransparent(bool on) { transparent_ = on; }

    // Metafiles and icons keep their own transparency rules (the view does not set it on them).
    virtual bool isMetafile() const { return false; }
    virtual bool isIcon() const { return false; }

protected:
    Graphic() = default;
    Graphic(const Graphic&) = default;
    Graphic& operator=(const Graphic&) = default;

private:
    bool transparent_ = false;
};

} // namespace kel
