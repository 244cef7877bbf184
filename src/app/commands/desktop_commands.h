#pragma once
// The picture as the desktop's wallpaper, and the current file copied into a
// chosen folder.
#include "app/command_context.h"

#include <QString>

namespace kel::commands {

// After a confirmation, writes the shown picture as a BMP file beside the
// current file and makes it the wallpaper, centred.
void installAsWallpaper(CommandContext& context);
// Copies the current file, as it is on disk, into a folder the user chooses.
void copyFileToFolder(CommandContext& context);

// Creates an empty file beside `currentFile` to hold the wallpaper and
// returns its path: the current file's name with the extension ".bmp", or,
// when that names an existing file (the current file itself, or another
// picture), "<name> (2).bmp", "<name> (3).bmp" and so on. Creating it
// reserves the name. Throws FileError when no name can be had.
QString reserveWallpaperFile(const QString& currentFile);

} // namespace kel::commands
