// The effect side of the main view: the original picture kept as a 24-bit
// bitmap and the shown picture recomputed from it through the settings.
#include "view/image_colorizer.h"

#include "graphics/bitmap.h"

namespace kel {

void TImageColorizer::OriginalChanged()
{
    // Converting the original notifies again; the guard absorbs it.
    if (convertingOriginal_) return;
    convertingOriginal_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{convertingOriginal_};

    Graphic* graphic = pictureOriginal_.graphic();
    if (!graphic) {
        Picture().clear();
        return;
    }
    if (auto* bitmap = pictureOriginal_.bitmapIfAny()) {
        bitmap->setPixelFormat(pf24bit);
    } else {
        auto converted = std::make_unique<Bitmap>(graphic->width(), graphic->height(), pf24bit);
        graphic->drawOnto(*converted, 0, 0);
        pictureOriginal_.setGraphic(std::move(converted));
    }
    Picture().assign(pictureOriginal_.graphic());
    effects_.discardLayers();
    ApplyEffects();
}

void TImageColorizer::setEffect(Effect which, int value)
{
    effects_.set(which, value, pictureOriginal_.graphic());
    ApplyEffects();
}

void TImageColorizer::ApplyEffects()
{
    const Bitmap* original = pictureOriginal_.bitmapIfAny();
    Bitmap* shown = Picture().bitmapIfAny();
    if (!original || !shown) return;
    effects_.recompute(*original, *shown);
    update();
}

void TImageColorizer::ResetEffects()
{
    effects_.reset();
    Picture().assign(pictureOriginal_.graphic());
}

} // namespace kel
