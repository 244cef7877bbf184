#include "view/effects/effect_pipeline.h"

#include "view/effects/noise.h"
#include "view/effects/spatial_effects.h"
#include "view/effects/tile.h"

#include <algorithm>
#include <cstring>

namespace kel {

namespace {

// In the order the recompute looks for the active one.
constexpr std::array<Effect, 7> kSpatialEffects = {Effect::Emboss,       Effect::Mosaic,    Effect::SplitBlur,
                                                   Effect::GaussianBlur, Effect::AntiAlias, Effect::Trace,
                                                   Effect::Tile};

bool isSpatial(Effect effect) { return effect >= Effect::Emboss; }
bool isNoise(Effect effect) { return effect == Effect::ColorNoise || effect == Effect::MonoNoise; }

Bitmap trueColourCopy(const Graphic& original)
{
    Bitmap copy;
    copy.assign(original);
    copy.setPixelFormat(pf24bit);
    return copy;
}

bool sameSize(const Bitmap& a, const Bitmap& b) { return a.width() == b.width() && a.height() == b.height(); }

// Settings under which the tone chain copies every pixel unchanged.
bool neutral(const ToneSettings& s)
{
    return s.posterize == 0 && s.solorize == 0 && s.contrast == 0 && s.lightness == 0 && s.darkness == 0
           && s.brightness == 0 && s.splitlight == 0 && !s.grayScale && s.saturation == 0 && !s.invert;
}

// Makes `layer` a 24-bit copy of the original, reusing its pixel store when it
// already has the original's size.
void copyOriginalInto(std::unique_ptr<Bitmap>& layer, const Graphic& original)
{
    const auto* bitmap = dynamic_cast<const Bitmap*>(&original);
    if (layer && bitmap && bitmap->pixelFormat() == pf24bit && layer->pixelFormat() == pf24bit
        && sameSize(*layer, *bitmap)) {
        const std::size_t rowBytes = std::size_t(bitmap->width()) * 3;
        if (rowBytes > 0) // a bitmap without pixels has no rows to reach
            for (int y = 0; y < bitmap->height(); ++y)
                std::memcpy(layer->rowUnchecked(y), bitmap->rowUnchecked(y), rowBytes);
        return;
    }
    layer = std::make_unique<Bitmap>(trueColourCopy(original));
}

} // namespace

EffectPipeline::EffectPipeline() = default;
EffectPipeline::~EffectPipeline() = default;

int EffectPipeline::limited(Effect effect, int value, const Graphic* original) const
{
    switch (effect) {
    case Effect::Brightness: return std::clamp(value, -255, 255);
    case Effect::Contrast:
    case Effect::Saturation: return std::max(value, -255);
    case Effect::Lightness:
    case Effect::Darkness: return std::min(value, 255);
    case Effect::GrayScale:
    case Effect::Invert:
    case Effect::Emboss: return value != 0 ? 1 : 0;
    case Effect::Splitlight:
    case Effect::Trace: return std::clamp(value, 0, 10);
    case Effect::ColorNoise:
    case Effect::MonoNoise:
    case Effect::Posterize:
    case Effect::Tile: return std::max(value, 0);
    case Effect::Solorize:
    case Effect::SplitBlur: return std::clamp(value, 0, 255);
    case Effect::GaussianBlur:
    case Effect::AntiAlias: return std::clamp(value, 0, 50);
    case Effect::Mosaic: {
        const int size = std::max(value, 0);
        return original ? std::min(size, std::max(original->width(), original->height())) : size;
    }
    }
    return value;
}

void EffectPipeline::set(Effect effect, int value, const Graphic* original)
{
    values_[std::size_t(effect)] = limited(effect, value, original);
    if (effect == Effect::ColorNoise) values_[std::size_t(Effect::MonoNoise)] = 0;
    if (effect == Effect::MonoNoise) values_[std::size_t(Effect::ColorNoise)] = 0;
    if (effect == Effect::Posterize) values_[std::size_t(Effect::Solorize)] = 0;
    if (effect == Effect::Solorize) values_[std::size_t(Effect::Posterize)] = 0;
    if (isSpatial(effect))
        for (Effect other : kSpatialEffects)
            if (other != effect) values_[std::size_t(other)] = 0;

    if (isNoise(effect)) buildNoise(effect, original);
    else if (isSpatial(effect)) buildSpatial(effect, original);
}

void EffectPipeline::buildNoise(Effect effect, const Graphic* original)
{
    noise_.reset();
    const int amplitude = value(effect);
    if (amplitude <= 0 || !original) return;
    const int width = original->width(), height = original->height();
    noise_ = std::make_unique<Bitmap>(effect == Effect::ColorNoise ? colourNoise(width, height, amplitude)
                                                                   : monoNoise(width, height, amplitude));
    ++layerBuilds_;
}

void EffectPipeline::buildSpatial(Effect effect, const Graphic* original)
{
    std::unique_ptr<Bitmap> layer = std::move(spatial_); // absent again until built
    const int amount = value(effect);
    if (amount <= 0 || !original) return;
    copyOriginalInto(layer, *original);
    switch (effect) {
    case Effect::Emboss: emboss(*layer); break;
    case Effect::Mosaic: mosaic(*layer, amount); break;
    case Effect::SplitBlur: splitBlur(*layer, amount); break;
    case Effect::GaussianBlur: gaussianBlur(*layer, amount); break;
    case Effect::AntiAlias: antiAlias(*layer, amount); break;
    case Effect::Trace: trace(*layer, amount); break;
    case Effect::Tile: {
        const TileLayout layout = tileLayout(amount, layer->width(), layer->height());
        values_[std::size_t(Effect::Tile)] = layout.count;
        tile(*layer, layout.tileWidth, layout.tileHeight);
        break;
    }
    default: return;
    }
    spatial_ = std::move(layer);
    ++layerBuilds_;
}

void EffectPipeline::reset()
{
    values_.fill(0);
    discardLayers();
}

void EffectPipeline::discardLayers()
{
    noise_.reset();
    spatial_.reset();
}

ToneSettings EffectPipeline::toneSettings() const
{
    ToneSettings s;
    s.posterize = value(Effect::Posterize);
    s.solorize = value(Effect::Solorize);
    s.contrast = value(Effect::Contrast);
    s.lightness = value(Effect::Lightness);
    s.darkness = value(Effect::Darkness);
    s.brightness = value(Effect::Brightness);
    s.splitlight = value(Effect::Splitlight);
    s.grayScale = value(Effect::GrayScale) != 0;
    s.saturation = value(Effect::Saturation);
    s.invert = value(Effect::Invert) != 0;
    return s;
}

void EffectPipeline::recompute(const Bitmap& original, Bitmap& shown)
{
    if (original.pixelFormat() != pf24bit) {
        recompute(trueColourCopy(original), shown);
        return;
    }
    // Layers always match the original they were built from; one that does not
    // belongs to an earlier picture.
    if (noise_ && !sameSize(*noise_, original)) noise_.reset();
    if (spatial_ && !sameSize(*spatial_, original)) spatial_.reset();

    for (Effect effect : {Effect::ColorNoise, Effect::MonoNoise})
        if (value(effect) > 0 && !noise_) set(effect, value(effect), &original);

    const Bitmap* source = &original;
    for (Effect effect : kSpatialEffects) {
        if (value(effect) == 0) continue;
        if (!spatial_) set(effect, value(effect), &original);
        if (spatial_) source = spatial_.get();
        break;
    }

    if (shown.pixelFormat() != pf24bit || !sameSize(shown, original)) shown = Bitmap(original.width(), original.height());
    // A plain copy of the original shares its pixels instead.
    if (source == &original && !noise_ && neutral(toneSettings())) {
        shown.sharePixelsOf(original);
        return;
    }
    applyToneChain(toneSettings(), *source, noise_.get(), shown);
}

} // namespace kel
