#pragma once
// A view control with a single picture, centred and proportional by
// default: the page previews, the colour palette and the zoom window.
#include "graphics/canvas.h"
#include "view/zoomable_view.h"

namespace kel {

class TImageAdapter final : public ZoomableView {
    Q_OBJECT
public:
    explicit TImageAdapter(QWidget* parent = nullptr);

    // Copies the picture into the owned holder.
    void setPicture(const kel::Picture& picture) { Picture() = picture; }

    // The drawing surface of the picture. An empty picture first receives a
    // bitmap of the control's size; a picture that is not a bitmap throws
    // InvalidOperation.
    Canvas GetCanvas();
};

} // namespace kel
