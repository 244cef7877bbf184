#pragma once
// The channel track bars, the Couleurs menu and the colour palette.
#include "app/command_context.h"

namespace kel::commands {

// Any channel bar moved: the shown picture becomes the original scaled per channel.
void scaleChannels(CommandContext& context);
// A named colour: the red, green and blue bars set in that order; each
// scales the picture only when it moves.
template <int Red, int Green, int Blue>
void setChannelBars(CommandContext& context);
void sepiaTone(CommandContext& context);
// The pointer over the palette at (x, y): picks the colour under it.
void pickPaletteColour(CommandContext& context, int x, int y);
// A click on the palette: the picked colour goes to the pages.
void publishPickedColour(CommandContext& context);
// The palette's context menu: the colour dialog, then the pages.
void choosePickedColour(CommandContext& context);

} // namespace kel::commands
