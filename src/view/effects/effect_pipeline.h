#pragma once
// The view's nineteen effect settings with the layers they cache, and the
// recompute of the shown picture from an unaltered original.
//
// Point settings (brightness to invert, posterize, solarize) act during the
// recompute only. The noise settings and the seven spatial settings each
// build a layer from the original when set: a noise bitmap added to every
// pixel, or a transformed copy of the original that replaces it as the source.
#include "graphics/bitmap.h"
#include "view/effects/point_chain.h"

#include <array>
#include <memory>

namespace kel {

// In the order the view declares them. Booleans are stored as 0 and 1.
enum class Effect {
    Brightness,
    Contrast,
    GrayScale,
    Lightness,
    Darkness,
    Saturation,
    Splitlight,
    Invert,
    ColorNoise,
    MonoNoise,
    Posterize,
    Solorize,
    Emboss,
    Mosaic,
    SplitBlur,
    GaussianBlur,
    AntiAlias,
    Trace,
    Tile,
};
inline constexpr int kEffectCount = 19;

class EffectPipeline {
public:
    EffectPipeline();
    ~EffectPipeline();

    int value(Effect effect) const { return values_[std::size_t(effect)]; }

    // Stores the value within the setting's limits, zeroes the settings it
    // excludes and builds or frees the setting's layer from `original`
    // (nullptr when the view holds no picture). A layer that fails to build is
    // left absent; the setting keeps its value.
    void set(Effect effect, int value, const Graphic* original);

    // Every setting to 0 and both layers freed.
    void reset();
    // Frees both layers; the active settings rebuild them at the next recompute.
    void discardLayers();
    // Frees the noise layer only: its draws are redrawn at the next recompute.
    void discardNoiseLayer() { noise_.reset(); }

    // Rebuilds the layers that active settings lack, then writes every pixel of
    // `shown` from the source (the spatial layer, or the original) through the
    // tone chain. `shown` becomes a 24-bit bitmap of the original's size first.
    void recompute(const Bitmap& original, Bitmap& shown);

    const Bitmap* noiseLayer() const { return noise_.get(); }
    const Bitmap* spatialLayer() const { return spatial_.get(); }
    // How many layers have been built so far (noise and spatial together).
    int layerBuilds() const { return layerBuilds_; }

private:
    int limited(Effect effect, int value, const Graphic* original) const;
    void buildNoise(Effect effect, const Graphic* original);
    void buildSpatial(Effect effect, const Graphic* original);
    ToneSettings toneSettings() const;

    std::array<int, kEffectCount> values_{};
    std::unique_ptr<Bitmap> noise_;
    std::unique_ptr<Bitmap> spatial_;
    int layerBuilds_ = 0;
};

} // namespace kel
