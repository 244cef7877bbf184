#include "view/image_adapter.h"

#include "graphics/errors.h"

namespace kel {

TImageAdapter::TImageAdapter(QWidget* parent) : ZoomableView(true, true, parent) {}

Canvas TImageAdapter::GetCanvas()
{
    if (!Picture().hasGraphic()) Picture().setGraphic(std::make_unique<Bitmap>(width(), height()));
    Bitmap* bitmap = Picture().bitmapIfAny();
    if (!bitmap) throw InvalidOperation(QStringLiteral("Ne peut modifier une image que si elle contient un bitmap"));
    return Canvas(*bitmap);
}

} // namespace kel
