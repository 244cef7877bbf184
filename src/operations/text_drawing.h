#pragma once
// The line of text the text page lays on a picture.
#include "graphics/bitmap.h"

#include <QString>

namespace kel {

struct TextStyle {
    int points = 10; // font size at 96 pixels per inch; 0 or less takes the default size
    Colour colour = clBlack;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
};

// Draws `text` once, on one line, with its top-left corner at (position,
// position), no background box, clipped by the bitmap's edges. The glyphs
// are not anti-aliased: every drawn pixel has exactly the text colour, so a
// later fill at tolerance 0 finds the whole text and the colour count stays
// honest. An empty text draws nothing.
void drawPageText(Bitmap& bitmap, const QString& text, int position, const TextStyle& style);

} // namespace kel
