#include "view/image_colorizer.h"

#include "graphics/bitmap.h"

namespace kel {

void TImageColorizer::OriginalChanged()
{
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
        auto converted = std::make_unique<Bitmap>();
        converted->assign(*graphic);
        converted->setPixelFormat(pf24bit);
        pictureOriginal_.setGraphic(std::move(converted));
    }
    ApplyEffects();
}

void TImageColorizer::ApplyEffects() { Picture().assign(pictureOriginal_.graphic()); }

void TImageColorizer::ResetEffects() { ApplyEffects(); }

} // namespace kel
