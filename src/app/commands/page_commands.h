#pragma once
// The Opérations menu's page commands: each opens its operation page on the
// current picture.
#include "app/command_context.h"

namespace kel::commands {

void openResizePage(CommandContext& context);
void openSelectionPage(CommandContext& context);
void openFramePage(CommandContext& context);
void openFusionPage(CommandContext& context);
void openFillPage(CommandContext& context);
void openTextPage(CommandContext& context);
void openInclinePage(CommandContext& context);

} // namespace kel::commands
