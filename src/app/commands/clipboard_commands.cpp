#include "app/commands/clipboard_commands.h"

#include "platform/clipboard.h"
#include "view/image_colorizer.h"
#include "view/zoom_steps.h"

namespace kel::commands {

void copyPicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    context.services.clipboard.putPicture(*document.shown().graphic());
}

void cutPicture(CommandContext& context)
{
    ImageDocument& document = context.document;
    if (!document.hasPicture()) return;
    context.services.clipboard.putPicture(*document.shown().graphic());
    // The shown picture first, so that emptying the original has nothing to recompute.
    document.shown().clear();
    document.original().clear();
    context.controls.focusStatusBar();
    document.clearStatusLine();
}

void pastePicture(CommandContext& context)
{
    // Anything but a picture (text, files), or a picture too large for a
    // bitmap, is left on the clipboard without a word.
    const std::optional<Bitmap> pasted = context.services.clipboard.picture();
    if (!pasted) return;
    ImageDocument& document = context.document;
    document.shown().assign(&*pasted);
    // The view brings the new original to 24 bits and shows it through the effects still set.
    document.original().assign(&*pasted);
    if (const Bitmap* shown = document.shown().bitmapIfAny())
        document.working() = *shown;
    else
        document.working().assign(*document.shown().graphic());
    TImageColorizer& view = document.view();
    view.setProportional(true);
    view.setStretch(false);
    view.setZoomX(zoom::kNormal);
    document.showShortStatusLine();
    context.controls.focusStatusBar();
}

} // namespace kel::commands
