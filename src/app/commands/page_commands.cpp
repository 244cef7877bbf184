#include "app/commands/page_commands.h"

#include "pages/fill_page.h"
#include "pages/frame_page.h"
#include "pages/fusion_page.h"
#include "pages/incline_page.h"
#include "pages/operation_pages.h"
#include "pages/resize_page.h"
#include "pages/selection_page.h"
#include "pages/text_page.h"

namespace kel::commands {

void openResizePage(CommandContext& context) { context.pages.resize().open(); }
void openSelectionPage(CommandContext& context) { context.pages.selection().open(); }
void openFramePage(CommandContext& context) { context.pages.frame().open(); }
void openFusionPage(CommandContext& context) { context.pages.fusion().open(); }
void openFillPage(CommandContext& context) { context.pages.fill().open(); }
void openTextPage(CommandContext& context) { context.pages.text().open(); }
void openInclinePage(CommandContext& context) { context.pages.incline().open(); }

} // namespace kel::commands
