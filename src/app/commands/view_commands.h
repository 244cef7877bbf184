#pragma once
// The Echelle menu, the zoom items of the context menu, the wheel, the
// display modes and the zoom window. None of them needs a picture except the
// zoom window, and none refreshes the status line.
#include "app/command_context.h"

#include <QPoint>

namespace kel {
class TImageColorizer;
}

namespace kel::commands {

// One Echelle item: the zoom in percent it sets.
template <int Percent>
void zoomTo(CommandContext& context);

void zoomOut(CommandContext& context);
void zoomIn(CommandContext& context);
void wheelTowardsUser(CommandContext& context);
void wheelAwayFromUser(CommandContext& context);
void toggleCentred(CommandContext& context);
void toggleProportional(CommandContext& context);
void toggleStretched(CommandContext& context);
void toggleTransparent(CommandContext& context);
void showZoomWindow(CommandContext& context);
// Where the image's context menu opens, in screen coordinates, before it is
// centred horizontally on that point.
QPoint imageMenuAnchor(const TImageColorizer& view);
void showImageMenu(CommandContext& context);

} // namespace kel::commands
