#pragma once
// Opening, closing, deleting and reloading the picture, the return to the
// picture as opened, the view's reset and leaving the program.
#include "app/command_context.h"

#include <QString>

namespace kel::commands {

void openPicture(CommandContext& context);
// Opens a file named elsewhere (the command line, a drop) as " Ouvrir" opens
// the file chosen in its dialog.
void openPictureFile(CommandContext& context, const QString& fileName);
void closePicture(CommandContext& context);
void deletePictureFile(CommandContext& context);
void reloadPicture(CommandContext& context);
void returnToOpenedPicture(CommandContext& context);
void resetView(CommandContext& context);
void quitProgram(CommandContext& context);

} // namespace kel::commands
