#pragma once
// The Effets menu, the grey and negative view modes and the tone track bars.
#include "app/command_context.h"
#include "view/effects/effect_pipeline.h"

namespace kel::commands {

// An Effets key: the picture shown now becomes the original, seen through
// every active setting with this one raised by the step, so presses compound.
template <Effect Which, int Step>
void raiseEffect(CommandContext& context);

void cancelEffects(CommandContext& context);
void toggleGreyScale(CommandContext& context);
void toggleNegative(CommandContext& context);
void brightnessChanged(CommandContext& context);
void contrastChanged(CommandContext& context);
void saturationChanged(CommandContext& context);

} // namespace kel::commands
