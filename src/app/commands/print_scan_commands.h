#pragma once
// Printing the shown picture on an A4 page, and taking a picture from a
// scanner or camera.
#include "app/command_context.h"

namespace kel::commands {

// The print dialog over the run's printer.
void selectPrinter(CommandContext& context);
// The page-setup dialog over the run's printer.
void setUpPrinting(CommandContext& context);
// The page with the shown picture, effects included, in the preview window.
void previewPrintedPage(CommandContext& context);
// Asks first, then prints the page with the shown picture.
void printShownPicture(CommandContext& context);
// A source chosen by the user scans one picture, which becomes only the shown
// picture: the original, the working bitmaps, the thumbnail and the file name stay.
void acquirePicture(CommandContext& context);

} // namespace kel::commands
