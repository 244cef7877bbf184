#include "view/image_colorizer.h"

namespace kel {

TImageColorizer::TImageColorizer(QWidget* parent) : ZoomableView(false, false, parent)
{
    pictureOriginal_.setChangeHandler([this] { OriginalChanged(); });
}

TImageColorizer::~TImageColorizer() { pictureOriginal_.setChangeHandler(nullptr); }

} // namespace kel
