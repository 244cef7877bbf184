#pragma once
// The Aide menu: the help file in the browser, and the shortcut list, system,
// links and about windows, each shown modally centred on the main window.
// None of them changes the document.
#include "app/command_context.h"

namespace kel::commands {

// The help file's name, looked for beside the program, then in its share folder.
inline constexpr const char* kHelpFile = "Kelvary.html";

void showHelpIndex(CommandContext& context);
void showCommandList(CommandContext& context);
void showSystemWindow(CommandContext& context);
void showLinksWindow(CommandContext& context);
void showAboutWindow(CommandContext& context);

} // namespace kel::commands
