#pragma once
// The Opérations menu's exports of the shown picture: a one-page PDF, an
// icon of the system's icon size, an enhanced or Windows metafile. None
// changes the document.
#include "app/command_context.h"

namespace kel::commands {

// Named after the last file chosen in the open dialog; a failed write shows
// the save-failure message.
void exportPictureAsPdf(CommandContext& context);
// The picture squeezed to 32 x 32, written under the name exactly as chosen.
void convertPictureToIcon(CommandContext& context);
// The chosen entry forces ".emf" or ".wmf" on the name and decides the kind.
void convertPictureToMetafile(CommandContext& context);

} // namespace kel::commands
