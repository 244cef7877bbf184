#pragma once
// The Fichier menu's save and rename commands, and what the program's save
// and export dialogs share: where they appear and how a chosen entry forces
// its extension on the typed name.
#include "app/command_context.h"

#include <QPoint>
#include <QString>

namespace kel::commands {

// Where the picture save dialogs appear, from the main window's top-left corner.
inline constexpr QPoint kPictureSaveDialogOffset{170, 230};
// Where the icon, PDF and metafile dialogs appear.
inline constexpr QPoint kExportDialogOffset{252, 230};

// The plain message of a failed save or export.
inline constexpr const char* kSaveFailureMessage = " L' enregistrement de l' image a malheureusement échoué !!    ";

// The path with the extension of its file name (from the file name's last
// dot on) replaced by `extension` (dot included), or `extension` appended
// when the file name has no dot. Dots in folder names are never touched.
QString withExtension(const QString& path, const QString& extension);
// The folder part of a path, without a trailing slash; empty for a bare name.
QString folderOf(const QString& path);

// The shown picture as a bitmap: the one it holds, or else its drawing at 24
// bits in `storage`.
const Bitmap& shownAsBitmap(Picture& shown, Bitmap& storage);

// Renames a file without ever replacing another: false when the target
// exists, lies on another file system, or the source is missing.
bool renameWithoutReplacing(const QString& from, const QString& to);

// Enregistrer: writes the shown picture in the format of the chosen entry.
void savePicture(CommandContext& context);
// Enregistrer sous: renames the current file on disk; writes no picture data.
void renamePictureFile(CommandContext& context);

} // namespace kel::commands
