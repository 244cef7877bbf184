// The effect side of the main view: the original picture kept as a 24-bit
// bitmap and the shown picture recomputed from it through the settings.
#include "view/image_colorizer.h"

#include "graphics/bitmap.h"

#include <exception>
#include <utility>

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
    prepareShownForRecompute(*pictureOriginal_.bitmapIfAny());
    if (keepSpatialLayer_)
        effects_.discardNoiseLayer();
    else
        effects_.discardLayers();
    ApplyEffects();
}

void TImageColorizer::OriginalReassignedUnchanged()
{
    Bitmap* original = pictureOriginal_.bitmapIfAny();
    if (!original) return;
    keepSpatialLayer_ = true;
    struct Release {
        bool& flag;
        ~Release() { flag = false; }
    } release{keepSpatialLayer_};
    original->changed();
}

void TImageColorizer::prepareShownForRecompute(const Bitmap& original)
{
    // The recompute writes every pixel of a 24-bit shown picture of the
    // original's size; what a copy would add is only the notification.
    Bitmap* shown = Picture().bitmapIfAny();
    if (shown && shown->pixelFormat() == pf24bit && shown->width() == original.width() &&
        shown->height() == original.height() && !shown->hasTransparentColour() && !original.hasTransparentColour()) {
        Picture().changed();
        return;
    }
    Picture().assign(&original);
}

void TImageColorizer::recomputeOnceAfter(const std::function<void()>& changes)
{
    std::exception_ptr failure;
    ++recomputesHeld_;
    try {
        changes();
    } catch (...) {
        failure = std::current_exception(); // what was asked for until then is still shown
    }
    --recomputesHeld_;
    if (recomputesHeld_ == 0 && std::exchange(recomputePending_, false)) ApplyEffects();
    if (failure) std::rethrow_exception(failure);
}

void TImageColorizer::setEffect(Effect which, int value)
{
    effects_.set(which, value, pictureOriginal_.graphic());
    ApplyEffects();
}

void TImageColorizer::ApplyEffects()
{
    if (recomputesHeld_ > 0) {
        recomputePending_ = true;
        return;
    }
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
