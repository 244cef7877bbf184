#pragma once
// The special-effects list: the chosen entry applied to the document.
#include "app/command_context.h"
#include "operations/special/catalogue.h"

namespace kel::commands {

// Applies the entry to the document as its catalogue row says, then
// BitmapTRAVAIL takes the original picture. The status line stays as it is.
void applySpecialEffect(ImageDocument& document, const SpecialEffect& effect);
// The list's click and keyboard handler: applies the selected entry.
void applySelectedSpecialEffect(CommandContext& context);

} // namespace kel::commands
