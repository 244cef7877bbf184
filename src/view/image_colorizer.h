#pragma once
// The main view: an original picture kept as a 24-bit bitmap and the shown
// picture computed from it through the view's effect settings.
#include "view/zoomable_view.h"

namespace kel {

class TImageColorizer final : public ZoomableView {
    Q_OBJECT
public:
    explicit TImageColorizer(QWidget* parent = nullptr);
    ~TImageColorizer() override;

    // The picture before effects; every change recomputes the shown picture.
    kel::Picture& PictureOriginal() { return pictureOriginal_; }
    const kel::Picture& PictureOriginal() const { return pictureOriginal_; }
    // Copies the picture into the original holder.
    void setPictureOriginal(const kel::Picture& picture) { pictureOriginal_ = picture; }

    // Recomputes the shown picture from the original.
    void ApplyEffects();
    // Returns every effect setting to neutral and recomputes.
    void ResetEffects();

private:
    // Brings a changed original to 24 bits per pixel and recomputes.
    void OriginalChanged();

    kel::Picture pictureOriginal_;
    bool convertingOriginal_ = false;
};

} // namespace kel
