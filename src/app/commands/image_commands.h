#pragma once
// The Image menu: colour depths, black and white, mirrors, quarter turns and
// the scrambling. Each does nothing without a picture.
#include "app/command_context.h"
#include "operations/colour_depth.h"
#include "operations/mirror_turn.h"

namespace kel::commands {

// Image 32 and 24 bits: back to the picture as opened, through that depth.
template <ColourDepth Depth>
void reopenAtDepth(CommandContext& context);
// Image 16 bits: the thumbnail's picture reduced to 5-6-5, shown as it is.
void reduceTo16Bits(CommandContext& context);
// Image 8 and 4 bits: BitmapTRAVAIL reduced to the depth's palette.
template <ColourDepth Depth>
void reduceToPalette(CommandContext& context);
void makeBlackAndWhite(CommandContext& context);
template <FlipMode Mode>
void mirrorPicture(CommandContext& context);
template <QuarterTurn Turn>
void turnPicture(CommandContext& context);
void scramblePicture(CommandContext& context);

} // namespace kel::commands
