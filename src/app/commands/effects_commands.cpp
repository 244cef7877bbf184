#include "app/commands/effects_commands.h"

#include "view/image_colorizer.h"
#include "widgets/track_bar.h"

#include <QLabel>

#include <algorithm>
#include <climits>
#include <cstdint>

namespace kel::commands {

namespace {

void raise(CommandContext& context, Effect effect, int step)
{
    ImageDocument& document = context.document;
    TImageColorizer& view = document.view();
    const Graphic* shown = document.shown().graphic();
    if (shown) document.working().assign(*shown);
    else document.working() = Bitmap(0, 0, pf24bit);
    view.setEffect(effect, int(std::min<std::int64_t>(INT_MAX, std::int64_t(view.effect(effect)) + step)));
    if (shown) document.rederiveOriginal();
}

void showPosition(QLabel& label, const TTrackBar& bar) { label.setText(QString::number(bar.Position())); }

} // namespace

template <Effect Which, int Step>
void raiseEffect(CommandContext& context)
{
    raise(context, Which, Step);
}
template void raiseEffect<Effect::AntiAlias, 2>(CommandContext&);
template void raiseEffect<Effect::ColorNoise, 25>(CommandContext&);
template void raiseEffect<Effect::Darkness, 10>(CommandContext&);
template void raiseEffect<Effect::GaussianBlur, 1>(CommandContext&);
template void raiseEffect<Effect::Lightness, 10>(CommandContext&);
template void raiseEffect<Effect::MonoNoise, 25>(CommandContext&);
template void raiseEffect<Effect::Mosaic, 1>(CommandContext&);
template void raiseEffect<Effect::Posterize, 10>(CommandContext&);
template void raiseEffect<Effect::Solorize, 2>(CommandContext&);
template void raiseEffect<Effect::SplitBlur, 1>(CommandContext&);
template void raiseEffect<Effect::Splitlight, 1>(CommandContext&);
template void raiseEffect<Effect::Tile, 2>(CommandContext&);

void cancelEffects(CommandContext& context)
{
    ImageDocument& document = context.document;
    Picture& original = document.original();
    if (original.hasGraphic() || !document.initial().empty()) original.bitmap().assign(document.initial());
    // Each spatial setter clears the other spatial settings, emboss and trace included.
    for (Effect effect : {Effect::AntiAlias, Effect::ColorNoise, Effect::Darkness, Effect::GaussianBlur,
                          Effect::Lightness, Effect::MonoNoise, Effect::Mosaic, Effect::Posterize, Effect::Solorize,
                          Effect::SplitBlur, Effect::Splitlight, Effect::Tile})
        document.view().setEffect(effect, 0);
}

void toggleGreyScale(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    const bool grey = !view.PicGrayScale();
    view.setPicGrayScale(grey);
    context.controls.saturation->setPosition(grey ? -255 : 0);
}

void toggleNegative(CommandContext& context)
{
    TImageColorizer& view = context.document.view();
    view.setPicInvert(!view.PicInvert());
}

void brightnessChanged(CommandContext& context)
{
    const MainControls& controls = context.controls;
    context.document.view().recomputeOnceAfter([&] {
        context.document.view().setPicBrightness(controls.brightness->Position());
        showPosition(*controls.brightnessValue, *controls.brightness);
        context.document.rederiveOriginal();
    });
}

void contrastChanged(CommandContext& context)
{
    const MainControls& controls = context.controls;
    context.document.view().recomputeOnceAfter([&] {
        context.document.rederiveOriginal();
        context.document.view().setPicContrast(controls.contrast->Position());
        showPosition(*controls.contrastValue, *controls.contrast);
    });
}

void saturationChanged(CommandContext& context)
{
    const MainControls& controls = context.controls;
    context.document.view().recomputeOnceAfter([&] {
        context.document.rederiveOriginal();
        context.document.view().setPicSaturation(controls.saturation->Position());
        showPosition(*controls.saturationValue, *controls.saturation);
    });
}

} // namespace kel::commands
