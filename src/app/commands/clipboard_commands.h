#pragma once
// Cut, copy and paste of the shown picture through the system clipboard.
#include "app/command_context.h"

namespace kel::commands {

// Puts the shown picture, effects included, on the clipboard.
void copyPicture(CommandContext& context);
// Copies the shown picture, then empties the view and the status line; the
// file name, the thumbnail and the working bitmap stay.
void cutPicture(CommandContext& context);
// The clipboard's picture becomes the original, shown through the effects
// that are set; the file name, the thumbnail and the opening bitmap stay.
void pastePicture(CommandContext& context);

} // namespace kel::commands
