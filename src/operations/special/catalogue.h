#pragma once
// The special-effects list: its entries in list order, how choosing one is
// applied to the document, and the routine behind it. The list box, its
// keyboard handling and the tests all read this one table.
#include "graphics/bitmap.h"

#include <span>

namespace kel {

enum class SpecialDispatch {
    OriginalThenShown, // the routine on the original picture, then on the shown one
    ShownThenOriginal, // the same, shown picture first
    ShownCommitted,    // on the shown picture, which then becomes the original
    OriginalOnly,      // on the original only; the view recomputes the shown picture from it
    EmbossSetting,     // switches the view's emboss on (no routine)
    TraceSetting,      // raises the view's trace by one (no routine)
};

struct SpecialEffect {
    const char* caption; // as listed, trailing blanks included
    SpecialDispatch dispatch;
    void (*routine)(Bitmap&);
};

std::span<const SpecialEffect> specialEffects();

} // namespace kel
