#pragma once
// The main view: an original picture kept as a 24-bit bitmap and the shown
// picture computed from it through the view's effect settings.
#include "view/effects/effect_pipeline.h"
#include "view/zoomable_view.h"

#include <functional>

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

    // Recomputes the shown picture from the original and repaints; does
    // nothing unless both pictures hold bitmaps.
    void ApplyEffects();
    // Runs `changes` with the recomputes they cause held back, then recomputes
    // once if any was asked for. Each recompute rewrites every pixel of the
    // shown picture, so only the last one can be seen.
    void recomputeOnceAfter(const std::function<void()>& changes);
    // Notifies the original as an assignment of the pixels it already holds
    // would: the noise layer is redrawn, as at any change of the original,
    // but a spatial layer is kept, since it could not differ.
    void OriginalReassignedUnchanged();
    // Every effect setting to neutral, layers dropped, the shown picture a
    // copy of the original (without a recompute).
    void ResetEffects();

    // The nineteen effect settings. Each setter keeps the setting's limits,
    // zeroes the settings it excludes, builds or frees its layer and recomputes.
    int effect(Effect which) const { return effects_.value(which); }
    void setEffect(Effect which, int value);
    const EffectPipeline& effects() const { return effects_; }

    int PicBrightness() const { return effect(Effect::Brightness); }
    void setPicBrightness(int value) { setEffect(Effect::Brightness, value); }
    int PicContrast() const { return effect(Effect::Contrast); }
    void setPicContrast(int value) { setEffect(Effect::Contrast, value); }
    bool PicGrayScale() const { return effect(Effect::GrayScale) != 0; }
    void setPicGrayScale(bool on) { setEffect(Effect::GrayScale, on); }
    int PicLightness() const { return effect(Effect::Lightness); }
    void setPicLightness(int value) { setEffect(Effect::Lightness, value); }
    int PicDarkness() const { return effect(Effect::Darkness); }
    void setPicDarkness(int value) { setEffect(Effect::Darkness, value); }
    int PicSaturation() const { return effect(Effect::Saturation); }
    void setPicSaturation(int value) { setEffect(Effect::Saturation, value); }
    int PicSplitlight() const { return effect(Effect::Splitlight); }
    void setPicSplitlight(int value) { setEffect(Effect::Splitlight, value); }
    bool PicInvert() const { return effect(Effect::Invert) != 0; }
    void setPicInvert(bool on) { setEffect(Effect::Invert, on); }
    int PicColorNoise() const { return effect(Effect::ColorNoise); }
    void setPicColorNoise(int value) { setEffect(Effect::ColorNoise, value); }
    int PicMonoNoise() const { return effect(Effect::MonoNoise); }
    void setPicMonoNoise(int value) { setEffect(Effect::MonoNoise, value); }
    int PicPosterize() const { return effect(Effect::Posterize); }
    void setPicPosterize(int value) { setEffect(Effect::Posterize, value); }
    int PicSolorize() const { return effect(Effect::Solorize); }
    void setPicSolorize(int value) { setEffect(Effect::Solorize, value); }
    bool PicEmboss() const { return effect(Effect::Emboss) != 0; }
    void setPicEmboss(bool on) { setEffect(Effect::Emboss, on); }
    int PicMosaic() const { return effect(Effect::Mosaic); }
    void setPicMosaic(int value) { setEffect(Effect::Mosaic, value); }
    int PicSplitBlur() const { return effect(Effect::SplitBlur); }
    void setPicSplitBlur(int value) { setEffect(Effect::SplitBlur, value); }
    int PicGaussianBlur() const { return effect(Effect::GaussianBlur); }
    void setPicGaussianBlur(int value) { setEffect(Effect::GaussianBlur, value); }
    int PicAntiAlias() const { return effect(Effect::AntiAlias); }
    void setPicAntiAlias(int value) { setEffect(Effect::AntiAlias, value); }
    int PicTrace() const { return effect(Effect::Trace); }
    void setPicTrace(int value) { setEffect(Effect::Trace, value); }
    int PicTile() const { return effect(Effect::Tile); }
    void setPicTile(int value) { setEffect(Effect::Tile, value); }

private:
    // Brings a changed original to 24 bits per pixel and recomputes.
    void OriginalChanged();

    // The shown picture about to be recomputed from the original: its bitmap is
    // kept when it can take the recompute as it is, else a copy of the original.
    void prepareShownForRecompute(const Bitmap& original);

    kel::Picture pictureOriginal_;
    EffectPipeline effects_;
    bool convertingOriginal_ = false;
    bool keepSpatialLayer_ = false;
    int recomputesHeld_ = 0;
    bool recomputePending_ = false;
};

} // namespace kel
